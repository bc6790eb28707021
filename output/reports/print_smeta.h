#pragma once
// `PrintSmeta`: the 11-column form of the estimate `NumSmeta` holds, landscape.

#include "output/reports/estimate_report.h"

void PrintSmeta();
// Its layout, progress text and name.
estimate_report::FormSpec printSmetaForm();
