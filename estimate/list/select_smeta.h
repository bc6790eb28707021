#pragma once
// `SelectSmeta`: the list of the estimate headers from which the estimate editor takes its
// estimate (called nested under the select request). Choosing sets NumSmeta and
// GLO:CurrentSmeta to the chosen estimate; headers are added, changed and deleted through
// `UpdateHeaders`.

void SelectSmeta();
