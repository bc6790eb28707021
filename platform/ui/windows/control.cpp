#include "platform/ui/windows/control.h"

#include "platform/ui/windows/number_entry.h"
#include "platform/ui/windows/spin_box.h"
#include "platform/ui/windows/window.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>

namespace ui {

namespace {

// A value shown in an entry shows its beginning, however long it is; an unchanged value in the
// entry being typed in keeps its cursor.
void showFromStart(QLineEdit& edit, const QString& text)
{
    if (edit.text() != text)
        edit.setText(text);
    else if (edit.hasFocus())
        return;
    edit.setCursorPosition(0);
}

}  // namespace

Control::Control(Window& window, int number, QString name, int type, QWidget* widget)
    : window_(window), number_(number), name_(std::move(name)), type_(type), widget_(widget)
{
}

void Control::bind(std::function<QString()> read, std::function<void(const QString&)> write)
{
    read_ = std::move(read);
    write_ = std::move(write);
}

void Control::display()
{
    if (read_) setText(read_());
}

void Control::update()
{
    // a control without its widget has no value to store
    if (!write_ || !widget_) return;
    if (auto* check = qobject_cast<QCheckBox*>(widget_.data())) {
        write_(check->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        return;
    }
    write_(text());
}

QString Control::text() const
{
    QWidget* w = widget_;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) return spin->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(w)) return rich->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* progress = qobject_cast<QProgressBar*>(w)) return QString::number(progress->value());
    return w ? w->windowTitle() : QString();
}

void Control::setText(const QString& text)
{
    QWidget* w = widget_;
    if (auto* check = qobject_cast<QCheckBox*>(w); check && read_) {
        check->setChecked(textToNumber(text).sign() != 0);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        showFromStart(*edit, dynamic_cast<NumberEntry*>(edit) ? numberTextFor(*edit, text, picture_) : text);
        edit->setModified(false);
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
        if (auto* line = spin->findChild<QLineEdit*>())
            line->setText(qobject_cast<SpinBox*>(spin) ? numberTextFor(*spin, text, picture_) : text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        if (plain->toPlainText() != text) plain->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
        if (rich->toPlainText() != text) rich->setPlainText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable())
            showFromStart(*combo->lineEdit(), text);
        else
            combo->setCurrentText(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* progress = qobject_cast<QProgressBar*>(w)) {
        // the value within the bar's range (0 to 100 unless it has its own)
        const Decimal v = textToNumber(text);
        const Decimal low = long(progress->minimum()), high = long(progress->maximum());
        progress->setValue(assignInteger<int>(v < low ? low : high < v ? high : v));
    } else if (w) {
        w->setWindowTitle(text);
    }
}

void Control::hide()
{
    if (widget_) widget_->hide();
}

void Control::unhide()
{
    if (widget_) widget_->show();
}

bool Control::isHidden() const { return !widget_ || widget_->isHidden(); }

void Control::enable()
{
    if (widget_) widget_->setEnabled(true);
}

void Control::disable()
{
    if (widget_) widget_->setEnabled(false);
}

bool Control::isEnabled() const { return widget_ && widget_->isEnabled(); }

void Control::select()
{
    if (!widget_) return;
    // a control on a tab that is not shown brings its tab forward first
    for (QWidget* w = widget_; w; w = w->parentWidget()) {
        auto* pages = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* sheet = pages ? qobject_cast<QTabWidget*>(pages->parentWidget()) : nullptr;
        if (sheet) sheet->setCurrentWidget(w);
    }
    widget_->setFocus(Qt::OtherFocusReason);
}

}  // namespace ui
