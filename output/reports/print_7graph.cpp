#include "output/reports/print_7graph.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "output/reports/seven_column_form.h"

namespace {

using namespace ui::report;
using namespace estimate_report;

ReportLayout layout(const ReportValues& v)
{
    SevenColumnForm form;
    form.titleHeight = 1260;
    // the telephones stand beside the address, in the same space
    Control phone = text(3594, 365, 2031, [] { return FirmPhone.toQString(); });
    phone.height = 469 - 365;
    form.title = {logo(52, 52, 500, 500), phone,
                  label(2521, 21, QStringLiteral("Смета №"), font(11, true)),
                  field(3302, 21, QStringLiteral("n_6"), [] { return Decimal(int(DFL().NUMBER)); }, font(10, true))};
    append(form.title, stacked({text(938, 260, 4115, [] { return FirmName.toQString(); }),
                                text(938, 365, 2500, [] { return FirmAddress.toQString(); }),
                                text(938, 469, 4688, [] { return DFL().NAME.toQString(); }, font(9, true)),
                                text(938, 542, 4688, [] { return DFL().NAMEOBJECT.toQString(); }, font(9, true)),
                                text(938, 625, 4688, [] { return DFL().OSNOV.toQString(); })},
                               kHeadingsTop));
    form.sectionNamePicture = QStringLiteral("S80");
    form.sectionNameWidth = 6042;
    form.sectionNumberX = 1417;
    form.sectionNumberY = 21;
    form.totalX = 6906;
    form.totalSumX = 6698;
    form.footerHeight = 708;
    const FontSpec courier{QStringLiteral("Courier New Cyr"), 8, {}};
    form.footerNotes = {text(156, 260, 7552, [&v] { return v.totals.text; }, font(8, true, courier.family)),
                        text(156, 469, 7552, [] { return DFL().Primechanie.toQString(); }, courier)};
    return sevenColumnLayout(v, form);
}

}  // namespace

void Print7graph()
{
    runForm(FormSpec{QStringLiteral("Print7graph"), QStringLiteral("Печатаем 7-графовую смету"), layout});
}
