#pragma once
// The text report's procedure, of the estimate or of its act: the estimate `NumSmeta` holds
// when it starts as the fixed-width DOS text "TEXTREP" (cp866, CR LF) for a line printer, with a
// progress window over the sections and one over the lines of each; then the text viewer on the
// file, not waited for. Runs on the calling thread, which its caller starts for it.

#include "output/text/text_report_run.h"

#include <QString>

struct TextReportForm {
    TotalsMode mode;  // the act writes the lines with an act quantity, with its amounts
    QString outerName;  // the procedure over the sections: "PrintToTextFile"
    QString innerName;  // the one over each section's lines: "PrintGroups"
    long outerExpectedRecords;
};

void runTextReport(const TextReportForm& form);
