#pragma once
// `UpdateRaszenki`: the form of one rate, inserting, changing or deleting it by the request, on
// the thread's record buffer. Its category is looked up when typed and by "Катег.", its unit
// by the unit list; a lookup closed without a choice leaves the rate as it was.

void UpdateRaszenki();
