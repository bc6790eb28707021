#include "output/reports/print_akt_7graph.h"

#include "data/thread_data.h"
#include "output/reports/seven_column_form.h"

namespace {

using namespace ui::report;
using namespace estimate_report;

ReportLayout layout(const ReportValues& v)
{
    Control name = text(927, 260, 4510, [] { return DFL().NAME.toQString(); }, font(9, true));
    name.height = 260;
    SevenColumnForm form;
    form.titleHeight = 1250;
    form.title = {logo(83, 42, 635, 469),
                  label(1563, 10, QStringLiteral("Акт приемки работ по смете №"), font(11, true)),
                  field(4000, 10, QStringLiteral("n_6"), [] { return Decimal(int(DFL().NUMBER)); }, font(10, true))};
    append(form.title, stacked({name, text(927, 542, 4490, [] { return DFL().NAMEOBJECT.toQString(); }),
                                text(927, 615, 4490, [] { return DFL().OSNOV.toQString(); })},
                               kHeadingsTop));
    form.sectionNamePicture = QStringLiteral("s80");
    form.sectionNameWidth = 5969;
    form.sectionNumberX = 1396;
    form.sectionNumberY = 10;
    form.totalX = 6927;
    form.totalSumX = 6719;
    form.footerHeight = 469;
    form.footerNotes = {
        text(156, 260, 7552, [&v] { return v.totals.text; }, font(8, true, QStringLiteral("Courier New Cyr")))};
    return sevenColumnLayout(v, form);
}

}  // namespace

void PrintAkt7graph()
{
    runForm(FormSpec{QStringLiteral("PrintAkt7graph"), QStringLiteral("Печатаем акт 7-ми графки"), layout,
                     TotalsMode::Act});
}
