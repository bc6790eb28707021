#pragma once
// What the desktop reports to the program, as system messages of the frame: Qt's session
// manager asks whether the session may end (an X11 session manager only) and ends it; SIGTERM
// ends the session as well; logind's PrepareForSleep over the system bus, where there is one,
// reports suspending and resuming. Each goes to the frame's handler, which normally is the
// system-events add-on of the frame's thread. The desktop has no source for the rest of the
// messages: injectSystemMessage reaches the same path.

#include "platform/ui/threads/scheduler.h"

#include <QObject>

#include <cstdint>

class QSessionManager;

namespace ui {

class SystemEventSources : public QObject {
    Q_OBJECT

public:
    static SystemEventSources& instance();

    // Starts the sources once; from now on their messages go to the frame's thread.
    void install(ThreadId frameThread);
    // Gives the message to the window of the frame thread's current add-on; the answer (the
    // default answer when the thread has none).
    std::int32_t deliver(unsigned message, unsigned wParam);

    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void prepareForSleep(bool suspending);

private:
    SystemEventSources() = default;
    void watchSessionManager();
    void watchTerminate();
    void watchSleep();
    void commitData(QSessionManager& manager);
    void terminateRequested();

    ThreadId frameThread_ = 0;
    bool installed_ = false;
    bool sessionEnding_ = false;
};

// The sources' path for a message the desktop has no source for (and for tests).
std::int32_t injectSystemMessage(unsigned message, unsigned wParam);

}  // namespace ui
