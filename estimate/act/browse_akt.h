#pragma once
// `BrowseAkt`: the act of completed work of one estimate, the one `NumSmeta` names when the
// window starts. The sections of the estimate and the work lines of the highlighted section,
// whose act quantities are edited in place and filled from the plan; the printed and text
// acts are started by name on threads of their own, for this window's estimate.

void BrowseAkt();
