#include "output/reports/seven_column_form.h"

#include "data/thread_data.h"
#include "platform/core/image_loader.h"

#include <QDir>

namespace estimate_report {

namespace {

using namespace ui::report;

const std::vector<int> kDividers = {479, 1323, 4354, 5427, 6073, 6646};
constexpr int kRowX = 52, kRowWidth = 7813, kRight = kRowX + kRowWidth;

Decimal dec(const auto& field) { return field.value(); }

Controls headings()
{
    const int top = kHeadingsTop, middle = 880, bottom = 1063, right = kRight;
    Controls c{rule(kRowX, top, kRowWidth), rule(6073, middle, right - 6073)};
    for (int x : {kRowX, 479, 1323, 4354, 5427, 6073, 6646, right}) {
        const bool split = x == 6646;  // the two price columns share the row above
        c.push_back(verticalRule(x, split ? middle : top, bottom - (split ? middle : top)));
    }
    const struct {
        int left, right, y;
        const char* text;
    } cells[] = {
        {kRowX, 479, 740, "№ п.п."},       {479, 1323, 740, "Шифр ед. Расц."}, {1323, 4354, 800, "Наименование работы"},
        {4354, 5427, 740, "Ед. Измерения"}, {5427, 6073, 800, "Кол-во"},        {6073, 6646, 720, "Стоим. ед."},
        {6646, right, 720, "Общая стоим."}, {6073, 6646, 920, "Всего"},         {6646, right, 920, "Всего"},
    };
    for (const auto& cell : cells) c.push_back(heading(cell.left, cell.right, cell.y, QString::fromUtf8(cell.text)));
    return c;
}

}  // namespace

Control logo(int x, int y, int width, int height)
{
    return image(x, y, width, height, [] { return loadImage(QDir::current().filePath(QStringLiteral("logo.bmp"))); });
}

ReportLayout sevenColumnLayout(const ReportValues& v, const SevenColumnForm& form)
{
    ReportLayout l;
    l.orientation = QPageLayout::Portrait;
    l.lineArea = QRect(188, 563, 7958, 10490);
    l.pageHeader = FixedBand{167, 375, 7896, Band{198, columnNumberRow(kRowX, 0, kRowWidth, 186, kDividers), {}}};
    l.pageFooter = pageFooter(177, 11094, 8000, 7031, 52);

    Band approvalHeader{750, {}, {}};
    append(approvalHeader, approval(QStringLiteral("С О Г Л А С О В А Н О"), 729, 52, 594, 448, 552, 521));
    append(approvalHeader, approval(QStringLiteral("У Т В Е Р Ж Д А Ю"), 5219, 10, 4948, 448, 4917, 510));

    Controls columns = headings();
    append(columns, columnNumberRow(kRowX, 1063, kRowWidth, 186, kDividers));

    Band footer{form.footerHeight,
                {rule(0, 0), label(177, 31, QStringLiteral("ИТОГО ПО РАЗДЕЛАМ:"), font(9, true)),
                 endingAt(sum(form.totalSumX, 52, QStringLiteral("n-15.2"), [&v] { return v.amounts.total; }), kRight)},
                {}};
    append(footer, form.footerNotes);
    Band sectionFooter{240,
                       {rule(0, 0), label(208, 10, QStringLiteral("Итого по разделу №")),
                        field(form.sectionNumberX, form.sectionNumberY, QStringLiteral("n_3"),
                              [] { return Decimal(int(GRO().NUMINSMETA)); }),
                        endingAt(sum(form.totalSumX, 52, QStringLiteral("n-15.2"), [&v] { return v.amounts.total; }), kRight)},
                       font(0, true)};

    l.groups = {estimateGroup({approvalHeader, Band{kHeadingsTop, form.title, {}}, headingsBand(columns, form.titleHeight)},
                              footer),
                sectionGroup(sectionHeader(form.sectionNamePicture, form.sectionNameWidth), sectionFooter)};
    // numbers end at their column's right divider (the frame for the last)
    l.line = lineBand({
        {83, [&v] { return Decimal(v.lineCounter); }, "n_6", {}, 479 - 83},
        {479, {}, nullptr, [] { return NSB().NRAS.toQString(); }, 760},
        {1271, {}, nullptr, [] { return NSB().NAME.toQString(); }, 3031},
        {4479, {}, nullptr, [] { return NSB().EDIZM.toQString(); }, 885},
        {5396, [&v] { return v.quantity; }, "n-10.2", {}, 6073 - 5396},
        {6042, [] { return dec(NSB().CENA_OB); }, "n9.2", {}, 6646 - 6042},
        {form.totalX, [&v] { return v.amounts.total; }, "n-10.2", {}, kRight - form.totalX},
    });
    return l;
}

}  // namespace estimate_report
