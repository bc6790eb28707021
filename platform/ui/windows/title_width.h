#pragma once
// How wide a top-level window must be for the window manager to show its title whole.

class QWidget;

namespace ui {

// The window's title in bold, measured in the window's font and in the desktop's sans-serif
// at a larger size (window managers draw titles in their own), whichever is wider, beside the
// title bar's icon and its three buttons.
int titleBarWidth(const QWidget& window);

}  // namespace ui
