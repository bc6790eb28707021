#pragma once
// `UpdateGroupsWks`: the form of one section of an estimate in the thread's GroupsWks buffer,
// called by the estimate editor with insert (the caller has primed the section with its
// estimate's number), change or delete. The section's work lines go with it when it is
// renumbered or deleted.

void UpdateGroupsWks();
