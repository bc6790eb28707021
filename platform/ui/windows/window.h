#pragma once
// Wing windows: windows and their protocol, the nested wait of forms, the table of procedures, form controls.
// A window of the window system: an MDI child of the frame, a top-level dialog of the frame,
// a popup menu or the frame itself. It belongs to the logical thread that created it, keeps
// its controls under their numbers and names, and turns what happens to its widgets into
// events in its own queue, which its thread reads with wait().

#include "platform/core/settings_manager.h"
#include "platform/ui/windows/control.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/thread_windows.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <deque>
#include <memory>
#include <set>
#include <vector>

class QMdiArea;
class QTimer;

namespace ui {

enum class WindowKind { MdiChild, Dialog, Frame, Popup };

class Window : public QObject {
    Q_OBJECT

public:
    // A window of the given size in dialog units.
    Window(WindowKind kind, const QString& title, int widthDu, int heightDu);
    // A window on a widget its caller built: the frame (a main window, its menu and toolbar
    // its controls) or a popup menu (its caller pops it up and posts what is chosen).
    Window(WindowKind kind, QWidget* own);
    ~Window() override;

    // Where MDI children open; without an area they open as top-level windows.
    static void setMdiArea(QMdiArea* area);
    static QMdiArea* mdiArea();
    // The window whose widget holds `widget`, or null.
    static Window* of(const QWidget* widget);
    // The live window with this id, or null.
    static Window* find(WindowId id);

    WindowId id() const { return id_; }
    WindowKind kind() const { return kind_; }
    ThreadId thread() const { return thread_; }
    QWidget* content() const { return content_; }
    QWidget* topWidget() const;

    // --- controls
    // Registers a widget as a control; number 0 takes the next free number. A control that
    // had the number before is removed. A control whose widget is destroyed leaves the window.
    Control& add(int type, const QString& name, QWidget* widget, int number = 0);
    // Removes the control and destroys its widget; an unknown number does nothing.
    void remove(int number);
    Control* control(int number) const;
    Control* control(const QString& name) const;
    int numberOf(const QString& name) const;  // 0 when unknown
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    void displayAll();  // every bound control shows its variable
    void updateAll();   // every bound control stores its value
    // The control that has the focus (0 for none).
    int focusedControl() const;

    // --- dialog units of the window's font: x = average character width / 4, y = height / 8
    int duX(int units) const;
    int duY(int units) const;

    // --- opening and closing
    // Shows the window; on a thread with other windows open it disables them until it closes.
    void open();
    void close();
    bool isOpen() const { return open_; }

    // --- events
    void post(int event, int field = 0, int keyCode = 0);
    // The next event (the calling thread waits for it). Only the window's own thread may wait
    // for it: on any other it is a programming error.
    Event wait();
    bool hasEvents() const { return !queue_.empty(); }
    // An event of that kind and field waits in the queue.
    bool hasQueued(int event, int field) const;
    // Takes the first queued event of that kind and field out of the queue; whether there was
    // one (a refused entry withdraws the button press that made it count as accepted).
    bool discard(int event, int field);

    // --- properties
    void setTitle(const QString& title);
    QString title() const;
    void setIcon(const QString& resource);
    // An image tiled behind the window's controls.
    void setWallpaper(const QString& resource);
    void setTimer(int hundredths);  // 0 stops it
    void alertKey(int keyCode);
    bool isAlerted(int keyCode) const { return alerted_.count(keyCode) > 0; }
    // The key or mouse key pressed last in the window (0 for none).
    int lastKeyCode() const { return lastKeyCode_; }
    void setLastKeyCode(int keyCode) { lastKeyCode_ = keyCode; }
    // Grows the window so that `part` of it is `width` pixels wide, as far as the frame's area
    // (or the screen) has room; a window wide enough already stays as it is.
    void growToShow(const QWidget& part, int width);
    // A window that is not resizable keeps the size it opens with and cannot be maximised.
    void setResizable(bool resizable, int minWidthDu = 0, int minHeightDu = 0);

    // --- the frame's toolbar buttons (3001..3013) that act on this window now; a change is
    // told through ToolbarState::changed
    void setToolbarButtons(std::set<int> buttons);
    const std::set<int>& toolbarButtons() const { return toolbarButtons_; }
    // Whether an orderly close of the program may ask this window to close (a message waiting
    // for its answer may not be closed by anyone but its user).
    bool takesCloseRequests() const { return takesCloseRequests_; }
    void setTakesCloseRequests(bool takes) { takesCloseRequests_ = takes; }

    // --- placement, for the settings file: the window's normal position and size (where it
    // returns when restored), whatever its state, with its state beside it
    WindowPlacement placement() const;
    // Gives the window the normal geometry first and then the state, so that restoring it
    // returns to that geometry.
    void setPlacement(const WindowPlacement& p);

    // Called from the window's widgets (Qt handlers): only queue events.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControl(Control& c);
    // Takes the control out of the window and cuts its widget's connections to the window.
    std::unique_ptr<Control> takeOut(const Control& c);
    // A value typed into the focused entry counts as accepted before a button pressed without
    // taking the focus (by its shortcut or a key).
    void acceptFocusedEntry();
    // An entry whose value was changed stores it and counts as accepted, once per change.
    void acceptIfModified(Control& c);
    void registerWidget(QWidget* widget);
    void setInputEnabled(bool enabled);
    // The top-level window of the window this one opens over: the thread's top window but
    // popups (null when it has none).
    QWidget* callerWindow() const;
    // Stacked over its caller while it is open, and back as it was made when it closes.
    void stackOverCaller();
    void unstack();
    // Raised above the windows under it and given the focus (an MDI child in the frame: the
    // frame's active child).
    void bringToFront();
    // Over the window its thread shows on top, else over the frame.
    void centreOverCaller();
    // Grows the window where what it holds does not fit its size in dialog units (captions,
    // prompts and buttons in a font wider than the units assume); one that is not resizable
    // is fixed at that size.
    void fitContents();
    // An MDI child as large as the frame's area at most, and inside it.
    void keepInsideArea();
    // A dialog at least as wide as the window manager needs to show its title whole.
    void widenForTitle();
    // Only the thread's top window takes input; the windows under it wait until it closes.
    static void enableTopWindowOnly(const LogicalThread& thread);
    bool isInNormalState() const;
    // Kept from each move and resize in the normal state: neither an MDI child nor every
    // window system knows it once the window is minimised or maximised.
    void rememberNormalGeometry();

    WindowId id_;
    WindowKind kind_;
    ThreadId thread_;
    QPointer<QWidget> top_;      // the subwindow, the dialog or the frame
    QPointer<QWidget> content_;  // where the controls live
    std::vector<std::unique_ptr<Control>> controls_;
    int nextNumber_ = 1;
    std::deque<Event> queue_;
    std::set<int> alerted_;
    std::set<int> toolbarButtons_;
    int lastKeyCode_ = 0;
    QTimer* timer_ = nullptr;
    bool open_ = false;
    bool inputEnabled_ = true;  // false while a nested window of its thread is open
    bool takesCloseRequests_ = true;
    bool resizable_ = true;
    int widthDu_ = 0, heightDu_ = 0;
    QRect normalGeometry_;
    QPointer<QWidget> focusBeforeWait_;  // the focus of a window while a nested one is open
    bool overForm_ = false;              // an MDI child open as a window of its own over a form
};

}  // namespace ui
