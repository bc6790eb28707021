#include "data/files/ed_izmer.h"

const records::Layout& EdIzmerLayout()
{
    static const records::Layout layout = records::LayoutBuilder<EdIzmerRecord>("EdIzmer", "EDI")
        .field<&EdIzmerRecord::EDIZM>("EDIZM")
        .key("EDI:KeyEdIzm", {"EDIZM"}, records::NoCase | records::Opt)
        .build();
    return layout;
}
