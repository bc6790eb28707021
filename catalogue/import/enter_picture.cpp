#include "catalogue/import/enter_picture.h"

#include "platform/core/fixed_string.h"
#include "platform/core/message.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/window_manager.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

namespace {

using records::Level;

enum Control { PicturePrompt = 1, PictureEntry, OkButton, CancelButton };

class PictureWindow : public ui::WindowManager {
public:
    explicit PictureWindow(const QString& picture) : WindowManager(QStringLiteral("EnterPicture")) { L_PICTURE = picture; }

    Level Init() override
    {
        WindowManager::Init();
        window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, QStringLiteral("Enter Picture..."), 160, 40);
        window->content()->setFont(QFont(QStringLiteral("Arial")));
        auto* layout = new QVBoxLayout(window->content());
        auto* row = new QHBoxLayout;
        auto* prompt = new QLabel(QStringLiteral("Picture:"));
        window->add(ui::CREATE::Prompt, QStringLiteral("?L_PICTURE:PROMPT"), prompt, PicturePrompt);
        ui::Entry* entry = ui::newEntry(30);
        window->add(ui::CREATE::Entry, QStringLiteral("?L_PICTURE"), entry, PictureEntry).bind(L_PICTURE);
        row->addWidget(prompt);
        row->addWidget(entry, 1);
        layout->addLayout(row);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        for (const auto& [name, caption, number] : {std::tuple{"?OKBUTTON", "&OK", int(OkButton)},
                                                    std::tuple{"?CANCELBUTTON", "&Cancel", int(CancelButton)}}) {
            auto* button = new QPushButton(QString::fromLatin1(caption));
            window->add(ui::CREATE::Button, QString::fromLatin1(name), button, number);
            buttons->addWidget(button);
        }
        layout->addLayout(buttons);
        Open();
        window->displayAll();
        window->control(PictureEntry)->select();
        return Level::Benign;
    }

    Level TakeAccepted() override
    {
        switch (FIELD()) {
        case PictureEntry:
            if (!L_PICTURE.clipped().starts_with('@')) {
                Message(QStringLiteral("Pictures must begin with \"@\""), QStringLiteral("Invalid Picture!"),
                        MessageIcon::Information);
                window->control(PictureEntry)->select();
            }
            return Level::Notify;
        case OkButton:
            accepted_ = true;
            PostClose();
            return Level::Notify;
        case CancelButton: PostClose(); return Level::Notify;
        }
        return WindowManager::TakeAccepted();
    }

    QString result() const { return accepted_ ? L_PICTURE.toQString() : QString(); }

private:
    FixedString<30> L_PICTURE;
    bool accepted_ = false;
};

}  // namespace

QString EnterPicture(const QString& picture)
{
    PictureWindow window(picture);
    window.Run();
    return window.result();
}
