#pragma once
// The 7-column forms, portrait: the estimate's and the act's. They share the page, the approval
// header, the column headings, the line band's columns and the sums, and differ in what is
// given here.

#include "output/reports/estimate_report.h"

namespace estimate_report {

struct SevenColumnForm {
    int titleHeight = 0;
    Controls title;  // the form's own part of the title header, above the column headings
    int sectionNameWidth = 0;
    QString sectionNamePicture;
    int sectionNumberX = 0, sectionNumberY = 0;  // in the section footer
    int totalX = 0;                              // column 7
    int totalSumX = 0;                           // the sums of the line totals
    int footerHeight = 0;
    Controls footerNotes;  // below the sum of the last footer: the totals text and what follows
};

ui::report::ReportLayout sevenColumnLayout(const ReportValues& v, const SevenColumnForm& form);

// `?IMAGE1`: "logo.bmp" of the current folder, read anew each time it is placed.
ui::report::Control logo(int x, int y, int width, int height);

}  // namespace estimate_report
