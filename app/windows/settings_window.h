#pragma once
// `ShwNaz`: the window "Установки программы" in which the user edits the global settings:
// the firm details, the default price-increase indices, the nine default additional charges
// and the XML export preferences. Its controls are bound to the globals themselves, so an
// accepted control changes the global at once for every thread; the window stores nothing.

#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/window_manager.h"

class QVBoxLayout;

// Runs the window on the calling thread (the frame starts it on a thread of its own).
void ShwNaz();

class SettingsWindow : public ui::WindowManager {
public:
    SettingsWindow();

    ui::Level Init() override;
    ui::Level Kill() override;

private:
    void buildFirmTab(QVBoxLayout* tab);
    void buildIndexTab(QVBoxLayout* tab);
    void buildChargesTab(QVBoxLayout* tab);
    void buildExportTab(QVBoxLayout* tab);

    ui::vsMouseWheelClass wheel_;
};
