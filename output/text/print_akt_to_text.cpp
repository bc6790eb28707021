#include "output/text/print_akt_to_text.h"

#include "output/text/text_report_procedure.h"

void PrintAktToText()
{
    runTextReport({TotalsMode::Act, QStringLiteral("PrintAktToText"), QStringLiteral("PrintGroups1"), 400});
}
