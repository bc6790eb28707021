// The key aliases of every window (Ctrl+Insert copies, Shift+Insert pastes, Shift+Delete
// cuts) and alerted keys, which reach the window as EVENT:AlertKey before any control.
#include "platform/ui/windows/input_filter.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct Keys : ::testing::Test {
    // Runs a window with one entry on a thread of its own until `done`; the events it takes
    // are kept.
    void run()
    {
        thread = test::start([this] {
            ui::Window w(ui::WindowKind::Dialog, "keys", 100, 40);
            edit = new QLineEdit;
            auto* layout = new QVBoxLayout(w.content());
            layout->addWidget(edit);
            w.add(ui::CREATE::Entry, "?ENTRY", edit);
            w.alertKey(KEY::F1 | KEY::Ctrl);
            w.open();
            window = &w;
            while (!done) events.push_back(w.wait());
            w.close();
            window = nullptr;
        });
        ASSERT_TRUE(test::pumpUntil([this] { return window != nullptr; }));
        edit->setFocus();
    }
    ~Keys() override
    {
        done = true;
        if (window) window->post(EVENT::Timer);
        test::waitEnded(thread);
    }

    ui::ThreadId thread = 0;
    ui::Window* window = nullptr;
    QLineEdit* edit = nullptr;
    std::vector<ui::Event> events;
    bool done = false;
};

TEST_F(Keys, AliasesCopyPasteAndCut)
{
    run();
    edit->setText("смета");
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("смета"));

    edit->setText("акт ");
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("акт смета"));

    edit->setSelection(0, 4);
    QTest::keyClick(edit, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("смета"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("акт "));
}

TEST_F(Keys, AlertedKeyReachesTheWindowInsteadOfTheControl)
{
    run();
    QTest::keyClick(edit, Qt::Key_F1, Qt::ControlModifier);
    ASSERT_TRUE(test::pumpUntil([this] {
        return std::any_of(events.begin(), events.end(), [](const ui::Event& e) { return e.event == EVENT::AlertKey; });
    }));
    auto alert = std::find_if(events.begin(), events.end(), [](const ui::Event& e) { return e.event == EVENT::AlertKey; });
    EXPECT_EQ(alert->keyCode, KEY::F1 | KEY::Ctrl);
    EXPECT_EQ(alert->field, window->numberOf("?ENTRY"));
}

// Every entry of a window, however it was made, keeps to what windows-1251 holds.
TEST_F(Keys, EntriesRefuseCharactersWindows1251CannotHold)
{
    run();
    for (QChar c : QStringLiteral("a日б")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(edit->text(), QStringLiteral("aб"));
    QGuiApplication::clipboard()->setText(QStringLiteral("смета 日"));
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("aб"));
}

// Alt with a letter is a command: when no shortcut takes it (a disabled menu item's), it is
// not typed.
TEST_F(Keys, AltWithALetterThatNoShortcutTakesIsNotTyped)
{
    run();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* typed;
    } cases[] = {
        {Qt::Key_R, Qt::AltModifier, ""},
        {Qt::Key_R, Qt::AltModifier | Qt::ShiftModifier, ""},
        {Qt::Key_5, Qt::AltModifier, ""},
        {Qt::Key_R, Qt::NoModifier, "r"},
    };
    for (const auto& c : cases) {
        edit->clear();
        QTest::keyClick(edit, c.key, c.modifiers);
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.typed)) << c.key << " " << c.modifiers;
    }
}

}  // namespace
