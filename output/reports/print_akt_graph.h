#pragma once
// `PrintAktGraph`: the act of the estimate `NumSmeta` holds in the 11-column form, landscape:
// the lines with an act quantity and their act amounts; the act's total is stored in the header.

#include "output/reports/estimate_report.h"

void PrintAktGraph();
// Its layout, progress text, name and mode.
estimate_report::FormSpec printAktGraphForm();
