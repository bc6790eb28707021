#include "platform/ui/windows/procedures.h"

#include <map>

namespace ui {

namespace {

std::map<QString, Procedure>& table()
{
    static std::map<QString, Procedure> procedures;
    return procedures;
}

}  // namespace

void registerProcedure(const QString& name, Procedure procedure) { table()[name] = std::move(procedure); }

void unregisterProcedure(const QString& name) { table().erase(name); }

bool hasProcedure(const QString& name) { return table().count(name) > 0; }

bool callProcedure(const QString& name, const ProcedureArgs& args)
{
    auto it = table().find(name);
    if (it == table().end()) return false;
    // A copy: the procedure may re-register its own name while it runs.
    const Procedure procedure = it->second;
    procedure(args);
    return true;
}

ThreadId startProcedure(const QString& name, const ProcedureArgs& args)
{
    auto it = table().find(name);
    if (it == table().end()) return 0;
    return Scheduler::instance().start([procedure = it->second, args] { procedure(args); });
}

}  // namespace ui
