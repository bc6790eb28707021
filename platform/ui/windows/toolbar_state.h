#pragma once
// Which of the frame's toolbar buttons act on a window now: each window keeps its set
// (Window::setToolbarButtons) and this process-wide notifier tells the frame when a set
// changes, so that it enables its buttons for the active window.

#include <QObject>

// The frame's navigation buttons, by the numbers they are forwarded with.
namespace TOOLBAR {
inline constexpr int Insert = 3001;
inline constexpr int Change = 3002;
inline constexpr int Delete = 3003;
inline constexpr int Select = 3004;
inline constexpr int Bottom = 3005;
inline constexpr int Top = 3006;
inline constexpr int PageDown = 3007;
inline constexpr int PageUp = 3008;
inline constexpr int Down = 3009;
inline constexpr int Up = 3010;
inline constexpr int Locate = 3011;
inline constexpr int History = 3012;
inline constexpr int Help = 3013;
inline constexpr bool isForwarded(int control) { return control >= Insert && control <= Help; }
}  // namespace TOOLBAR

namespace ui {

class Window;

class ToolbarState : public QObject {
    Q_OBJECT

public:
    static ToolbarState& instance();

signals:
    void changed(ui::Window* window);

private:
    ToolbarState();
};

}  // namespace ui
