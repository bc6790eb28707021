#include "output/reports/print_akt_graph.h"

#include "data/thread_data.h"
#include "output/reports/eleven_column_form.h"

namespace {

using namespace ui::report;
using namespace estimate_report;

ReportLayout layout(const ReportValues& v)
{
    ElevenColumnForm form;
    form.title = {label(3677, 10, QStringLiteral("А К Т   к смете №"), font(11, true)),
                  field(5135, 21, QStringLiteral("n_6"), [] { return Decimal(int(DFL().NUMBER)); }, font(10, true))};
    append(form.title, stacked({text(927, 219, 6854, [] { return DFL().NAME.toQString(); }, font(9)),
                                text(927, 427, 6854, [] { return DFL().NAMEOBJECT.toQString(); }, font(9)),
                                text(927, 594, 6854, [] { return DFL().OSNOV.toQString(); }, font(9))},
                               kHeadingsTop));
    form.sectionNamePicture = QStringLiteral("S35");
    form.sectionNameWidth = 2719;
    form.unitX = 4344;
    form.unitWidth = 1010;
    form.quantityX = 5385;
    form.totalSumX = 8344;
    form.footerHeight = 1188;
    const QString courier = QStringLiteral("Courier New Cyr");
    form.footerNotes = {text(146, 250, 9469, [&v] { return v.totals.text; }, font(9, true, courier)),
                        text(156, 521, 9427, [] { return DFL().Primechanie.toQString(); }, font(9, false, courier)),
                        label(833, 781, QStringLiteral("ПРЕДСТАВИТЕЛЬ ЗАКАЗЧИКА:")),
                        rule(990, 1146, 1406),
                        label(6094, 781, QStringLiteral("ПРЕДСТАВИТЕЛЬ ПОДРЯДЧИКА:")),
                        rule(6250, 1146, 1510)};
    return elevenColumnLayout(v, form);
}

}  // namespace

estimate_report::FormSpec printAktGraphForm()
{
    FormSpec form{QStringLiteral("PrintAktGraph"), QStringLiteral("Печатаем Акт"), layout, TotalsMode::Act};
    form.preview = PreviewOptions{PreviewOptions::FitWidth, true};
    return form;
}

void PrintAktGraph() { runForm(printAktGraphForm()); }
