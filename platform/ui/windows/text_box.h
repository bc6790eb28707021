#pragma once
// The text box: a multi-line entry bound to a STRING(n) or a MEMO(n). It holds at most n
// characters as they are stored (a line break is stored as CR LF and counts two), and only
// characters that windows-1251 holds: typing or pasting anything else is refused, as entries
// refuse it, and a pasted text is cut where the field is full. Tab moves on to the next
// control; the mouse-wheel add-on scrolls it.

#include "platform/core/fixed_string.h"
#include "platform/core/memo_field.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/window.h"

#include <QPlainTextEdit>

namespace ui {

class TextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextBox(int capacity, QWidget* parent = nullptr);

    int capacity() const { return capacity_; }
    // The characters the text takes as stored.
    static int storedLength(const QString& text);
    // Between the stored form (CR LF) and the shown one (line feeds).
    static QString shownText(const QString& stored);
    static QString storedText(const QString& shown);

    // Changed by the user since the text was last set from outside.
    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

signals:
    // The focus left the box after the user changed its text.
    void editingFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The characters still free when a text replaces the selection.
    int room() const;
    // Whether the text may be typed over the selection as it is.
    bool takes(const QString& text) const;

    int capacity_;
    bool modified_ = false;
};

TextBox* newTextBox(int capacity);

// A text box bound to a STRING(N) or a MEMO(N) variable.
template <std::size_t N>
Control& addTextBox(Window& window, const QString& name, FixedString<N>& variable, int number = 0)
{
    Control& c = window.add(CREATE::Text, name, newTextBox(int(N)), number);
    c.bind([&variable] { return TextBox::shownText(variable.toQString()); },
           [&variable](const QString& t) { variable = TextBox::storedText(t); });
    return c;
}
template <std::size_t N>
Control& addTextBox(Window& window, const QString& name, MemoField<N>& variable, int number = 0)
{
    Control& c = window.add(CREATE::Text, name, newTextBox(int(N)), number);
    c.bind([&variable] { return TextBox::shownText(variable.toQString()); },
           [&variable](const QString& t) { variable = TextBox::storedText(t); });
    return c;
}

}  // namespace ui
