#include "app/frame/procedures.h"

#include "app/windows/about_window.h"
#include "app/windows/settings_window.h"
#include "catalogue/import/imprt_raszenok.h"
#include "catalogue/units/browse_ed_izmer.h"
#include "estimate/headers/update_headers.h"
#include "estimate/lines/update_wrks_in_smt.h"
#include "estimate/list/select_smeta.h"
#include "estimate/sections/update_groups_wks.h"
#include "output/reports/print_7graph.h"
#include "output/reports/print_smeta.h"
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
    ui::registerProcedure(QStringLiteral("SelectSmeta"), withoutArgs(SelectSmeta));
    ui::registerProcedure(QStringLiteral("UpdateHeaders"), withoutArgs(UpdateHeaders));
    ui::registerProcedure(QStringLiteral("UpdateGroupsWks"), withoutArgs(UpdateGroupsWks));
    ui::registerProcedure(QStringLiteral("UpdateWrksInSmt"), withoutArgs(UpdateWrksInSmt));
    ui::registerProcedure(QStringLiteral("PrintSmeta"), withoutArgs(PrintSmeta));
    ui::registerProcedure(QStringLiteral("Print7graph"), withoutArgs(Print7graph));
}
