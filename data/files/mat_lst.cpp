#include "data/files/mat_lst.h"

const records::Layout& MatLstLayout()
{
    static const records::Layout layout = records::LayoutBuilder<MatLstRecord>("MatLst", "MAN")
        .field<&MatLstRecord::CODER>("CODER")
        .field<&MatLstRecord::NPP>("NPP")
        .field<&MatLstRecord::NAME>("NAME")
        .field<&MatLstRecord::EDIZM>("EDIZM")
        .field<&MatLstRecord::CENA_OB>("CENA_OB")
        .key("MAN:BYNUMMATERIAL", {"NPP"}, records::NoCase | records::Opt | records::Primary)
        .key("MAN:ONEDIZM", {"EDIZM"}, records::Dup | records::NoCase | records::Opt)
        .build();
    return layout;
}
