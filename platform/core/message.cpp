#include "platform/core/message.h"

namespace {

class EscapePresenter : public MessagePresenter {
public:
    unsigned show(const QString&, const QString&, MessageIcon, unsigned buttons, unsigned defaultButton) override
    {
        return escapeButton(buttons, defaultButton);
    }
};

EscapePresenter escapePresenter;
MessagePresenter* presenter = &escapePresenter;

}  // namespace

MessagePresenter* setMessagePresenter(MessagePresenter* p)
{
    MessagePresenter* previous = presenter == &escapePresenter ? nullptr : presenter;
    presenter = p ? p : &escapePresenter;
    return previous;
}

unsigned Message(const QString& text, const QString& caption, MessageIcon icon, unsigned buttons,
                 unsigned defaultButton)
{
    return presenter->show(text, caption, icon, buttons, defaultButton);
}

unsigned escapeButton(unsigned buttons, unsigned defaultButton)
{
    if (buttons & BUTTON_CANCEL) return BUTTON_CANCEL;
    if (buttons & BUTTON_NO) return BUTTON_NO;
    if (buttons & BUTTON_OK) return BUTTON_OK;
    return defaultButton;
}
