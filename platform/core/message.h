#pragma once
// The platform's message dialog: text, caption, icon, buttons and default button; returns
// the button pressed. "|" in the text is a line break. The presenter is pluggable: the
// window runtime shows a real dialog that blocks only the calling logical thread, tests
// answer from a script.

#include <QString>

enum MessageButton : unsigned {
    BUTTON_OK = 1,
    BUTTON_YES = 2,
    BUTTON_NO = 4,
    BUTTON_ABORT = 8,
    BUTTON_RETRY = 16,
    BUTTON_IGNORE = 32,
    BUTTON_CANCEL = 64,
    BUTTON_HELP = 128,
};

enum class MessageIcon { None, Information, Exclamation, Question, Hand };

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual unsigned show(const QString& text, const QString& caption, MessageIcon icon, unsigned buttons,
                          unsigned defaultButton) = 0;
};

// Replaces the process-wide presenter (null restores the default one, which answers with the
// button that Esc would give); returns the previous one.
MessagePresenter* setMessagePresenter(MessagePresenter* presenter);

unsigned Message(const QString& text, const QString& caption = {}, MessageIcon icon = MessageIcon::None,
                 unsigned buttons = BUTTON_OK, unsigned defaultButton = 0);

// The button that Esc gives: Cancel, else No, else OK (else the default button).
unsigned escapeButton(unsigned buttons, unsigned defaultButton);
