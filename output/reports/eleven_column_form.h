#pragma once
// The 11-column forms, landscape: the estimate's and the act's. They share the page, the
// column headings, the line band's columns and the sums, and differ in what is given here.

#include "output/reports/estimate_report.h"

namespace estimate_report {

struct ElevenColumnForm {
    Controls title;  // the form's own part of the estimate header, above the column headings
    QString sectionNamePicture;
    int sectionNameWidth = 0;
    int unitX = 0, unitWidth = 0;  // column 4
    int quantityX = 0;             // column 5
    int totalSumX = 0;             // the sums of the line totals
    int footerHeight = 0;
    Controls footerNotes;  // below the sums of the last footer: the totals text and what follows
};

ui::report::ReportLayout elevenColumnLayout(const ReportValues& v, const ElevenColumnForm& form);

}  // namespace estimate_report
