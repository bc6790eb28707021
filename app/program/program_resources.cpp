#include "app/program/program_resources.h"

#include <QtGlobal>

// Global scope, as the declaration the macro makes needs.
void loadProgramResources() { Q_INIT_RESOURCE(resources); }
