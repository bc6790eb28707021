#pragma once
// Mouse-wheel scrolling for a window: the eligible control under the pointer (else the focused
// one, else the first visible one) scrolls one step per wheel notch. Every window holds one
// instance, attaches it once its window has opened and detaches it in its tear-down.
//
// The window keeps the attached instance in its property "vsMouseWheelClass". One filter on
// the application turns the Qt wheel events of such a window into the platform's wheel
// messages and hands them to MouseWheelWndProc; windows without the property keep Qt's own
// wheel behaviour.

#include <QByteArray>
#include <QPointer>

#include <cstdint>
#include <vector>

namespace ui {

class Control;
class Window;

class vsMouseWheelClass {
public:
    // Scroll directions: the wheel turned away from the user, towards the user.
    static constexpr int Forward = 1;
    static constexpr int Backward = 2;

    vsMouseWheelClass();
    virtual ~vsMouseWheelClass();
    vsMouseWheelClass(const vsMouseWheelClass&) = delete;
    vsMouseWheelClass& operator=(const vsMouseWheelClass&) = delete;

    // Adds the control to TARGETQ when it is a text box, list, image or combo, or when forced.
    virtual void CollectControl(const Control& control, bool force);
    virtual void WheelForward();
    virtual void WheelBackward();
    // Scrolls the control TURNS steps.
    virtual void ScrollControl(int control, int direction);
    // One step of each kind of control.
    virtual void ScrollText(int control, int direction);
    virtual void ScrollList(int control, int direction);
    virtual void ScrollImage(int control, int direction);
    virtual void ScrollOther(int control, int direction);

    // Collects the window's eligible controls; a window without any stays unattached.
    void Attach(Window& window);
    // Harmless when not attached.
    void Detach();
    // The control the wheel scrolls, 0 for none.
    int FindWheelTarget() const;
    bool ControlUnderCursor(int control) const;

    const QByteArray CLASSNAME;
    bool ISWINDOW = false;
    bool ISCONTROL = false;  // a single fixed target control: never used by the program's windows
    int CONTROLFEQ = 0;
    int TURNS = 0;
    std::vector<int> TARGETQ;  // control numbers, ascending

private:
    void postScroll(int control, int direction);

    QPointer<Window> window_;
};

// The wheel message of a window with an attached instance scrolls its target and is taken
// (true); other messages, and windows without an instance, are passed on (false).
bool MouseWheelWndProc(Window& window, unsigned message, std::uint32_t wParam);

}  // namespace ui
