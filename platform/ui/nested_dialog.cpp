#include "platform/ui/nested_dialog.h"

#include "platform/ui/window.h"

#include <QDialog>
#include <QVBoxLayout>

namespace ui {

bool runNestedDialog(Window& window, QDialog& dialog)
{
    dialog.setWindowFlags(Qt::Widget);
    auto* layout = new QVBoxLayout(window.content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&dialog);
    window.add(CREATE::Region, "?Dialog", &dialog);
    QObject::connect(&dialog, &QDialog::finished, &window, [&window](int result) {
        window.post(result == QDialog::Accepted ? EVENT::Accepted : EVENT::CloseWindow);
    });

    window.open();
    dialog.show();
    bool accepted = false;
    for (bool done = false; !done;) {
        const Event e = window.wait();
        if (e.event == EVENT::Accepted) {
            accepted = done = true;
        } else if (e.event == EVENT::CloseWindow) {
            done = true;
        }
    }
    window.close();
    return accepted;
}

}  // namespace ui
