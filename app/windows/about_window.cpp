#include "app/windows/about_window.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QWindow>

using ui::Level;
namespace CREATE = ui::CREATE;

namespace {

constexpr std::int32_t kBuildNumber = 20091016;

struct Layout {
    int width, height;    // of the window
    int imageHeight;      // of the logo, below the window's top margin
    int buildLine;        // top of the line with the build number
};

// In dialog units.
constexpr Layout kAboutLayout{185, 220, 120, 132};
constexpr Layout kSplashLayout{183, 182, 150, 162};
constexpr int kMargin = 6;
constexpr int kLineHeight = 10;
constexpr int kPromptX = 36;  // the prompts of the build and the version
constexpr int kValueX = 80;   // the build number

const char16_t* const kNotice[] = {
    u"Сметы на строительные работы",
    u"Поставляется «как есть», без гарантий",
    u"Выпуск 2009 года",
    u"Спасибо всем, кто помогал советом",
};

// Centred over the frame, or the screen when there is none.
void centre(QWidget& window)
{
    const QWidget* anchor = window.parentWidget();
    const QRect area = anchor ? anchor->frameGeometry() : QGuiApplication::primaryScreen()->availableGeometry();
    window.move(area.center() - window.rect().center());
}

}  // namespace

void ShowAbout()
{
    AboutWindow(AboutWindow::Variant::About).Run();
}

void HelloScreen()
{
    AboutWindow(AboutWindow::Variant::Splash).Run();
}

AboutWindow::AboutWindow(Variant variant, int timerHundredths)
    : WindowManager(variant == Variant::About ? QStringLiteral("ShowAbout") : QStringLiteral("HelloScreen")),
      variant_(variant), timerHundredths_(timerHundredths)
{
}

Level AboutWindow::Init()
{
    WindowManager::Init();
    BUILD = kBuildNumber;
    const bool about = variant_ == Variant::About;
    const Layout& l = about ? kAboutLayout : kSplashLayout;
    window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, QString(), l.width, l.height);
    ui::Window& w = *window;
    QWidget* content = w.content();
    // A tool window of the frame: while it has the focus, the frame's menu keys still work.
    content->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    // It takes the focus once the frame has it (below), not as it is shown: a window manager
    // activates the frame just after, which would take the focus away at once.
    content->setAttribute(Qt::WA_ShowWithoutActivating);
    w.setResizable(false);

    auto* panel = new QFrame(content);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setGeometry(content->rect());
    auto place = [&](QWidget* widget, int x, int y, int width, int height) {
        widget->setParent(panel);
        widget->setGeometry(w.duX(x), w.duY(y), w.duX(width), w.duY(height));
    };
    auto addText = [&](int type, const QString& name, const QString& text, int x, int y, int width,
                       Qt::Alignment alignment) -> ui::Control& {
        auto* label = new QLabel(text);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(alignment | Qt::AlignVCenter);
        place(label, x, y, width, kLineHeight);
        return w.add(type, name, label);
    };

    addText(CREATE::Prompt, QStringLiteral("?PROMPT1"), QStringLiteral("Сборка №:"), kPromptX, l.buildLine,
            kValueX - kPromptX, Qt::AlignLeft);
    addText(CREATE::String, about ? QStringLiteral("?LOC:BUILD") : QStringLiteral("?BUILD"), QString(), kValueX,
            l.buildLine, l.width - kValueX - kMargin, Qt::AlignLeft)
        .bind(BUILD, QStringLiteral("@n_14"));

    auto* image = new QLabel;
    image->setAlignment(Qt::AlignCenter);
    place(image, kMargin, kMargin, l.width - 2 * kMargin, l.imageHeight);
    image->setPixmap(QPixmap(QStringLiteral(":/images/logo.png"))
                         .scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    w.add(CREATE::Image, QStringLiteral("?IMAGE1"), image);

    if (about) {
        addText(CREATE::Prompt, QStringLiteral("?PROMPT1:2"), QStringLiteral("Версия: 3.08"), kPromptX,
                l.buildLine + kLineHeight + 2, l.width - kPromptX - kMargin, Qt::AlignLeft);
        int y = l.buildLine + 3 * kLineHeight;
        int line = 1;
        for (const char16_t* text : kNotice) {
            const QString name = line == 1 ? QStringLiteral("?STRING3") : QStringLiteral("?STRING3:%1").arg(line);
            addText(CREATE::String, name, QString::fromUtf16(text), kMargin, y, l.width - 2 * kMargin, Qt::AlignHCenter);
            y += kLineHeight;
            ++line;
        }
    }

    centre(*content);
    w.displayAll();
    Open();
    activateOverFrame();
    wheel_.Attach(*window);
    w.setTimer(timerHundredths_);
    for (int key : {KEY::MouseLeft, KEY::MouseLeft2, KEY::MouseRight}) w.alertKey(key);
    return Level::Benign;
}

void AboutWindow::activateOverFrame()
{
    QWidget* window = this->window->topWidget();
    QPointer<QWidget> frame = this->window->content()->parentWidget();
    auto activate = [window, frame] {
        if (frame && !frame->isActiveWindow()) return;
        centre(*window);  // where the window manager has placed the frame by now
        window->activateWindow();
    };
    // a Qt handler; it is cut when the window has been active (or goes)
    activation_ = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, window, activate);
    activate();
}

Level AboutWindow::Kill()
{
    wheel_.Detach();
    return WindowManager::Kill();
}

Level AboutWindow::TakeWindowEvent()
{
    const Level l = WindowManager::TakeWindowEvent();
    if (l != Level::Benign) return l;
    switch (EVENT()) {
    case EVENT::AlertKey:
        if (KEYCODE() == KEY::MouseLeft || KEYCODE() == KEY::MouseLeft2 || KEYCODE() == KEY::MouseRight) PostClose();
        break;
    case EVENT::GainFocus:
        hasBeenActive_ = true;
        QObject::disconnect(activation_);
        break;
    case EVENT::LoseFocus:
        // Focus changes before it has been active are the window manager's, not the user's.
        if (hasBeenActive_) PostClose();
        break;
    case EVENT::Timer: PostClose(); break;
    default: break;
    }
    return Level::Benign;
}
