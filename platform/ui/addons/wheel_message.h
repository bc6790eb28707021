#pragma once
// The platform's wheel message as the window system delivers it: whole notches of 120 in the
// signed high word of wParam. Qt reports high-resolution deltas (a touchpad sends a few units
// at a time); they are added up per window and delivered only once they make a whole notch.

#include <QPointer>

#include <cstdint>

namespace ui {

class Window;

inline constexpr unsigned WM_MOUSEWHEEL = 0x20A;
inline constexpr int WHEEL_DELTA = 120;

// wParam of a wheel message of the given delta.
std::uint32_t wheelWParam(int delta);
// The delta of a wheel message: the signed high word of wParam.
int wheelDelta(std::uint32_t wParam);

class WheelAccumulator {
public:
    // The whole notches (a signed multiple of 120, 0 for none) that the delta completes for
    // the window. The remainder is kept while the window and the direction stay the same.
    int add(const Window* window, int delta);

private:
    QPointer<const Window> window_;  // null once it is gone: a new window never takes its rest
    int remainder_ = 0;
};

}  // namespace ui
