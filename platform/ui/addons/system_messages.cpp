#include "platform/ui/addons/system_messages.h"

#include "platform/ui/windows/window.h"

#include <QVariant>

namespace ui {

namespace {

// The window keeps its handler in a property, so nothing outlives the window.
constexpr char kHandlerProperty[] = "systemMessageHandler";

class DefaultHandler final : public SystemMessageHandler {
public:
    std::int32_t handle(Window&, unsigned message, unsigned) override { return defaultSystemAnswer(message); }
};

DefaultHandler& defaultHandler()
{
    static DefaultHandler handler;
    return handler;
}

}  // namespace

std::int32_t defaultSystemAnswer(unsigned message)
{
    return message == WM::QUERYENDSESSION || message == WM::POWERBROADCAST ? 1 : 0;
}

SystemMessageHandler& systemMessageHandler(const Window& window)
{
    auto* handler = static_cast<SystemMessageHandler*>(window.property(kHandlerProperty).value<void*>());
    return handler ? *handler : defaultHandler();
}

void setSystemMessageHandler(Window& window, SystemMessageHandler& handler)
{
    window.setProperty(kHandlerProperty,
                       &handler == &defaultHandler() ? QVariant() : QVariant::fromValue(static_cast<void*>(&handler)));
}

std::int32_t sendSystemMessage(Window& window, unsigned message, unsigned wParam)
{
    return systemMessageHandler(window).handle(window, message, wParam);
}

}  // namespace ui
