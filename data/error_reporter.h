#pragma once
// `ErrorReporter`: the program's error manager with its stock messages in Russian.

#include "platform/records/error_manager.h"

records::ErrorManager& ErrorReporter();

// Gives the error reporter the program's stock messages (start-up, before any file is used).
void SetupErrorReporter();
