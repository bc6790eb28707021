#include "platform/ui/dialogs/printer.h"
#include "platform/ui/dialogs/printer_setup_dialog.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

const QString kTitle = "Настройка печати";

// The printer set-up called from a window of its thread, as the frame calls it.
struct SetupCall {
    SetupCall()
    {
        QPrinter& printer = ui::programPrinter();
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        thread = test::start([this] {
            ui::Window caller(ui::WindowKind::Dialog, "Окно", 80, 40);
            caller.open();
            callerWindow = &caller;
            ui::printerSetup();
            callerEnabledAfter = caller.topWidget()->isEnabled();
            callerWindow = nullptr;
            caller.close();
        });
        window = test::waitWindowTitled(thread, kTitle);
        dialog = window ? window->content()->findChild<ui::PrinterSetupDialog*>() : nullptr;
    }
    ~SetupCall()
    {
        if (dialog && ui::Scheduler::instance().isRunning(thread)) dialog->reject();
        test::waitEnded(thread);
    }

    void chooseA5Landscape()
    {
        auto* sizes = dialog->findChildren<QComboBox*>().at(1);
        sizes->setCurrentIndex(sizes->findData(int(QPageSize::A5)));
        for (QRadioButton* r : dialog->findChildren<QRadioButton*>())
            if (r->text() == "&Альбомная") r->click();
    }
    QPushButton* button(QDialogButtonBox::ButtonRole role)
    {
        for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons())
            if (dialog->findChild<QDialogButtonBox*>()->buttonRole(b) == role) return static_cast<QPushButton*>(b);
        return nullptr;
    }

    ui::ThreadId thread = 0;
    ui::Window* window = nullptr;
    ui::Window* callerWindow = nullptr;
    ui::PrinterSetupDialog* dialog = nullptr;
    bool callerEnabledAfter = false;
};

TEST(PrinterSetup, TheAcceptedChoiceIsKeptForTheReports)
{
    SetupCall call;
    ASSERT_TRUE(call.dialog);
    ASSERT_TRUE(call.callerWindow);
    EXPECT_FALSE(call.callerWindow->topWidget()->isEnabled());  // it waits for the set-up
    call.chooseA5Landscape();
    call.button(QDialogButtonBox::AcceptRole)->click();
    ASSERT_TRUE(test::waitEnded(call.thread));
    EXPECT_EQ(ui::programPrinter().pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(ui::programPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(call.callerEnabledAfter);
}

TEST(PrinterSetup, CancelOrACloseRequestKeepsThePrinterAsItWasAndNothingElseAnswers)
{
    for (bool byRequest : {false, true}) {
        SCOPED_TRACE(byRequest ? "close request" : "cancel");
        SetupCall call;
        ASSERT_TRUE(call.dialog);
        call.chooseA5Landscape();
        for (int field : {3001, 3002, 0}) call.window->post(EVENT::Accepted, field);  // not its own: ignored
        test::pump(50);
        ASSERT_TRUE(ui::Scheduler::instance().isRunning(call.thread));
        if (byRequest)
            call.window->post(EVENT::CloseWindow);  // as the end of the program or of the session asks
        else
            call.button(QDialogButtonBox::RejectRole)->click();
        ASSERT_TRUE(test::waitEnded(call.thread));
        EXPECT_EQ(ui::programPrinter().pageLayout().pageSize().id(), QPageSize::A4);
        EXPECT_EQ(ui::programPrinter().pageLayout().orientation(), QPageLayout::Portrait);
    }
}

}  // namespace
