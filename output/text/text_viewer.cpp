#include "output/text/text_viewer.h"

#include "platform/core/codepage.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/window.h"

#include <QFile>
#include <QFont>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace text_viewer {

QString shownText(const std::string& cp866)
{
    std::string kept;
    kept.reserve(cp866.size());
    for (std::size_t i = 0; i < cp866.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(cp866[i]);
        // ESC and the byte of its command, and the other printer bytes; a line ends with LF
        if (c == 0x1B) {
            ++i;
            continue;
        }
        if (c < 0x20 && c != '\n' && c != '\t') continue;
        kept += char(c);
    }
    return codepage::fromCp866(kept);
}

}  // namespace text_viewer

void ShowTextFile(const QString& path)
{
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();

    ui::Window window(ui::WindowKind::MdiChild, path, 400, 250);
    window.setResizable(true, 100, 60);
    auto* text = new QPlainTextEdit(window.content());
    text->setObjectName(QStringLiteral("?TEXT"));
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // the report's columns line up only in a fixed-pitch font
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    text->setFont(font);
    text->setPlainText(text_viewer::shownText(bytes.toStdString()));
    auto* layout = new QVBoxLayout(window.content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    window.add(ui::CREATE::Text, QStringLiteral("?TEXT"), text, 1);
    window.open();
    ui::vsMouseWheelClass wheel;
    wheel.Attach(window);
    while (window.wait().event != EVENT::CloseWindow) {
    }
    wheel.Detach();
    window.close();
}
