// A control that shows its variable shows the value's beginning, however long the value is.
#include "platform/core/fixed_string.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>

#include <cstdint>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QString kLongName = QStringLiteral("ООО \"Стройсервис-Плюс\" и партн");  // 30 characters

TEST(ControlDisplay, ALongValueShowsItsBeginningUnlessItsEntryIsBeingTypedIn)
{
    FixedString<30> firmName;
    firmName = kLongName;
    ui::Window window(ui::WindowKind::Dialog, "Установки", 60, 30);
    auto* layout = new QVBoxLayout(window.content());
    ui::Control& name = ui::addEntry(window, "?FIRMNAME", firmName);
    auto* combo = new QComboBox;
    combo->setEditable(true);
    window.add(ui::CREATE::Combo, "?FIRMCOMBO", combo).bind(firmName);
    auto* other = new QLineEdit;
    for (QWidget* w : {name.widget(), static_cast<QWidget*>(combo), static_cast<QWidget*>(other)}) {
        w->setFixedWidth(60);
        layout->addWidget(w);
    }
    auto* edit = static_cast<QLineEdit*>(name.widget());

    window.displayAll();
    window.open();
    test::pump();
    EXPECT_EQ(edit->text(), kLongName);
    EXPECT_EQ(edit->cursorPosition(), 0);
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 0);

    // typed at the end and left: shown again, it shows its beginning again
    edit->setFocus();
    edit->end(false);
    window.displayAll();
    EXPECT_EQ(edit->cursorPosition(), kLongName.size()) << "the entry being typed in keeps its cursor";
    other->setFocus();
    window.displayAll();
    EXPECT_EQ(edit->cursorPosition(), 0);

    // a changed value is shown from its beginning, in the focused entry too
    edit->setFocus();
    edit->end(false);
    firmName = QStringLiteral("ООО \"Стройсервис-Плюс\" и сыновья");
    window.displayAll();
    EXPECT_EQ(edit->text(), firmName.toQString());
    EXPECT_EQ(edit->cursorPosition(), 0);
    window.close();
}

TEST(ControlDisplay, ABoundProgressBarShowsItsVariableAsItsValueWithinItsRange)
{
    std::int32_t done = 42;
    ui::Window window(ui::WindowKind::Dialog, "Импорт", 60, 30);
    auto* bar = new QProgressBar(window.content());
    auto* own = new QProgressBar(window.content());
    own->setRange(0, 500);
    window.add(ui::CREATE::Progress, "?PROGRESS1", bar).bind(done, "@n-4");
    window.add(ui::CREATE::Progress, "?PROGRESS2", own).bind(done, "@n-4");

    const struct {
        std::int32_t value;
        int shown, shownInOwnRange;
    } cases[] = {{42, 42, 42}, {0, 0, 0}, {100, 100, 100}, {250, 100, 250}, {-5, 0, 0}};
    for (const auto& c : cases) {
        done = c.value;
        window.displayAll();
        EXPECT_EQ(bar->value(), c.shown) << c.value;
        EXPECT_EQ(own->value(), c.shownInOwnRange) << c.value;
    }
    EXPECT_TRUE(bar->windowTitle().isEmpty());
    done = 42;
    window.displayAll();
    window.updateAll();
    EXPECT_EQ(done, 42) << "what the bar shows reads back unchanged";
}

}  // namespace
