#include "data/files/wrks_in_smt.h"

const records::Layout& WrksInSmtLayout()
{
    static const records::Layout layout = records::LayoutBuilder<WrksInSmtRecord>("WrksInSmt", "NSB")
        .field<&WrksInSmtRecord::CODER>("CODER")
        .field<&WrksInSmtRecord::GRINSMETA>("GRINSMETA")
        .field<&WrksInSmtRecord::NUMINGROUP>("NUMINGROUP")
        .field<&WrksInSmtRecord::NRAS>("NRAS")
        .field<&WrksInSmtRecord::NAME>("NAME")
        .field<&WrksInSmtRecord::EDIZM>("EDIZM")
        .field<&WrksInSmtRecord::CENA_OB>("CENA_OB")
        .field<&WrksInSmtRecord::CENA_TZ>("CENA_TZ")
        .field<&WrksInSmtRecord::EKSPLM>("EKSPLM")
        .field<&WrksInSmtRecord::ZARPLM>("ZARPLM")
        .field<&WrksInSmtRecord::CENA_M>("CENA_M")
        .field<&WrksInSmtRecord::CHELCH>("CHELCH")
        .field<&WrksInSmtRecord::KCHELCHM>("KCHELCHM")
        .field<&WrksInSmtRecord::VOZVRAT>("VOZVRAT")
        .field<&WrksInSmtRecord::ITEXPMASH>("ITEXPMASH")
        .field<&WrksInSmtRecord::ITZARPMASH>("ITZARPMASH")
        .field<&WrksInSmtRecord::ONAKT>("ONAKT")
        .field<&WrksInSmtRecord::KOOEFF>("KOOEFF")
        .key("NSB:ONSMETNUM", {"CODER", "GRINSMETA", "NUMINGROUP"}, records::Dup | records::NoCase | records::Opt)
        .key("NSB:BYSMETAWORKS", {"GRINSMETA", "NUMINGROUP"}, records::Dup | records::NoCase | records::Opt)
        .key("NSB:ONSPRAVNUM", {"NRAS"}, records::Dup | records::NoCase | records::Opt)
        .build();
    return layout;
}
