#include "output/reports/print_7graph.h"

#include "app/settings/globals.h"
#include "data/thread_data.h"
#include "output/reports/estimate_report.h"
#include "platform/core/image_loader.h"

#include <QDir>

namespace {

using namespace ui::report;
using namespace estimate_report;

const std::vector<int> kDividers = {479, 1323, 4354, 5427, 6073, 6646};
constexpr int kRowX = 52, kRowWidth = 7813;

Decimal dec(const auto& field) { return field.value(); }

Controls headings()
{
    const int top = 698, middle = 880, bottom = 1063, right = kRowX + kRowWidth;
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

ReportLayout layout(const ReportValues& v)
{
    ReportLayout l;
    l.orientation = QPageLayout::Portrait;
    l.lineArea = QRect(188, 563, 7958, 10490);
    l.pageHeader = FixedBand{167, 375, 7896, Band{198, columnNumberRow(kRowX, 0, kRowWidth, 186, kDividers), {}}};
    l.pageFooter = pageFooter(177, 11094, 8000, 7031, 52);
    auto add = [](Band& b, Controls cs) { b.controls.insert(b.controls.end(), cs.begin(), cs.end()); };

    Band approvalHeader{750, {}, {}};
    add(approvalHeader, approval(QStringLiteral("С О Г Л А С О В А Н О"), 729, 52, 594, 448, 552, 521));
    add(approvalHeader, approval(QStringLiteral("У Т В Е Р Ж Д А Ю"), 5219, 10, 4948, 448, 4917, 510));

    Band title{1260, {}, {}};
    add(title, {image(52, 52, 500, 500, [] { return loadImage(QDir::current().filePath(QStringLiteral("logo.bmp"))); }),
                text(938, 260, 4115, [] { return FirmName.toQString(); }),
                text(938, 365, 2500, [] { return FirmAddress.toQString(); }),
                text(3594, 365, 2031, [] { return FirmPhone.toQString(); }),
                label(2521, 21, QStringLiteral("Смета №"), font(11, true)),
                field(3302, 21, QStringLiteral("n_6"), [] { return Decimal(int(DFL().NUMBER)); }, font(10, true)),
                text(938, 469, 4688, [] { return DFL().NAME.toQString(); }, font(9, true)),
                text(938, 542, 4688, [] { return DFL().NAMEOBJECT.toQString(); }, font(9, true)),
                text(938, 625, 4688, [] { return DFL().OSNOV.toQString(); })});
    add(title, headings());
    add(title, columnNumberRow(kRowX, 1063, kRowWidth, 186, kDividers));

    const FontSpec courier{QStringLiteral("Courier New Cyr"), 8, {}};
    Band footer{708,
                {rule(0, 0), label(177, 31, QStringLiteral("ИТОГО ПО РАЗДЕЛАМ:"), font(9, true)),
                 sum(6698, 52, QStringLiteral("n-15.2"), [] { return dec(NSB().KCHELCHM); }),
                 text(156, 260, 7552, [&v] { return v.totals.text; }, font(8, true, courier.family)),
                 text(156, 469, 7552, [] { return DFL().Primechanie.toQString(); }, courier)},
                {}};
    Band sectionFooter{240,
                       {rule(0, 0), label(208, 10, QStringLiteral("Итого по разделу №")),
                        field(1417, 21, QStringLiteral("n_3"), [] { return Decimal(int(GRO().NUMINSMETA)); }),
                        sum(6698, 52, QStringLiteral("n-15.2"), [] { return dec(NSB().KCHELCHM); })},
                       font(0, true)};

    l.groups = {estimateGroup({approvalHeader, title}, footer), sectionGroup(sectionHeader(6042), sectionFooter)};
    l.line = lineBand({
        {83, [&v] { return Decimal(v.lineCounter); }, "n_6", {}, 0},
        {479, {}, nullptr, [] { return NSB().NRAS.toQString(); }, 760},
        {1271, {}, nullptr, [] { return NSB().NAME.toQString(); }, 3031},
        {4479, {}, nullptr, [] { return NSB().EDIZM.toQString(); }, 885},
        {5396, [] { return dec(NSB().CHELCH); }, "n-10.2", {}, 0},
        {6042, [] { return dec(NSB().CENA_OB); }, "n9.2", {}, 0},
        {6906, [] { return dec(NSB().KCHELCHM); }, "n-10.2", {}, 0},
    });
    return l;
}

}  // namespace

void Print7graph()
{
    runForm(FormSpec{QStringLiteral("Print7graph"), QStringLiteral("Печатаем 7-графовую смету"), layout});
}
