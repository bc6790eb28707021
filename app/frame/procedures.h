#pragma once
// Fills the table of window procedures with the program's windows (at start-up, before the
// frame opens). A procedure that is not there leaves its menu item and toolbar button disabled.

void registerProgramProcedures();
