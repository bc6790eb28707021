#pragma once
// A control of a window: its number and name as the window's code refers to it, its kind
// (the platform's control types), the widget that shows it, and the variable it is bound to
// (its USE variable), shown through its picture and read back when it is accepted.

#include "platform/core/decimal.h"
#include "platform/core/fixed_string.h"
#include "platform/core/picture.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace ui {

class Window;

// The platform's control types (property Type).
namespace CREATE {
inline constexpr int Image = 3;
inline constexpr int Region = 4;
inline constexpr int Line = 5;
inline constexpr int Box = 6;
inline constexpr int Ellipse = 7;
inline constexpr int Entry = 8;
inline constexpr int Button = 9;
inline constexpr int Prompt = 10;
inline constexpr int Option = 11;
inline constexpr int Check = 12;
inline constexpr int Group = 13;
inline constexpr int List = 14;
inline constexpr int Combo = 15;
inline constexpr int Spin = 16;
inline constexpr int Text = 17;
inline constexpr int String = 20;
inline constexpr int Sheet = 23;
inline constexpr int Tab = 24;
inline constexpr int Panel = 25;
inline constexpr int Progress = 29;
inline constexpr int DropList = 33;
inline constexpr int DropCombo = 34;
inline constexpr int Toolbar = 35;
inline constexpr int Menu = 39;
inline constexpr int Item = 40;  // menu item
}  // namespace CREATE

class Control {
public:
    Control(Window& window, int number, QString name, int type, QWidget* widget);

    int number() const { return number_; }
    const QString& name() const { return name_; }
    int type() const { return type_; }
    QWidget* widget() const { return widget_; }
    Window& window() const { return window_; }

    // The USE variable as text: what the control shows and what it stores back.
    void bind(std::function<QString()> read, std::function<void(const QString&)> write);
    template <std::size_t N>
    void bind(FixedString<N>& v)
    {
        bind([&v] { return v.toQString(); }, [&v](const QString& t) { v = t; });
    }
    template <int P, int S>
    void bind(DecimalField<P, S>& v, const QString& picture)
    {
        picture_ = picture;
        bind([&v, picture] { return Format(Decimal(v), picture); },
             [&v, picture](const QString& t) {
                 // as typed or as shown (ReadEntryText), rounded half away from zero to the
                 // field's places; a value too wide is refused, never stored by its low-order
                 // digits
                 Decimal d;
                 if (ReadEntryText(t, picture, d) == EntryText::Value) v.checkedStore(d);
             });
    }
    template <class Int>
        requires std::is_integral_v<Int>
    void bind(Int& v, const QString& picture)
    {
        picture_ = picture;
        bind([&v, picture] { return Format(Decimal(static_cast<long>(v)), picture); },
             [&v, picture](const QString& t) {
                 Decimal d;
                 if (ReadEntryText(t, picture, d) == EntryText::Value) checkedAssignInteger<Int>(d, v);
             });
    }
    bool isBound() const { return bool(read_); }
    const QString& picture() const { return picture_; }
    void setPicture(const QString& picture) { picture_ = picture; }

    // variable -> control
    void display();
    // control -> variable
    void update();
    // The control's own text (entry text, caption, prompt).
    QString text() const;
    void setText(const QString& text);

    void hide();
    void unhide();
    bool isHidden() const;
    void enable();
    void disable();
    bool isEnabled() const;
    // Gives the control the focus.
    void select();

    // Immediate events (the IMM attribute): a list reports scrolling as events.
    bool immediate = false;

private:
    Window& window_;
    int number_;
    QString name_;
    int type_;
    QPointer<QWidget> widget_;
    QString picture_;
    std::function<QString()> read_;
    std::function<void(const QString&)> write_;
};

}  // namespace ui
