#pragma once
// System messages of a window (log-off and shut-down, power management, device changes),
// numbered as the platform numbers them. Each window has one handler of them in place; a
// handler put in front of another passes on to it what it does not answer itself. A window
// whose handler was never replaced gives the default answers.

#include <cstdint>

namespace ui {

class Window;

namespace WM {
inline constexpr unsigned QUERYENDSESSION = 0x11;
inline constexpr unsigned ENDSESSION = 0x16;
inline constexpr unsigned POWERBROADCAST = 0x218;
inline constexpr unsigned DEVICECHANGE = 0x219;
}  // namespace WM

// wParam of WM_POWERBROADCAST
namespace PBT {
inline constexpr unsigned APMQUERYSUSPEND = 0;
inline constexpr unsigned APMQUERYSTANDBY = 1;
inline constexpr unsigned APMSUSPEND = 4;
inline constexpr unsigned APMSTANDBY = 5;
inline constexpr unsigned APMRESUMESUSPEND = 7;
inline constexpr unsigned APMBATTERYLOW = 9;
inline constexpr unsigned APMPOWERSTATUSCHANGE = 10;
}  // namespace PBT

class SystemMessageHandler {
public:
    virtual ~SystemMessageHandler() = default;
    virtual std::int32_t handle(Window& window, unsigned message, unsigned wParam) = 0;
};

// The default answers: the log-off query and power requests are granted (1), the rest 0.
std::int32_t defaultSystemAnswer(unsigned message);

// The window's handler in place (the default one when it was never replaced).
SystemMessageHandler& systemMessageHandler(const Window& window);
void setSystemMessageHandler(Window& window, SystemMessageHandler& handler);
// Gives the message to the window's handler; its answer.
std::int32_t sendSystemMessage(Window& window, unsigned message, unsigned wParam);

}  // namespace ui
