#pragma once
// `PrintAkt7graph`: the act of the estimate `NumSmeta` holds in the 7-column form, portrait,
// with the logo: the lines with an act quantity and their act totals; the act's total is stored
// in the header.

void PrintAkt7graph();
