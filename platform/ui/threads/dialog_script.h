#pragma once
// Answers for the platform's dialogs given in advance, so that tests never wait on a person:
// while an answer of its kind is queued, a message dialog, file dialog or popup menu is not
// shown and takes the answer instead. Every message that reaches the message dialog, shown or
// answered, is recorded for the test to read.

#include "platform/core/message.h"

#include <QString>

#include <optional>
#include <vector>

namespace ui {

struct ShownMessage {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    unsigned buttons = 0;
};

// --- for tests: queue answers, read the record
void scriptMessageAnswer(unsigned button);
void scriptFileName(const QString& fileName);
void scriptPopupChoice(int choice);
const std::vector<ShownMessage>& shownMessages();
void clearShownMessages();
// Drops the answers still queued and the record.
void resetDialogScript();

// --- for the dialogs: the next queued answer of their kind, taken off the queue
std::optional<unsigned> takeScriptedMessageAnswer();
std::optional<QString> takeScriptedFileName();
std::optional<int> takeScriptedPopupChoice();
void recordShownMessage(const ShownMessage& message);

}  // namespace ui
