#include "output/reports/print_smeta.h"

#include "data/thread_data.h"
#include "output/reports/eleven_column_form.h"

namespace {

using namespace ui::report;
using namespace estimate_report;

ReportLayout layout(const ReportValues& v)
{
    ElevenColumnForm form;
    form.title = {label(8479, 167, QStringLiteral("В сумме"), font(9, true)),
                  field(9073, 177, QStringLiteral("n-19.2"), [&v] { return v.totals.runningTotal; }, font(8, true)),
                  label(3583, 31, QStringLiteral("Смета"), font(11, true)),
                  label(4344, 31, QStringLiteral("№"), font(10, true)),
                  field(4729, 31, QStringLiteral("n_6"), [] { return Decimal(int(DFL().NUMBER)); }, font(10, true))};
    append(form.title, stacked({text(1010, 250, 6854, [] { return DFL().NAME.toQString(); }, font(9, true)),
                                text(1010, 458, 6854, [] { return DFL().NAMEOBJECT.toQString(); }, font(9, true)),
                                text(1010, 583, 6854, [] { return DFL().OSNOV.toQString(); }, font(9, true))},
                               kHeadingsTop));
    append(form.title, approval(QStringLiteral("У Т В Е Р Ж Д А Ю"), 8823, 10, 8479, 490, 8479, 510));
    form.sectionNamePicture = QStringLiteral("S80");
    form.sectionNameWidth = 5948;
    form.unitX = 4427;
    form.unitWidth = 938;
    form.quantityX = 5396;
    form.totalSumX = 8219;
    form.footerHeight = 708;
    form.footerNotes = {text(146, 250, 9042, [&v] { return v.totals.text; }, font(8, true, QStringLiteral("Courier New Cyr"))),
                        text(156, 469, 7656, [] { return DFL().Primechanie.toQString(); })};
    return elevenColumnLayout(v, form);
}

}  // namespace

estimate_report::FormSpec printSmetaForm()
{
    return FormSpec{QStringLiteral("PrintSmeta"), QStringLiteral("Печатаем Акт"), layout};
}

void PrintSmeta() { runForm(printSmetaForm()); }
