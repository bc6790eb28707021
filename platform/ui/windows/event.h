#pragma once
// Events of the window system, numbered as the platform numbers them, and the key codes of
// alerted keys (Windows virtual-key codes with the modifier bits below).

namespace EVENT {
// field events
inline constexpr int Accepted = 0x01;
inline constexpr int NewSelection = 0x02;
inline constexpr int ScrollUp = 0x03;
inline constexpr int ScrollDown = 0x04;
inline constexpr int PageUp = 0x05;
inline constexpr int PageDown = 0x06;
inline constexpr int ScrollTop = 0x07;
inline constexpr int ScrollBottom = 0x08;
inline constexpr int Locate = 0x09;
inline constexpr int ScrollDrag = 0x0A;  // a list's scroll-bar thumb dropped
inline constexpr int Selected = 0x101;  // a control got the focus
inline constexpr int Expanded = 0x10D;
inline constexpr int Contracted = 0x10E;
inline constexpr int TabChanging = 0x10A;
// window events
inline constexpr int CloseWindow = 0x201;
inline constexpr int CloseDown = 0x202;
inline constexpr int OpenWindow = 0x203;
inline constexpr int LoseFocus = 0x205;
inline constexpr int GainFocus = 0x206;
inline constexpr int Timer = 0x20B;
inline constexpr int Moved = 0x220;
inline constexpr int Sized = 0x221;
inline constexpr int AlertKey = 0x20D;
inline constexpr int Completed = 0x22A;
// user events
inline constexpr int User = 0x400;
inline constexpr int QueryEndSession = 0x911;
inline constexpr int EndSession = 0x916;
inline constexpr int PowerStatusChange = 0xB12;
inline constexpr int PowerBatteryLow = 0xB13;
inline constexpr int PowerStandby = 0xB14;
inline constexpr int PowerSuspend = 0xB15;
inline constexpr int PowerQueryStandby = 0xB16;
inline constexpr int PowerQuerySuspend = 0xB17;
inline constexpr int PowerOther = 0xB18;
inline constexpr int DeviceChange = 0xB19;

inline bool isFieldEvent(int event) { return event < 0x200; }
}  // namespace EVENT

namespace KEY {
inline constexpr int Shift = 0x100;
inline constexpr int Ctrl = 0x200;
inline constexpr int Alt = 0x400;

inline constexpr int MouseLeft = 0x01;
inline constexpr int MouseRight = 0x02;
inline constexpr int MouseCenter = 0x03;
inline constexpr int MouseLeft2 = 0x05;
inline constexpr int MouseRight2 = 0x06;
inline constexpr int Backspace = 0x08;
inline constexpr int Tab = 0x09;
inline constexpr int Enter = 0x0D;
inline constexpr int Esc = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int PageUp = 0x21;
inline constexpr int PageDown = 0x22;
inline constexpr int End = 0x23;
inline constexpr int Home = 0x24;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int Insert = 0x2D;
inline constexpr int Delete = 0x2E;
inline constexpr int F1 = 0x70;
inline constexpr int AppsKey = 0x5D;  // the context-menu key
}  // namespace KEY

namespace ui {

struct Event {
    int event = 0;
    int field = 0;    // the control, 0 for a window event
    int keyCode = 0;  // for alerted keys and mouse keys
};

}  // namespace ui
