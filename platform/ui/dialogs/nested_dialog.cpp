#include "platform/ui/dialogs/nested_dialog.h"

#include "platform/ui/windows/nested_wait.h"

#include <QDialog>
#include <QVBoxLayout>

namespace ui {

bool runNestedDialog(Window& window, QDialog& dialog)
{
    dialog.setWindowFlags(Qt::Widget);
    auto* layout = new QVBoxLayout(window.content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&dialog);
    const int accepted = window.add(CREATE::Region, "?Dialog", &dialog).number();
    // Only the dialog's own acceptance answers it; its cancel is a close request.
    QObject::connect(&dialog, &QDialog::finished, &window, [&window, accepted](int result) {
        if (result == QDialog::Accepted)
            window.post(EVENT::Accepted, accepted);
        else
            window.post(EVENT::CloseWindow);
    });
    Answers answers;
    answers.byControl[accepted] = 1;
    return runNested(window, answers, [&dialog] { dialog.show(); }) == 1;
}

}  // namespace ui
