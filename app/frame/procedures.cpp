#include "app/frame/procedures.h"

#include "app/windows/about_window.h"
#include "app/windows/settings_window.h"
#include "catalogue/import/imprt_raszenok.h"
#include "catalogue/units/browse_ed_izmer.h"
#include "platform/ui/procedures.h"

namespace {

ui::Procedure withoutArgs(void (*procedure)())
{
    return [procedure](const ui::ProcedureArgs&) { procedure(); };
}

}  // namespace

void registerProgramProcedures()
{
    ui::registerProcedure(QStringLiteral("BrowseEdIzmer"), withoutArgs(BrowseEdIzmer));
    ui::registerProcedure(QStringLiteral("ImprtRaszenok"), withoutArgs(ImprtRaszenok));
    ui::registerProcedure(QStringLiteral("ShwNaz"), withoutArgs(ShwNaz));
    ui::registerProcedure(QStringLiteral("ShowAbout"), withoutArgs(ShowAbout));
}
