#include "platform/ui/threads/dialog_script.h"

#include <deque>

namespace ui {

namespace {

// All dialogs run on the GUI thread (logical threads are fibers on it): no lock.
struct DialogScript {
    std::deque<unsigned> messageAnswers;
    std::deque<QString> fileNames;
    std::deque<int> popupChoices;
    std::vector<ShownMessage> shown;
};

DialogScript& script()
{
    static DialogScript s;
    return s;
}

template <class T>
std::optional<T> takeFront(std::deque<T>& queue)
{
    if (queue.empty()) return std::nullopt;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

void scriptMessageAnswer(unsigned button) { script().messageAnswers.push_back(button); }
void scriptFileName(const QString& fileName) { script().fileNames.push_back(fileName); }
void scriptPopupChoice(int choice) { script().popupChoices.push_back(choice); }

const std::vector<ShownMessage>& shownMessages() { return script().shown; }
void clearShownMessages() { script().shown.clear(); }

void resetDialogScript() { script() = DialogScript{}; }

std::optional<unsigned> takeScriptedMessageAnswer() { return takeFront(script().messageAnswers); }
std::optional<QString> takeScriptedFileName() { return takeFront(script().fileNames); }
std::optional<int> takeScriptedPopupChoice() { return takeFront(script().popupChoices); }

void recordShownMessage(const ShownMessage& message) { script().shown.push_back(message); }

}  // namespace ui
