#pragma once
// Help as the windows reach it: the program names the viewer of its help pages at start-up,
// and a window's "Помощь" button (or the frame's help button forwarded to it) opens the page
// of the window's topic. Without a viewer nothing is shown.

#include <QString>

#include <functional>

namespace ui {

using HelpViewer = std::function<void(const QString& topic)>;

// An empty viewer takes the help away again.
void setHelpViewer(HelpViewer viewer);
void showHelpTopic(const QString& topic);

}  // namespace ui
