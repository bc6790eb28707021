#pragma once
// The platform's error manager: the process-wide object every window names itself to and
// every file manager reports through. It holds the program's stock messages, fills in their
// placeholders ("%File", "%ErrorText", "%Message") and shows them with the message dialog.
// A fatal message ends the program in order once it is confirmed.

#include "platform/core/message.h"

#include <QString>

#include <functional>
#include <map>

namespace records {

// The stock messages the file managers raise.
enum class Msg {
    OpenFailed,           // the file cannot be opened (fatal)
    CreateFailed,         // a missing file cannot be created (fatal)
    RebuildKey,           // keys need rebuilding; they are rebuilt next
    RebuildFailed,        // the rebuild failed (fatal)
    AccessDenied,         // write access denied; opened read-only
    RecordLimit,          // record limit; opened read-only
    UseClosedFile,        // a file used where no window opened it (fatal)
    RetryAutoInc,         // numbering and adding failed three times (question)
    DuplicateKey,         // an insert repeats a unique key value
    AddFailed,            // an insert fails otherwise
    PutFailed,            // writing back fails
    ConfirmDelete,        // a delete asked to confirm (question)
    LogoutFailed,         // the transaction cannot start
    RetryDelete,          // a delete failed (question)
    DeleteFailed,         // a delete through the access manager fails
    RecordHeld,           // a record to be read is held by another program
    AbortReading,         // reading fails (also while numbering)
};

enum class MessageKind { Notice, Question, Fatal };

struct StockMessage {
    QString title;
    QString text;
    MessageKind kind = MessageKind::Notice;
};

class ErrorManager {
public:
    void setMessage(Msg id, StockMessage message);

    // Shows the message; a question answers true for Yes. A notice answers false.
    bool report(Msg id, const QString& file, const QString& errorText = {}, const QString& message = {});

    // The procedure that runs on the calling thread (each window names itself in its set-up
    // and restores the previous name in its tear-down).
    void SetProcedureName(const QString& name);
    QString procedureName() const;

    // What follows a confirmed fatal message. The default rolls back every transaction, closes
    // every record file and ends the process at once: no further question, no settings written.
    void setFatalHandler(std::function<void()> handler) { fatalHandler_ = std::move(handler); }
    bool fatalInProgress() const { return fatalInProgress_; }

    static const QString& fatalSuffix();  // "  Press OK to end this application"

private:
    std::map<Msg, StockMessage> messages_;
    std::function<void()> fatalHandler_;
    bool fatalInProgress_ = false;
};

// Rolls back and closes every record file, then ends the process (the default fatal end).
[[noreturn]] void endProgramAfterFatalError();

}  // namespace records
