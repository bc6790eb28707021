#include "data/files/textrep.h"

const records::Layout& textrepLayout()
{
    static const records::Layout layout = records::LayoutBuilder<TextrepRecord>("textrep", "TEX")
        .field<&TextrepRecord::CURSTRING>("CURSTRING")
        .textFile(LineCodePage::Cp866)
        .build();
    return layout;
}
