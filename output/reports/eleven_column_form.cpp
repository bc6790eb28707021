#include "output/reports/eleven_column_form.h"

#include "data/thread_data.h"

namespace estimate_report {

namespace {

using namespace ui::report;

const std::vector<int> kDividers = {479, 1323, 4354, 5427, 6073, 6646, 7177, 7792, 8427, 8979, 9625, 10208};
constexpr int kRowX = 42, kRowWidth = 10708, kRight = kRowX + kRowWidth;

Decimal dec(const auto& field) { return field.value(); }

// The four amounts summed per section and for the whole form.
Controls amountSums(const ReportValues& v, int totalX, int y)
{
    return {endingAt(sum(totalX, y, QStringLiteral("n-15.2"), [&v] { return v.amounts.total; }), 8979),
            endingAt(sum(8979, y, QStringLiteral("n-15.2"), [&v] { return v.amounts.wages; }), 9625),
            endingAt(sum(9615, y, QStringLiteral("n-15.2"), [&v] { return v.amounts.machines; }), 10208),
            endingAt(sum(10302, y, QStringLiteral("n-14.2"), [&v] { return v.amounts.machinistWages; }), kRight)};
}

Controls headings()
{
    const int top = kHeadingsTop, middle = 880, bottom = 1063, right = kRight;
    Controls c{rule(kRowX, top, kRowWidth), rule(6073, middle, right - 6073)};
    for (int x : {kRowX, 479, 1323, 4354, 5427, 6073, 8427, right}) c.push_back(verticalRule(x, top, bottom - top));
    for (int x : {6646, 7177, 7792, 8979, 9625, 10208}) c.push_back(verticalRule(x, middle, bottom - middle));
    const struct {
        int left, right, y;
        const char* text;
    } cells[] = {
        {kRowX, 479, 740, "№ п.п."},          {479, 1323, 740, "Шифр ед. Расц."}, {1323, 4354, 800, "Наименование работы"},
        {4354, 5427, 740, "Ед. Измерения"},    {5427, 6073, 800, "Кол-во"},        {6073, 8427, 720, "Стоимость единицы, руб"},
        {8427, right, 720, "Общая стоим., руб"}, {6073, 6646, 920, "Всего"},      {6646, 7177, 920, "З/Пл."},
        {7177, 7792, 920, "Э/маш."},           {7792, 8427, 920, "З/П маш."},      {8427, 8979, 920, "Всего"},
        {8979, 9625, 920, "З/Пл."},            {9625, 10208, 920, "Э/маш."},       {10208, right, 920, "З/П маш."},
    };
    for (const auto& cell : cells) c.push_back(heading(cell.left, cell.right, cell.y, QString::fromUtf8(cell.text)));
    return c;
}

}  // namespace

ReportLayout elevenColumnLayout(const ReportValues& v, const ElevenColumnForm& form)
{
    ReportLayout l;
    l.orientation = QPageLayout::Landscape;
    l.lineArea = QRect(198, 563, 11000, 6938);
    l.pageHeader = FixedBand{198, 375, 11000, Band{198, columnNumberRow(kRowX, 10, kRowWidth, 167, kDividers), {}}};
    l.pageFooter = pageFooter(167, 7510, 11000, 10198, 31);

    Controls columns = headings();
    append(columns, columnNumberRow(kRowX, 1063, kRowWidth, 167, kDividers));

    Band footer{form.footerHeight, {rule(0, 0), label(177, 31, QStringLiteral("ИТОГО ПО РАЗДЕЛАМ:"), font(9, true))}, {}};
    append(footer, amountSums(v, form.totalSumX, 31));
    append(footer, form.footerNotes);

    Band sectionFooter{240,
                       {rule(0, 0), label(208, 21, QStringLiteral("Итого по разделу №")),
                        field(1448, 21, QStringLiteral("n_3"), [] { return Decimal(int(GRO().NUMINSMETA)); })},
                       font(0, true)};
    append(sectionFooter, amountSums(v, form.totalSumX, 21));

    l.groups = {estimateGroup({Band{kHeadingsTop, form.title, {}}, headingsBand(columns, 1250)}, footer),
                sectionGroup(sectionHeader(form.sectionNamePicture, form.sectionNameWidth), sectionFooter)};
    // numbers end at their column's right divider (the frame for the last)
    l.line = lineBand({
        {83, [&v] { return Decimal(v.lineCounter); }, "n_6", {}, 479 - 83},
        {479, {}, nullptr, [] { return NSB().NRAS.toQString(); }, 760},
        {1271, {}, nullptr, [] { return NSB().NAME.toQString(); }, 3031},
        {form.unitX, {}, nullptr, [] { return NSB().EDIZM.toQString(); }, form.unitWidth},
        {form.quantityX, [&v] { return v.quantity; }, "n-10.2", {}, 6073 - form.quantityX},
        {5969, [] { return dec(NSB().CENA_OB); }, "n9.2", {}, 6646 - 5969},
        {6563, [] { return dec(NSB().CENA_TZ); }, "n9.2", {}, 7177 - 6563},
        {7156, [] { return dec(NSB().EKSPLM); }, "n9.2", {}, 7792 - 7156},
        {7750, [] { return dec(NSB().ZARPLM); }, "n9.2", {}, 8427 - 7750},
        {8344, [&v] { return v.amounts.total; }, "n-10.2", {}, 8979 - 8344},
        {8979, [&v] { return v.amounts.wages; }, "n-10.2", {}, 9625 - 8979},
        {9615, [&v] { return v.amounts.machines; }, "n-10.2", {}, 10208 - 9615},
        {10302, [&v] { return v.amounts.machinistWages; }, "n-10.2", {}, kRight - 10302},
    });
    return l;
}

}  // namespace estimate_report
