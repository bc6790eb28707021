#pragma once
// A prompt: the label of a control, registered under its own number; its accelerator gives
// that control the focus.

#include "platform/ui/windows/control.h"
#include "platform/ui/windows/window.h"

#include <QLabel>

namespace ui {

inline Control& addPrompt(Window& window, const QString& name, const QString& text, Control& of, int number = 0)
{
    auto* label = new QLabel(text);
    label->setBuddy(of.widget());
    return window.add(CREATE::Prompt, name, label, number);
}

}  // namespace ui
