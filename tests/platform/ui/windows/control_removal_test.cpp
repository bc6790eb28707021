// A control leaves its window when its widget goes or when the window removes it; its number
// then names whatever control is added under it next.
#include "platform/core/fixed_string.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/window.h"

#include <QLineEdit>
#include <QPointer>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

TEST(ControlRemoval, AControlWhoseWidgetIsDestroyedLeavesItsWindowAndItsVariableAlone)
{
    FixedString<20> unit;
    unit = QStringLiteral("м2");
    ui::Window window(ui::WindowKind::Dialog, "Форма", 60, 30);
    ui::Control& c = window.add(ui::CREATE::Entry, "?EDI:EDIZM", ui::newEntry(20), 4);
    c.bind(unit);
    window.displayAll();

    delete c.widget();
    EXPECT_EQ(window.control(4), nullptr);
    EXPECT_EQ(window.control(QStringLiteral("?EDI:EDIZM")), nullptr);
    window.updateAll();
    EXPECT_EQ(unit.toQString(), QStringLiteral("м2")) << "a control without its widget must not blank its variable";
}

TEST(ControlRemoval, ARemovedControlsNumberNamesTheControlAddedUnderItNext)
{
    FixedString<20> first, second;
    first = QStringLiteral("первый");
    second = QStringLiteral("второй");
    ui::Window window(ui::WindowKind::Dialog, "Форма", 60, 30);
    QPointer<QWidget> oldWidget = window.add(ui::CREATE::Entry, "?NAME", ui::newEntry(20), 7).widget();
    window.control(7)->bind(first);

    window.remove(7);
    EXPECT_EQ(window.control(7), nullptr);
    window.remove(7);  // twice does nothing
    EXPECT_TRUE(oldWidget.isNull()) << "the removed control's widget is destroyed";

    auto* edit = ui::newEntry(20);
    window.add(ui::CREATE::Entry, "?NAME", edit, 7).bind(second);
    ASSERT_NE(window.control(7), nullptr);
    EXPECT_EQ(window.control(7)->widget(), edit);
    EXPECT_EQ(window.control(QStringLiteral("?NAME"))->widget(), edit);
    window.displayAll();
    EXPECT_EQ(edit->text(), QStringLiteral("второй"));

    // added again under a taken number: the new control replaces the old one, whose widget goes
    QPointer<QWidget> replaced = edit;
    auto* other = ui::newEntry(20);
    window.add(ui::CREATE::Entry, "?NAME", other, 7).bind(first);
    EXPECT_EQ(window.control(7)->widget(), other);
    EXPECT_TRUE(replaced.isNull());
    EXPECT_EQ(std::count_if(window.controls().begin(), window.controls().end(),
                            [](const auto& c) { return c->number() == 7; }),
              1);

    // the same widget registered again under its number stays
    window.add(ui::CREATE::Entry, "?NAME", other, 7).bind(first);
    EXPECT_EQ(window.control(7)->widget(), other);
}

}  // namespace
