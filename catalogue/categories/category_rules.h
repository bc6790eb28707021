#pragma once
// What a rate category needs before it is stored, wherever it comes from (the list's rows, the
// category form, the import): a code. The key leaves blank codes out, so a category stored
// without one could never be listed, changed or deleted again.

#include "data/files/nsbraz.h"

// Neither a code nor a name: nothing to store.
bool CategoryIsEmpty(const NSBRAZRecord& category);
bool CategoryCodeMissing(const NSBRAZRecord& category);
// Says that the code is missing.
void TellCategoryCodeMissing();
