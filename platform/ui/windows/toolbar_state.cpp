#include "platform/ui/windows/toolbar_state.h"

#include "platform/ui/windows/window.h"

namespace ui {

ToolbarState::ToolbarState()
{
    // the frame may take the notification queued
    qRegisterMetaType<ui::Window*>();
}

ToolbarState& ToolbarState::instance()
{
    static ToolbarState* state = new ToolbarState;  // lives as long as the process
    return *state;
}

}  // namespace ui
