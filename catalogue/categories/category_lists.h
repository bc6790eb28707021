#pragma once
// The lists of rate categories, by code. `BrowseNSBRAZ` edits the categories in place and opens
// the rates of the highlighted one; it leaves the category highlighted last in the thread's
// record buffer. `SelectNSBRAZ` only chooses one: under the select request "&Выбрать" answers
// completed with the category in the buffer, "Закрыть" cancelled with the buffer put back.

void BrowseNSBRAZ();
void SelectNSBRAZ();
