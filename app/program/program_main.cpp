#include "app/program/program_main.h"

#include "app/frame/help_window.h"
#include "app/frame/main_frame.h"
#include "app/program/full_window_drag.h"
#include "app/settings/settings_file.h"
#include "data/error_reporter.h"
#include "data/thread_data.h"
#include "platform/core/regional.h"
#include "platform/ui/browse/text_matcher.h"
#include "platform/ui/dialogs/upgrade_progress.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/input_filter.h"

#include <cstdint>

namespace {

// The dragging setting as found at start-up (1 = on).
std::int32_t SavedDragFullWindows = 0;

}  // namespace

void ProgramMain()
{
    regional::installProgramSettings();  // the regional settings, then the error texts
    ui::InputFilter::install();          // Ctrl+Insert, Shift+Insert and Shift+Delete in every window
    ui::installUpgradeProgress();        // a record file of an earlier build brought up to date
    // The Cyrillic character set: texts are Unicode inside Qt and windows-1251 in the files.
    ui::setHelpViewer(showHelpTopic);  // the help file: the program's own pages behind every "Помощь"
    SetupErrorReporter();
    TextMatcher::instance().Init();
    TextMatcher::instance().SetOption(TextMatcher::NOCASE, 1);
    TextMatcher::instance().SetOption(TextMatcher::WORDONLY, 0);
    TheSettingsFile().Init(QString::fromLatin1(settingsFileName));
    setSettingsManager(&TheSettingsFile());
    ThreadData::current().StartFileManagers();

    int dragging = 0;
    if (getDragFullWindows(dragging)) SavedDragFullWindows = dragging;
    if (SavedDragFullWindows == 1) setDragFullWindows(0);

    Main();

    TheSettingsFile().SavePreserved();
    if (SavedDragFullWindows == 1) setDragFullWindows(1);
    setSettingsManager(nullptr);
    TheSettingsFile().Kill();
    TextMatcher::instance().Kill();
}
