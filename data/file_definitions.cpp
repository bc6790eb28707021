#include "data/file_definitions.h"

#include "data/files/ed_izmer.h"
#include "data/files/groups_wks.h"
#include "data/files/headers.h"
#include "data/files/mat_lst.h"
#include "data/files/mats.h"
#include "data/files/nsbraz.h"
#include "data/files/raszenki.h"
#include "data/files/textrep.h"
#include "data/files/wrks_in_smt.h"
#include "platform/core/dates.h"

namespace {

void primeRaszenki(void* record) { static_cast<RaszenkiRecord*>(record)->CODER = 1; }

void primeWrksInSmt(void* record) { static_cast<WrksInSmtRecord*>(record)->KOOEFF = Decimal(1); }

void primeHeaders(void* record)
{
    auto& r = *static_cast<HeadersRecord*>(record);
    r.ZAK_DOL = QStringLiteral("Директор");
    r.DATEACT = dates::today();
    r.DATEDOG = dates::today();
    r.DOPNACH1 = Decimal(0);
    r.DOPNACH1_1 = Decimal(0);
    r.DOPNACH2 = Decimal(0);
    r.DOPNACH2_1 = Decimal(0);
    r.KNDS = Decimal(0);
}

const std::vector<FileDefinition>& definitions()
{
    static const std::vector<FileDefinition> all = {
        {FileId::Headers, "Headers", HeadersLayout,
         {{"DFL:BYNUM", "по Номеру", 1}, {"DFL:BYNAME", "по Наименованию", 0}, {"DFL:BYDATA", "по Дате", 0}},
         primeHeaders},
        {FileId::MATS, "MATS", MATSLayout,
         {{"MAT:ONSMETANUM", "по номерам смет", 2}, {"MAT:EDIZMKEY", "Единицы", 0}, {"MAT:ONNUMNAME", "по Наименованиям", 0}},
         nullptr},
        {FileId::MatLst, "MatLst", MatLstLayout, {{"MAN:BYNUMMATERIAL", "по Номеру", 1}, {"MAN:ONEDIZM", "по Единицам", 0}},
         nullptr},
        {FileId::WrksInSmt, "WrksInSmt", WrksInSmtLayout,
         {{"NSB:ONSMETNUM", "по номеру сметы", 3},
          {"NSB:BYSMETAWORKS", "По порядку в работах", 0},
          {"NSB:ONSPRAVNUM", "по Справочникам", 0}},
         primeWrksInSmt},
        {FileId::Raszenki, "Raszenki", RaszenkiLayout,
         {{"WRK:ONGROUP", "по Групе", 0}, {"WRK:ONWORKS", "По работам", 0}, {"WRK:ONSPRAVOCH", "По позиции", 0}},
         primeRaszenki},
        {FileId::NSBRAZ, "NSBRAZ", NSBRAZLayout, {{"NSR:ONCATEGORIES", "по Категориям", 0}}, nullptr},
        {FileId::textrep, "textrep", textrepLayout, {}, nullptr},
        {FileId::EdIzmer, "EdIzmer", EdIzmerLayout, {{"EDI:KeyEdIzm", "EDI:KeyEdIzm", 0}}, nullptr},
        {FileId::GroupsWks, "GroupsWks", GroupsWksLayout,
         {{"GRO:KeyNumInsmeta", "GRO:KeyNumInsmeta", 2}, {"GRO:BY_NUM", "По Номерам", 0}},
         nullptr},
    };
    return all;
}

}  // namespace

const FileDefinition& definitionOf(FileId id) { return definitions()[indexOf(id)]; }

const std::vector<RelationDefinition>& relationDefinitions()
{
    using records::RI_CASCADE;
    using records::RI_NONE;
    static const std::vector<RelationDefinition> all = {
        {FileId::Headers, FileId::GroupsWks, "GRO:KeyNumInsmeta", RI_CASCADE, RI_CASCADE, {{"NUMBER", "NUMSMET"}}},
        {FileId::Headers, FileId::WrksInSmt, "NSB:ONSMETNUM", RI_CASCADE, RI_CASCADE, {{"NUMBER", "CODER"}}},
        {FileId::Headers, FileId::MATS, "MAT:ONSMETANUM", RI_CASCADE, RI_CASCADE, {{"NUMBER", "CODE"}}},
        {FileId::GroupsWks, FileId::WrksInSmt, "NSB:ONSMETNUM", RI_NONE, RI_NONE,
         {{"NUMSMET", "CODER"}, {"NUMINSMETA", "GRINSMETA"}}},
        {FileId::EdIzmer, FileId::MatLst, "MAN:ONEDIZM", RI_NONE, RI_NONE, {{"EDIZM", "EDIZM"}}},
        {FileId::EdIzmer, FileId::MATS, "MAT:EDIZMKEY", RI_NONE, RI_NONE, {{"EDIZM", "EDIZM"}}},
        {FileId::NSBRAZ, FileId::Raszenki, "WRK:ONGROUP", RI_NONE, RI_NONE, {{"KEY_ROOT", "GROUP"}}},
    };
    return all;
}
