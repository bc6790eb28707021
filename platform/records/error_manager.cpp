#include "platform/records/error_manager.h"

#include "platform/core/thread_state.h"
#include "platform/records/record_file.h"

#include <cstdlib>

namespace records {

const QString& ErrorManager::fatalSuffix()
{
    static const QString suffix = QStringLiteral("  Press OK to end this application");
    return suffix;
}

void ErrorManager::setMessage(Msg id, StockMessage message) { messages_[id] = std::move(message); }

bool ErrorManager::report(Msg id, const QString& file, const QString& errorText, const QString& message)
{
    // Once the program is ending on a fatal error nothing more is asked.
    if (fatalInProgress_) return false;
    auto it = messages_.find(id);
    StockMessage m = it != messages_.end() ? it->second : StockMessage{};
    QString text = m.text;
    text.replace(QStringLiteral("%File"), file);
    text.replace(QStringLiteral("%ErrorText"), errorText);
    text.replace(QStringLiteral("%Message"), message);
    switch (m.kind) {
    case MessageKind::Notice:
        Message(text, m.title, MessageIcon::Information, BUTTON_OK, BUTTON_OK);
        return false;
    case MessageKind::Question:
        return Message(text, m.title, MessageIcon::Exclamation, BUTTON_YES | BUTTON_NO, BUTTON_YES) == BUTTON_YES;
    case MessageKind::Fatal:
        Message(text + fatalSuffix(), m.title, MessageIcon::Information, BUTTON_OK, BUTTON_OK);
        // Nothing more is asked while the program ends (a handler that returns is a test's).
        fatalInProgress_ = true;
        if (fatalHandler_)
            fatalHandler_();
        else
            endProgramAfterFatalError();
        fatalInProgress_ = false;
        return false;
    }
    return false;
}

void ErrorManager::SetProcedureName(const QString& name) { ThreadState::current().procedureName = name; }

QString ErrorManager::procedureName() const { return ThreadState::current().procedureName; }

void endProgramAfterFatalError()
{
    // closing a connection rolls back what it had not committed
    RecordFile::forEachOpen([](RecordFile& f) { f.close(); });
    std::_Exit(EXIT_FAILURE);
}

}  // namespace records
