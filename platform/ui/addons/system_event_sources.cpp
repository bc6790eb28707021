#include "platform/ui/addons/system_event_sources.h"

#include "platform/ui/addons/system_events.h"
#include "platform/ui/addons/system_messages.h"
#include "platform/ui/windows/window.h"

#include <QDBusConnection>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace ui {

namespace {

// SIGTERM only writes to this pipe; the event loop reads it and does the work.
int terminatePipe[2] = {-1, -1};

void onTerminate(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    if (write(terminatePipe[1], &byte, 1) < 0) {
        // a full pipe holds a request already
    }
    errno = savedErrno;
}

}  // namespace

SystemEventSources& SystemEventSources::instance()
{
    static SystemEventSources* sources = new SystemEventSources;  // lives as long as the process
    return *sources;
}

void SystemEventSources::install(ThreadId frameThread)
{
    frameThread_ = frameThread;
    if (installed_) return;
    installed_ = true;
    watchSessionManager();
    watchTerminate();
    watchSleep();
}

std::int32_t SystemEventSources::deliver(unsigned message, unsigned wParam)
{
    SystemEventsClass* addOn = SystemEventsClass::current(frameThread_);
    Window* frame = addOn ? addOn->HWND.data() : nullptr;
    return frame ? sendSystemMessage(*frame, message, wParam) : defaultSystemAnswer(message);
}

void SystemEventSources::watchSessionManager()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return;
    connect(app, &QGuiApplication::commitDataRequest, this, &SystemEventSources::commitData, Qt::DirectConnection);
    app->installEventFilter(this);
}

void SystemEventSources::commitData(QSessionManager& manager)
{
    // Answered at once, without asking for interaction: that would run an event loop of its own.
    if (deliver(WM::QUERYENDSESSION, 0) == 0) {
        manager.cancel();
        return;
    }
    sessionEnding_ = true;
}

bool SystemEventSources::eventFilter(QObject* watched, QEvent* event)
{
    // The session manager ends an agreed session by quitting the application.
    if (sessionEnding_ && watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        sessionEnding_ = false;
        deliver(WM::ENDSESSION, 1);
    }
    return false;
}

void SystemEventSources::watchTerminate()
{
    if (pipe2(terminatePipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(terminatePipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SystemEventSources::terminateRequested);
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
}

void SystemEventSources::terminateRequested()
{
    char bytes[16];
    while (read(terminatePipe[0], bytes, sizeof bytes) > 0) {
    }
    deliver(WM::ENDSESSION, 1);
}

void SystemEventSources::watchSleep()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                SLOT(prepareForSleep(bool)));
}

void SystemEventSources::prepareForSleep(bool suspending)
{
    deliver(WM::POWERBROADCAST, suspending ? PBT::APMSUSPEND : PBT::APMRESUMESUSPEND);
}

std::int32_t injectSystemMessage(unsigned message, unsigned wParam)
{
    return SystemEventSources::instance().deliver(message, wParam);
}

}  // namespace ui
