#include "data/files/mats.h"

const records::Layout& MATSLayout()
{
    static const records::Layout layout = records::LayoutBuilder<MATSRecord>("MATS", "MAT")
        .field<&MATSRecord::CODE>("CODE")
        .field<&MATSRecord::NPP>("NPP")
        .field<&MATSRecord::NAME>("NAME")
        .field<&MATSRecord::EDIZM>("EDIZM")
        .field<&MATSRecord::KOL_VO>("KOL_VO")
        .field<&MATSRecord::CENA_OB>("CENA_OB")
        .field<&MATSRecord::ST_OB>("ST_OB")
        .field<&MATSRecord::NUMBER>("NUMBER")
        .field<&MATSRecord::CODEM>("CODEM")
        .key("MAT:ONSMETANUM", {"CODE", "NPP"}, records::Dup | records::NoCase | records::Opt)
        .key("MAT:EDIZMKEY", {"EDIZM"}, records::Dup | records::NoCase | records::Opt)
        .key("MAT:ONNUMNAME", {"CODE", "NAME"}, records::Dup | records::NoCase | records::Opt)
        .build();
    return layout;
}
