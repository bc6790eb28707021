#include "platform/ui/windows/help.h"

namespace ui {

namespace {

HelpViewer& theViewer()
{
    static HelpViewer viewer;
    return viewer;
}

}  // namespace

void setHelpViewer(HelpViewer viewer) { theViewer() = std::move(viewer); }

void showHelpTopic(const QString& topic)
{
    if (theViewer()) theViewer()(topic);
}

}  // namespace ui
