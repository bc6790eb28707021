#pragma once
// `UpdateWrksInSmt`: the form of one work line in the thread's WrksInSmt buffer. The estimate
// editor calls it with insert (the line primed and numbered in its section), change or delete;
// the rate catalogue calls it with insert on a line it has not primed, which takes the current
// estimate and the section of the thread's GroupsWks buffer and is numbered when stored. The
// line takes its rate and unit through the catalogue and unit lookups, reached by name.

void UpdateWrksInSmt();
