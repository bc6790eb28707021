// The text box over a STRING(n) or a MEMO(n): the capacity as stored (a line break is CR LF),
// characters windows-1251 cannot hold, pasting, and the value between the box and its field.
#include "platform/ui/windows/text_box.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// Characters typed one by one (QTest's key clicks know only Latin-1).
void type(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        const bool lineBreak = c == u'\n';
        QKeyEvent press(QEvent::KeyPress, lineBreak ? Qt::Key_Return : 0, Qt::NoModifier, lineBreak ? QString() : QString(c));
        QApplication::sendEvent(w, &press);
    }
}

struct TextBoxes : ::testing::Test {
    TextBoxes() : window(ui::WindowKind::Dialog, "Смета", 160, 120)
    {
        auto* layout = new QVBoxLayout(window.content());
        nameBox = &ui::addTextBox(window, "?DFL:NAME", name);
        memoBox = &ui::addTextBox(window, "?DFL:PRIMECHANIE", memo);
        layout->addWidget(nameBox->widget());
        layout->addWidget(memoBox->widget());
        window.open();
        test::pump();
    }
    ~TextBoxes() override { window.close(); }

    ui::TextBox* box(ui::Control* c) { return qobject_cast<ui::TextBox*>(c->widget()); }

    FixedString<10> name;
    MemoField<1000> memo;
    ui::Window window;
    ui::Control* nameBox = nullptr;
    ui::Control* memoBox = nullptr;
};

TEST_F(TextBoxes, HoldAsManyCharactersAsTheFieldWithALineBreakCountingTwo)
{
    ui::TextBox* b = box(nameBox);
    b->setFocus();
    type(b, "абв\nгде\nжзий");  // 3 + 2 + 3 + 2 = 10 characters as stored: "жзий" does not fit
    EXPECT_EQ(b->toPlainText(), "абв\nгде\n");
    window.updateAll();
    EXPECT_EQ(name.toQString(), "абв\r\nгде\r\n");
    EXPECT_EQ(name.bytes().size(), 10u);

    // a character windows-1251 cannot hold is refused, typed or pasted
    b->clear();
    type(b, "a\u0101b");
    EXPECT_EQ(b->toPlainText(), "ab");
    QApplication::clipboard()->setText("x\u4e2dy");
    b->paste();
    EXPECT_EQ(b->toPlainText(), "ab");
    // a pasted text is cut where the field is full, never inside a line break
    QApplication::clipboard()->setText("1234567\r\n89");
    b->paste();
    EXPECT_EQ(b->toPlainText(), "ab1234567");
}

TEST_F(TextBoxes, AMemoOf1000CharactersRoundTripsAndA1001stIsRefused)
{
    const QString line = QString(48, u'ж') + "\r\n";  // 50 characters as stored
    QString text;
    for (int i = 0; i < 20; ++i) text += line;
    memo = text;
    ASSERT_EQ(memo.bytes().size(), 1000u);
    window.displayAll();
    ui::TextBox* b = box(memoBox);
    EXPECT_EQ(b->toPlainText(), ui::TextBox::shownText(text));
    b->setFocus();
    b->moveCursor(QTextCursor::End);
    type(b, "я");
    EXPECT_FALSE(b->toPlainText().endsWith(u'я'));
    window.updateAll();
    EXPECT_EQ(memo.toQString(), text);

    // one character fewer leaves room for one more, not for a line break
    b->textCursor().deletePreviousChar();  // the last line break (two as stored)
    type(b, "\n");
    EXPECT_TRUE(b->toPlainText().endsWith(u'\n'));
    b->textCursor().deletePreviousChar();
    b->textCursor().deletePreviousChar();  // and a letter: three free
    type(b, "я\n");
    window.updateAll();
    EXPECT_EQ(memo.bytes().size(), 1000u);
    EXPECT_TRUE(memo.toQString().endsWith("я\r\n"));
}

TEST_F(TextBoxes, AChangedBoxIsAcceptedWhenTheFocusLeavesIt)
{
    ui::TextBox* b = box(nameBox);
    b->setFocus();
    test::pump();
    type(b, "дом");
    box(memoBox)->setFocus();
    test::pump();
    bool accepted = false;
    while (window.hasEvents()) {
        const ui::Event e = window.wait();
        accepted = accepted || (e.event == EVENT::Accepted && e.field == nameBox->number());
    }
    EXPECT_TRUE(accepted);
    EXPECT_EQ(name.toQString(), "дом");
}

}  // namespace
