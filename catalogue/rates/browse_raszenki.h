#pragma once
// `BrowseRaszenki`: the rate catalogue "Справочник". Four tabs find a rate by code, by category
// (chosen in a selector that can add a new one), and by text its name contains; a query narrows
// the list on every tab. It runs as a window of its own or, under the select request, as the
// rate lookup of the work-line form; "В Смету" opens that form for a new line of the current
// estimate.

void BrowseRaszenki();
