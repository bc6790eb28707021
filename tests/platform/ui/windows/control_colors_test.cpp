// Text and background colours of a control, given as colour references (00BBGGRRh).
#include "platform/ui/windows/control_colors.h"
#include "platform/ui/windows/entry.h"
#include "tests/support/ui_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(ControlColors, AnEntryAndAPromptTakeTheirColoursAndGiveThemBack)
{
    EXPECT_EQ(ui::colorOfRef(0x00C0C0C0), QColor(192, 192, 192));
    EXPECT_EQ(ui::colorOfRef(0x000000FF), QColor(255, 0, 0));  // red is the low byte
    EXPECT_FALSE(ui::colorOfRef(ui::COLOR_NONE).isValid());

    FixedString<6> number;
    ui::Window window(ui::WindowKind::Dialog, "Раздел", 100, 40);
    auto* layout = new QVBoxLayout(window.content());
    ui::Control& entry = ui::addEntry(window, "?GRO:NUMSMET", number);
    ui::Control& prompt = window.add(ui::CREATE::Prompt, "?PROMPT", new QLabel("Номер"));
    layout->addWidget(prompt.widget());
    layout->addWidget(entry.widget());
    const QColor ownBase = entry.widget()->palette().color(QPalette::Base);

    const QColor silver = ui::colorOfRef(0x00C0C0C0), blue = ui::colorOfRef(0x00FF0000);
    for (ui::Control* c : {&entry, &prompt}) {
        ui::setBackgroundColor(*c, silver);
        ui::setTextColor(*c, blue);
    }
    window.open();
    test::pump();
    EXPECT_EQ(entry.widget()->palette().color(QPalette::Base), silver);
    EXPECT_EQ(entry.widget()->palette().color(QPalette::Text), blue);
    EXPECT_EQ(prompt.widget()->palette().color(QPalette::WindowText), blue);
    // as drawn: the entry's field and the prompt's area are silver
    const QImage entryImage = entry.widget()->grab().toImage();
    EXPECT_EQ(QColor(entryImage.pixel(entryImage.width() - 6, entryImage.height() / 2)), silver);
    const QImage promptImage = prompt.widget()->grab().toImage();
    EXPECT_EQ(QColor(promptImage.pixel(promptImage.width() - 2, 1)), silver);

    ui::setBackgroundColor(entry, {});
    EXPECT_EQ(entry.widget()->palette().color(QPalette::Base), ownBase);
    window.close();
}

}  // namespace
