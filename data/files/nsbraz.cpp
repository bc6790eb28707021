#include "data/files/nsbraz.h"

const records::Layout& NSBRAZLayout()
{
    static const records::Layout layout = records::LayoutBuilder<NSBRAZRecord>("NSBRAZ", "NSR")
        .field<&NSBRAZRecord::KEY_ROOT>("KEY_ROOT")
        .field<&NSBRAZRecord::NAME>("NAME")
        .key("NSR:ONCATEGORIES", {"KEY_ROOT"}, records::NoCase | records::Opt | records::Primary)
        .build();
    return layout;
}
