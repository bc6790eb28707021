#include "platform/ui/windows/spin_box.h"

#include "platform/core/picture.h"
#include "platform/ui/windows/number_entry.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>

namespace ui {

SpinBox::SpinBox(QString picture, Decimal step, Decimal minimum, Decimal maximum, QWidget* parent)
    : QAbstractSpinBox(parent), picture_(std::move(picture)), step_(std::move(step)), minimum_(std::move(minimum)),
      maximum_(std::move(maximum))
{
    setAlignment(Qt::AlignRight);
    setAccelerated(true);
    lineEdit()->setText(Format(bounded(Decimal()), picture_));
    beepAtRefusedInput(*lineEdit());
    // The line edit's own modified flag does not last: the spin box clears it on Enter. A text
    // set from outside clears the change; the user's edit (whichever of the two signals Qt
    // sends first) stays one.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text != edited_) modified_ = false;
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        edited_ = text;
        modified_ = true;
    });
    // The text left after editing is shown as the picture formats it; the user's change stays
    // a change, so that the window still takes it as accepted. One still in the spin (Enter)
    // stays in the text it is edited in.
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        const bool modified = isModified();
        lineEdit()->setText(hasFocus() ? EditText(value(), picture_) : Format(value(), picture_));
        setModified(modified);
    });
}

Decimal SpinBox::value() const
{
    Decimal v;
    return ReadEntryText(lineEdit()->text(), picture_, v) == EntryText::Value ? v : Decimal();
}

void SpinBox::setValue(const Decimal& value) { lineEdit()->setText(Format(bounded(value), picture_)); }

bool SpinBox::isModified() const { return modified_; }
void SpinBox::setModified(bool modified) { modified_ = modified; }

Decimal SpinBox::bounded(const Decimal& value) const
{
    if (value < minimum_) return minimum_;
    if (value > maximum_) return maximum_;
    return value;
}

void SpinBox::focusInEvent(QFocusEvent* event)
{
    // edited as plain digits: the picture's grouping would be typed around and read back
    const bool modified = isModified();
    lineEdit()->setText(EditText(value(), picture_));
    setModified(modified);
    QAbstractSpinBox::focusInEvent(event);
}

QSize SpinBox::sizeHint() const
{
    // As wide as the longest text of the range under the picture.
    ensurePolished();
    const QFontMetrics metrics(font());
    const int textWidth = std::max(metrics.horizontalAdvance(Format(minimum_, picture_)),
                                   metrics.horizontalAdvance(Format(maximum_, picture_)));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(textWidth + 2, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QSize SpinBox::minimumSizeHint() const { return sizeHint(); }

void SpinBox::stepBy(int steps)
{
    setValue(value() + step_ * Decimal(steps));
    setModified(true);
    selectAll();
    emit stepped();
}

QAbstractSpinBox::StepEnabled SpinBox::stepEnabled() const
{
    if (isReadOnly()) return StepNone;
    const Decimal v = value();
    StepEnabled enabled = StepNone;
    if (v < maximum_) enabled |= StepUpEnabled;
    if (v > minimum_) enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State SpinBox::validate(QString& input, int&) const
{
    return validateNumber(input, picture_, {minimum_, maximum_});
}

void SpinBox::fixup(QString& input) const
{
    Decimal v;
    if (ReadEntryText(input, picture_, v) != EntryText::Value) v = textToNumber(input);
    input = Format(bounded(v), picture_);
}

}  // namespace ui
