#include "platform/ui/windows/text_box.h"

#include "platform/core/codepage.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace ui {

namespace {

bool representable(const QString& text)
{
    for (char32_t c : text.toUcs4())
        if (!codepage::representableInCp1251(c)) return false;
    return true;
}

// What the text widget holds for a typed or pasted text: paragraph separators as line feeds.
QString plain(QString text)
{
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

}  // namespace

TextBox::TextBox(int capacity, QWidget* parent) : QPlainTextEdit(parent), capacity_(capacity)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (hasFocus()) modified_ = true;
    });
}

int TextBox::storedLength(const QString& text)
{
    const QString p = plain(text);
    return int(p.size() + p.count(u'\n'));
}

QString TextBox::shownText(const QString& stored)
{
    QString shown = stored;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QString TextBox::storedText(const QString& shown)
{
    QString stored = plain(shown);
    stored.replace(u'\n', QStringLiteral("\r\n"));
    return stored;
}

int TextBox::room() const
{
    return capacity_ - storedLength(toPlainText()) + storedLength(textCursor().selectedText());
}

bool TextBox::takes(const QString& text) const { return representable(text) && storedLength(text) <= room(); }

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const bool lineBreak = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
    const bool printable = lineBreak || (!typed.isEmpty() && typed.front().isPrint());
    if (printable && !isReadOnly() && !takes(typed)) {
        event->accept();  // refused
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() && !takes(event->commitString())) {
        event->setCommitString({});
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TextBox::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText() || isReadOnly()) return;
    QString text = plain(source->text());
    if (!representable(text)) return;
    // cut where the field is full, never inside a line break
    int free = room();
    qsizetype n = 0;
    for (; n < text.size(); ++n) {
        const int cost = text[n] == u'\n' ? 2 : 1;
        if (cost > free) break;
        free -= cost;
    }
    text.truncate(n);
    if (!text.isEmpty()) textCursor().insertText(text);
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (modified_) emit editingFinished();
}

TextBox* newTextBox(int capacity) { return new TextBox(capacity); }

}  // namespace ui
