#pragma once
// `UpdateHeaders`: the form of one estimate header in the thread's Headers buffer, called by
// the estimate list and the editor with insert, change or delete. A new header takes the
// firm's details, charges and default indices; OK makes its estimate NumSmeta; a changed
// number goes with the estimate's sections, lines and materials; deleting takes them too.

void UpdateHeaders();
