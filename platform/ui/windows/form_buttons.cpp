#include "platform/ui/windows/form_buttons.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

void layOutForm(Window& window, QWidget* sheet, const FormButtons& buttons)
{
    auto* row = new QHBoxLayout;
    if (buttons.leading) row->addWidget(buttons.leading);
    row->addStretch();
    auto addButton = [&](const char* icon, const QString& text, const char* name, int number) {
        auto* button = new QPushButton(QIcon(QString::fromLatin1(icon)), text);
        button->setAutoDefault(true);  // Enter presses the button that has the focus
        window.add(CREATE::Button, QString::fromLatin1(name), button, number);
        row->addWidget(button);
        return button;
    };
    addButton(":/icons/wizok.png", QStringLiteral("OK"), "?OK", buttons.ok);
    addButton(":/icons/wizcncl.png", QStringLiteral("Отменить"), "?CANCEL", buttons.cancel);
    if (buttons.help) addButton(":/icons/help.png", QStringLiteral("Помощь"), "?HELP", buttons.help);
    auto* layout = new QVBoxLayout(window.content());
    layout->addWidget(sheet);
    layout->addLayout(row);
}

}  // namespace ui
