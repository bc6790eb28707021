#pragma once
// Entries over STRING(n) variables: they hold at most n characters (a longer text typed or
// pasted is cut there) and only characters that windows-1251 holds, as the variable does.

#include "platform/core/fixed_string.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/window.h"

#include <QLineEdit>
#include <QValidator>

namespace ui {

// Refuses a text with a character windows-1251 cannot hold (the typing or pasting of it).
class Cp1251Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// An entry of a given width that takes only windows-1251 characters; in overwrite mode the
// typed characters replace those after the cursor.
class Entry : public QLineEdit {
public:
    explicit Entry(int width, bool overwrite = false, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool overwrite_;
};

// A new entry of the given width that takes only windows-1251 characters.
Entry* newEntry(int width, bool overwrite = false);

// An entry bound to a STRING(N) variable.
template <std::size_t N>
Control& addEntry(Window& window, const QString& name, FixedString<N>& variable)
{
    Control& c = window.add(CREATE::Entry, name, newEntry(int(N)));
    c.bind(variable);
    return c;
}

}  // namespace ui
