#pragma once
// `UpdateNSBRAZ`: the form that adds a rate category under the insert request. It works on the
// thread's record buffer as its caller filled it (a typed name in NSR:NAME), so a form left
// untouched counts as unchanged.

void UpdateNSBRAZ();
