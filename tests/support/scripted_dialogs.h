#pragma once
// The real message dialog for the length of a test, with an empty dialog script at the start
// and nothing left queued or suppressed at the end.

#include "platform/core/message.h"
#include "platform/ui/dialogs/message_dialog.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/nested_wait.h"

namespace test {

class ScriptedDialogs {
public:
    ScriptedDialogs()
    {
        ui::resetDialogScript();
        previous_ = setMessagePresenter(nullptr);
        ui::installMessageDialog();
    }
    ~ScriptedDialogs()
    {
        ui::setSessionEnding(false);
        ui::resetDialogScript();
        setMessagePresenter(previous_);
    }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

private:
    MessagePresenter* previous_ = nullptr;
};

}  // namespace test
