#pragma once
// The program's resources (resources/resources.qrc: help pages, ...) live in a static library,
// from which the linker takes nothing that is not named: this names them. Safe to call again.

void loadProgramResources();
