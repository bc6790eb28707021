#include "platform/ui/windows/entry.h"

#include "platform/core/codepage.h"

#include <QKeyEvent>

namespace ui {

QValidator::State Cp1251Validator::validate(QString& input, int&) const
{
    for (char32_t c : input.toUcs4())
        if (!codepage::representableInCp1251(c)) return Invalid;
    return Acceptable;
}

Entry::Entry(int width, bool overwrite, QWidget* parent) : QLineEdit(parent), overwrite_(overwrite)
{
    if (width > 0) setMaxLength(width);
    setValidator(new Cp1251Validator(this));
}

void Entry::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (overwrite_ && !typed.isEmpty() && typed.front().isPrint() && !hasSelectedText() &&
        cursorPosition() < text().size())
        setSelection(cursorPosition(), 1);
    QLineEdit::keyPressEvent(event);
}

Entry* newEntry(int width, bool overwrite) { return new Entry(width, overwrite); }

}  // namespace ui
