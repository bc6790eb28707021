#include "output/text/print_to_text_file.h"

#include "output/text/text_report_procedure.h"

void PrintToTextFile()
{
    runTextReport({TotalsMode::Estimate, QStringLiteral("PrintToTextFile"), QStringLiteral("PrintGroups"), 300});
}
