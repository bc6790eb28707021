#include "platform/ui/dialogs/message_dialog.h"

#include "platform/core/message.h"
#include "platform/core/regional.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/nested_wait.h"
#include "platform/ui/windows/title_width.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>


namespace ui {

namespace {

struct ButtonKind {
    MessageButton button;
    regional::Button caption;
    const char* control;
};

// In the order the dialog shows them.
const ButtonKind kButtons[] = {
    {BUTTON_OK, regional::Button::Ok, "?OkButton"},
    {BUTTON_YES, regional::Button::Yes, "?YesButton"},
    {BUTTON_NO, regional::Button::No, "?NoButton"},
    {BUTTON_ABORT, regional::Button::Abort, "?AbortButton"},
    {BUTTON_RETRY, regional::Button::Retry, "?RetryButton"},
    {BUTTON_IGNORE, regional::Button::Ignore, "?IgnoreButton"},
    {BUTTON_CANCEL, regional::Button::Cancel, "?CancelButton"},
    {BUTTON_HELP, regional::Button::Help, "?HelpButton"},
};

// The buttons a message shows and the one that is its default: OK when it names none, the
// first one shown when the default is not among them.
struct ButtonSet {
    unsigned shown;
    unsigned byDefault;
    unsigned escape;
    // While the session ends: No where there is one ("Сохранение записи" is taken as No,
    // so a reserved new record is abandoned), else what Esc gives.
    unsigned unattended() const { return (shown & BUTTON_NO) ? BUTTON_NO : escape; }
};

ButtonSet buttonSetOf(unsigned buttons, unsigned defaultButton)
{
    unsigned shown = 0;
    for (const ButtonKind& b : kButtons) shown |= buttons & b.button;
    if (!shown) shown = BUTTON_OK;
    unsigned byDefault = 0;
    for (const ButtonKind& b : kButtons)
        if ((shown & b.button) && (b.button == defaultButton || !byDefault)) byDefault = b.button;
    return {shown, byDefault, escapeButton(shown, byDefault)};
}

QStyle::StandardPixmap pixmapOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation: return QStyle::SP_MessageBoxWarning;
    case MessageIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case MessageIcon::Hand: return QStyle::SP_MessageBoxCritical;
    default: return QStyle::SP_MessageBoxInformation;
    }
}

void addIcon(Window& window, QBoxLayout& row, MessageIcon icon)
{
    if (icon == MessageIcon::None) return;
    QStyle* style = window.content()->style();
    const int size = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, window.content());
    auto* label = new QLabel(window.content());
    label->setPixmap(style->standardIcon(pixmapOf(icon), nullptr, window.content()).pixmap(size, size));
    window.add(CREATE::Image, "?Icon", label);
    row.addWidget(label, 0, Qt::AlignTop);
}

void addText(Window& window, QBoxLayout& row, const QString& text)
{
    auto* label = new QLabel(window.content());
    label->setTextFormat(Qt::PlainText);
    label->setText(QString(text).replace(u'|', u'\n'));
    window.add(CREATE::String, "?Text", label);
    row.addWidget(label, 1);
}

// The buttons centred in a row; returns the default one.
QPushButton* addButtons(Window& window, QBoxLayout& row, const ButtonSet& set, Answers& answers)
{
    QPushButton* byDefault = nullptr;
    row.addStretch();
    for (const ButtonKind& b : kButtons) {
        if (!(set.shown & b.button)) continue;
        auto* button = new QPushButton(regional::buttonCaption(b.caption), window.content());
        button->setAutoDefault(true);  // Enter presses the button that has the focus
        window.add(CREATE::Button, b.control, button, int(b.button));
        answers.byControl[int(b.button)] = int(b.button);
        row.addWidget(button);
        if (b.button == set.byDefault) byDefault = button;
    }
    row.addStretch();
    byDefault->setDefault(true);
    return byDefault;
}

unsigned runDialog(const QString& text, const QString& caption, MessageIcon icon, const ButtonSet& set)
{
    Window window(WindowKind::Dialog, caption.isEmpty() ? QApplication::applicationDisplayName() : caption, 0, 0);
    window.setTakesCloseRequests(false);  // only its user answers a message
    Answers answers;
    answers.onClose = int(set.escape);
    answers.onSessionEnd = int(set.unattended());
    // The buttons first: their controls are numbered by the buttons, the others take the next.
    auto* buttons = new QHBoxLayout;
    QPushButton* byDefault = addButtons(window, *buttons, set, answers);
    auto* body = new QHBoxLayout;
    body->setSpacing(window.duX(8));
    addIcon(window, *body, icon);
    addText(window, *body, text);
    auto* layout = new QVBoxLayout(window.content());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(body);
    layout->addSpacing(window.duY(4));
    layout->addLayout(buttons);
    // as wide as its caption needs, so the caption shows whole (its size is the layout's)
    layout->addSpacerItem(
        new QSpacerItem(titleBarWidth(*window.content()) - 2 * layout->contentsMargins().left(), 0,
                        QSizePolicy::Fixed, QSizePolicy::Minimum));

    return unsigned(runNested(window, answers, [byDefault] { byDefault->setFocus(); }));
}

class MessageDialog : public MessagePresenter {
public:
    unsigned show(const QString& text, const QString& caption, MessageIcon icon, unsigned buttons,
                  unsigned defaultButton) override
    {
        recordShownMessage({caption, text, icon, buttons});
        const ButtonSet set = buttonSetOf(buttons, defaultButton);
        if (auto scripted = takeScriptedMessageAnswer()) return *scripted;
        // The main stack cannot wait for a person.
        if (sessionEnding()) return set.unattended();
        if (Scheduler::instance().currentId() == 0) return set.escape;
        return runDialog(text, caption, icon, set);
    }
};

}  // namespace

void installMessageDialog()
{
    static MessageDialog dialog;
    setMessagePresenter(&dialog);
}

}  // namespace ui
