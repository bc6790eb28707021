#pragma once
// What a rate needs before it is stored, wherever it comes from (the rate form, the import): a
// code or a name. With both blank it would be missing from the code and name orders, and from
// every order once its category is blank too.

#include "data/files/raszenki.h"

bool RateUnnamed(const RaszenkiRecord& rate);
// Says that code and name are missing.
void TellRateUnnamed();
