#include "platform/ui/entry.h"

#include "platform/core/codepage.h"

namespace ui {

QValidator::State Cp1251Validator::validate(QString& input, int&) const
{
    for (char32_t c : input.toUcs4())
        if (!codepage::representableInCp1251(c)) return Invalid;
    return Acceptable;
}

QLineEdit* newEntry(int width)
{
    auto* edit = new QLineEdit;
    edit->setMaxLength(width);
    edit->setValidator(new Cp1251Validator(edit));
    return edit;
}

}  // namespace ui
