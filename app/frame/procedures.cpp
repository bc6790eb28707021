#include "app/frame/procedures.h"

#include "app/windows/about_window.h"
#include "app/windows/settings_window.h"
#include "catalogue/categories/category_lists.h"
#include "catalogue/categories/update_nsbraz.h"
#include "catalogue/import/imprt_raszenok.h"
#include "catalogue/rates/browse_raszenki.h"
#include "catalogue/rates/browse_wrk_on_group.h"
#include "catalogue/rates/update_raszenki.h"
#include "catalogue/units/browse_ed_izmer.h"
#include "estimate/act/browse_akt.h"
#include "estimate/editor/current_smeta.h"
#include "estimate/headers/update_headers.h"
#include "estimate/lines/update_wrks_in_smt.h"
#include "estimate/list/select_smeta.h"
#include "estimate/sections/update_groups_wks.h"
#include "output/exports/export_smeta_to_excel.h"
#include "output/exports/export_smeta_to_xml.h"
#include "output/reports/print_7graph.h"
#include "output/reports/print_akt_7graph.h"
#include "output/reports/print_akt_graph.h"
#include "output/reports/print_smeta.h"
#include "output/text/print_akt_to_text.h"
#include "output/text/print_to_text_file.h"
#include "output/text/text_viewer.h"
#include "platform/ui/windows/procedures.h"

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
    ui::registerProcedure(QStringLiteral("BrowseNSBRAZ"), withoutArgs(BrowseNSBRAZ));
    ui::registerProcedure(QStringLiteral("SelectNSBRAZ"), withoutArgs(SelectNSBRAZ));
    ui::registerProcedure(QStringLiteral("UpdateNSBRAZ"), withoutArgs(UpdateNSBRAZ));
    ui::registerProcedure(QStringLiteral("BrowseWRK:OnGroup"), withoutArgs(BrowseWRKOnGroup));
    ui::registerProcedure(QStringLiteral("BrowseRaszenki"), withoutArgs(BrowseRaszenki));
    ui::registerProcedure(QStringLiteral("UpdateRaszenki"), withoutArgs(UpdateRaszenki));
    ui::registerProcedure(QStringLiteral("ShwNaz"), withoutArgs(ShwNaz));
    ui::registerProcedure(QStringLiteral("ShowAbout"), withoutArgs(ShowAbout));
    ui::registerProcedure(QStringLiteral("CurrentSmeta"), withoutArgs(CurrentSmeta));
    ui::registerProcedure(QStringLiteral("SelectSmeta"), withoutArgs(SelectSmeta));
    ui::registerProcedure(QStringLiteral("UpdateHeaders"), withoutArgs(UpdateHeaders));
    ui::registerProcedure(QStringLiteral("UpdateGroupsWks"), withoutArgs(UpdateGroupsWks));
    ui::registerProcedure(QStringLiteral("UpdateWrksInSmt"), withoutArgs(UpdateWrksInSmt));
    ui::registerProcedure(QStringLiteral("BrowseAkt"), withoutArgs(BrowseAkt));
    ui::registerProcedure(QStringLiteral("PrintSmeta"), withoutArgs(PrintSmeta));
    ui::registerProcedure(QStringLiteral("Print7graph"), withoutArgs(Print7graph));
    ui::registerProcedure(QStringLiteral("PrintAktGraph"), withoutArgs(PrintAktGraph));
    ui::registerProcedure(QStringLiteral("PrintAkt7graph"), withoutArgs(PrintAkt7graph));
    ui::registerProcedure(QStringLiteral("ExportSmetaToExcel"),
                          [](const ui::ProcedureArgs& args) { ExportSmetaToExcel(args.value(0).toInt()); });
    ui::registerProcedure(QStringLiteral("ExportSmetaToXml"), [](const ui::ProcedureArgs& args) {
        ExportSmetaToXml(args.value(0).toInt(), args.value(1).toInt());
    });
    ui::registerProcedure(QStringLiteral("ExportAktToXml"), [](const ui::ProcedureArgs& args) {
        ExportAktToXml(args.value(0).toInt(), args.value(1).toInt());
    });
    ui::registerProcedure(QStringLiteral("PrintToTextFile"), withoutArgs(PrintToTextFile));
    ui::registerProcedure(QStringLiteral("PrintAktToText"), withoutArgs(PrintAktToText));
    ui::registerProcedure(QStringLiteral("ShowTextFile"),
                          [](const ui::ProcedureArgs& args) { ShowTextFile(args.value(0).toString()); });
}
