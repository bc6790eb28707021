#include "data/files/raszenki.h"

const records::Layout& RaszenkiLayout()
{
    static const records::Layout layout = records::LayoutBuilder<RaszenkiRecord>("Raszenki", "WRK")
        .field<&RaszenkiRecord::CODER>("CODER")
        .field<&RaszenkiRecord::GROUP>("GROUP")
        .field<&RaszenkiRecord::NRAS>("NRAS")
        .field<&RaszenkiRecord::NAME>("NAME")
        .field<&RaszenkiRecord::EDIZM>("EDIZM")
        .field<&RaszenkiRecord::CENA_OB>("CENA_OB")
        .field<&RaszenkiRecord::CENA_TZ>("CENA_TZ")
        .field<&RaszenkiRecord::EKSPLM>("EKSPLM")
        .field<&RaszenkiRecord::ZARPLM>("ZARPLM")
        .field<&RaszenkiRecord::CENA_M>("CENA_M")
        .field<&RaszenkiRecord::CHELCH>("CHELCH")
        .field<&RaszenkiRecord::KCHELCHM>("KCHELCHM")
        .field<&RaszenkiRecord::VOZVRAT>("VOZVRAT")
        .field<&RaszenkiRecord::METKA>("METKA")
        .foldedCopy("NAME")  // the catalogue's "contains" filter
        .key("WRK:ONGROUP", {"GROUP", "NRAS"}, records::Dup | records::NoCase | records::Opt)
        .key("WRK:ONWORKS", {"NAME"}, records::Dup | records::NoCase | records::Opt)
        .key("WRK:ONSPRAVOCH", {"NRAS"}, records::NoCase | records::Opt | records::Primary)
        .build();
    return layout;
}
