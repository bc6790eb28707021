#pragma once
// The platform's spin control over a decimal variable: the text is the variable shown with its
// picture, and stepping adds an exact decimal step to the value the text reads back as, so
// 0.1 + 0.2 shows 0.3 under any picture. The value stays within a range, normally the one its
// DECIMAL(p,s) variable holds.

#include "platform/core/decimal.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/number_entry.h"
#include "platform/ui/windows/window.h"

#include <QAbstractSpinBox>
#include <QString>

#include <cstdint>

namespace ui {

class SpinBox : public QAbstractSpinBox {
    Q_OBJECT

public:
    SpinBox(QString picture, Decimal step, Decimal minimum, Decimal maximum, QWidget* parent = nullptr);

    // The largest magnitude a DECIMAL(P,S) holds: 10^(P-S) less one unit of its last place.
    template <int P, int S>
    static Decimal limitOf()
    {
        return NumberRange::of(DecimalField<P, S>{}).maximum;
    }

    // The value the text reads back as; 0 while the text reads as no number.
    Decimal value() const;
    void setValue(const Decimal& value);

    // Changed by the user (typing or stepping) since the text was last set from outside.
    bool isModified() const;
    void setModified(bool modified);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    // A step button, arrow key or wheel notch changed the value.
    void stepped();

protected:
    StepEnabled stepEnabled() const override;
    void focusInEvent(QFocusEvent* event) override;

private:
    Decimal bounded(const Decimal& value) const;

    QString picture_;
    Decimal step_;
    Decimal minimum_;
    Decimal maximum_;
    bool modified_ = false;
    QString edited_;  // the text as the user's last edit left it
};

// A spin bound to a DECIMAL(P,S) variable, over the range the variable holds.
template <int P, int S>
Control& addSpin(Window& window, const QString& name, DecimalField<P, S>& variable, const QString& picture,
                 const Decimal& step, int number = 0)
{
    const Decimal limit = SpinBox::limitOf<P, S>();
    Control& c = window.add(CREATE::Spin, name, new SpinBox(picture, step, -limit, limit), number);
    c.bind(variable, picture);
    return c;
}

}  // namespace ui
