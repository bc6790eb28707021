#pragma once
// `Main`: the program's frame, the multiple-document window in which every other window
// opens, with its menu, toolbar and the archive of estimates.

#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/addons/system_events.h"
#include "platform/ui/threads/scheduler.h"
#include "platform/ui/windows/window_manager.h"

#include <QString>

#include <cstdint>
#include <map>

class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;

// Runs the frame until it closes (the first thread's procedure, called by ProgramMain).
void Main();

class MainFrame : public ui::WindowManager {
public:
    using Level = records::Level;

    MainFrame();
    ~MainFrame() override;

    Level Init() override;
    Level Kill() override;
    Level TakeAccepted() override;
    Level TakeWindowEvent() override;
    Level TakeCloseEvent() override;

    // The thread number of the splash window while the frame may still close it.
    std::int32_t SplashThread = 0;

    // Control numbers of the menu items.
    enum Item {
        OpenSmeta = 100, PrinterSetup, ImportRates, Exit, Cut, Copy, Paste, BrowseRates, BrowseCategories,
        BrowseUnits, Settings, Calculator, Tile, Cascade, ArrangeIcons, HelpContents, HelpSearch, HelpOnHelp, About,
        // toolbar buttons that are not navigation
        ToolbarCut = 3015, ToolbarCopy = 3016, ToolbarPaste = 3017, ToolbarHelp = 3018, ChooseSmeta = 3020,
        Archive = 3021,
    };

private:
    void buildMenu();
    void buildToolbar();
    QAction* addItem(QMenu* menu, int number, const QString& name, const QString& text, const QString& statusTip,
                     const QKeySequence& key = {});
    void updateProcedureItems();
    void updateNavigationButtons();
    void rebuildWindowList(QMenu* menu);
    void arrangeIcons();
    void standardEdit(int item);
    void restoreFromArchive();
    void saveToArchive();
    // Asks every other thread to close and waits until all have ended; false when a window
    // stays open (its user cancelled).
    bool closeOtherThreads();
    // The active child window when it takes the navigation button: a list or form of another
    // thread that is its thread's top window; null otherwise.
    ui::Window* navigationTarget(int button) const;

    ui::vsMouseWheelClass wheel_;
    ui::SystemEventsClass systemEvents_;
    QMainWindow* main_ = nullptr;
    QMdiArea* area_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<int, QString> procedureOf_;
};
