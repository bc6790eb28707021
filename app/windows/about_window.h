#pragma once
// The two small windows without a title that show the program's build number and logo:
// `ShowAbout`, the about window with the version and notice lines, and `HelloScreen`, the
// splash window the frame shows while the program starts. Both close on their timer, when
// they lose the focus, on a left or right click or a left double click, or when asked to.

#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/window_manager.h"

#include <QObject>

#include <cstdint>

void ShowAbout();
void HelloScreen();

class AboutWindow : public ui::WindowManager {
public:
    enum class Variant { About, Splash };

    // The window closes by itself after `timerHundredths`.
    explicit AboutWindow(Variant variant, int timerHundredths = 1000);

    ui::Level Init() override;
    ui::Level Kill() override;
    ui::Level TakeWindowEvent() override;

private:
    // Activates the window as soon as the frame it belongs to is active.
    void activateOverFrame();

    Variant variant_;
    int timerHundredths_;
    std::int32_t BUILD = 0;
    ui::vsMouseWheelClass wheel_;
    bool hasBeenActive_ = false;
    QMetaObject::Connection activation_;
};
