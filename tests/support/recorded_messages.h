#pragma once
// A message presenter for tests: records every message and answers from a script (then with
// the button that Esc gives).

#include "platform/core/message.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace test {

struct ShownMessage {
    QString text;
    QString caption;
    MessageIcon icon;
    unsigned buttons;
};

class RecordedMessages : public MessagePresenter {
public:
    RecordedMessages() { previous_ = setMessagePresenter(this); }
    ~RecordedMessages() override { setMessagePresenter(previous_); }

    void answer(unsigned button) { answers_.push_back(button); }
    const std::vector<ShownMessage>& shown() const { return shown_; }
    void clear() { shown_.clear(); }
    bool anyCaption(const QString& caption) const
    {
        for (const auto& m : shown_)
            if (m.caption == caption) return true;
        return false;
    }

    // Runs as each message is shown, before it is answered.
    std::function<void(const ShownMessage&)> onShow;

    unsigned show(const QString& text, const QString& caption, MessageIcon icon, unsigned buttons,
                  unsigned defaultButton) override
    {
        shown_.push_back({text, caption, icon, buttons});
        if (onShow) onShow(shown_.back());
        if (!answers_.empty()) {
            unsigned a = answers_.front();
            answers_.pop_front();
            return a;
        }
        return escapeButton(buttons, defaultButton);
    }

private:
    MessagePresenter* previous_ = nullptr;
    std::deque<unsigned> answers_;
    std::vector<ShownMessage> shown_;
};

}  // namespace test
