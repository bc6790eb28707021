#pragma once
// `textrep`: one line of a text report per record, in the line-oriented text file "TEXTREP".

#include "platform/records/layout.h"

struct TextrepRecord {
    FixedString<200> CURSTRING;
};

const records::Layout& textrepLayout();
