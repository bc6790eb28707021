#pragma once
// The window procedures the main frame starts on threads of their own. A procedure that is
// not in the table leaves its menu item and toolbar button disabled.

#include <QString>


using Procedure = void (*)();

// null when the procedure does not exist (yet)
Procedure startableProcedure(const QString& name);
