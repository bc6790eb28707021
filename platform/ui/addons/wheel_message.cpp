#include "platform/ui/addons/wheel_message.h"

#include "platform/ui/windows/window.h"

#include <algorithm>

namespace ui {

std::uint32_t wheelWParam(int delta)
{
    // The high word holds no more than a signed 16-bit count of whole notches.
    const int whole = std::clamp(delta, -32768 / WHEEL_DELTA * WHEEL_DELTA, 32767 / WHEEL_DELTA * WHEEL_DELTA);
    return static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(whole))) << 16;
}

int wheelDelta(std::uint32_t wParam) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(wParam >> 16)); }

int WheelAccumulator::add(const Window* window, int delta)
{
    const bool turned = (remainder_ > 0 && delta < 0) || (remainder_ < 0 && delta > 0);
    if (window != window_ || turned) remainder_ = 0;
    window_ = window;
    remainder_ += delta;
    const int whole = remainder_ / WHEEL_DELTA * WHEEL_DELTA;  // towards zero, either direction
    remainder_ -= whole;
    return whole;
}

}  // namespace ui
