// The main of test programs that need a Qt application (windows, logical threads).
#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/application_setup.h"
#include "platform/ui/windows/input_filter.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ui::setUpApplication();  // the program's fonts and Qt's Russian texts, as the windows get them
    ui::InputFilter::install();
    ::testing::InitGoogleTest(&argc, argv);
    // An exception that escapes a logical thread fails the test that ran it.
    ui::Scheduler::instance().setOnEscapedException(
        [](const char* what) { ADD_FAILURE() << "exception escaped a logical thread: " << what; });
    return RUN_ALL_TESTS();
}
