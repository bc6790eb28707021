#pragma once
// The program's table of window procedures, filled at start-up: the windows of one folder start
// or call those of another by name, so the folders never link each other, and tests register
// stand-ins under the same names.

#include "platform/ui/threads/scheduler.h"

#include <QString>
#include <QVariantList>

#include <functional>

namespace ui {

// What a caller hands a procedure (an estimate number, a mode); most take nothing.
using ProcedureArgs = QVariantList;
using Procedure = std::function<void(const ProcedureArgs&)>;

// A name registered again takes the new procedure.
void registerProcedure(const QString& name, Procedure procedure);
void unregisterProcedure(const QString& name);
bool hasProcedure(const QString& name);

// Runs the procedure on the calling thread (nested, as forms and lookups run); false when no
// procedure has that name.
bool callProcedure(const QString& name, const ProcedureArgs& args = {});
// Starts the procedure on a new logical thread: the thread's id, or 0 when no procedure has that
// name or no thread could be made.
ThreadId startProcedure(const QString& name, const ProcedureArgs& args = {});

}  // namespace ui
