#include "app/frame/main_frame.h"

#include "app/frame/archive.h"
#include "app/frame/help_window.h"
#include "app/settings/settings_file.h"
#include "app/windows/about_window.h"
#include "platform/core/message.h"
#include "platform/core/program_runner.h"
#include "platform/core/thread_state.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/addons/system_events.h"
#include "platform/ui/dialogs/printer.h"
#include "platform/ui/windows/nested_wait.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/toolbar_state.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using records::Level;

namespace {


struct ToolbarButton {
    const char* name;
    int number;
    const char* text;
    const char* tip;
    const char* icon;
};

const ToolbarButton navigationButtons[] = {
    {"?TOOLBAR:TOP", TOOLBAR::Top, "", "Перейти в начало", "vcrfirst"},
    {"?TOOLBAR:PAGEUP", TOOLBAR::PageUp, "", "на Предыдущую Страницу", "vcrprior"},
    {"?TOOLBAR:UP", TOOLBAR::Up, "", "Переход на \nпредыдущую запись", "vcrup"},
    {"?TOOLBAR:LOCATE", TOOLBAR::Locate, "", "Поиск записи", "find"},
    {"?TOOLBAR:DOWN", TOOLBAR::Down, "", "На след. Запись", "vcrdown"},
    {"?TOOLBAR:PAGEDOWN", TOOLBAR::PageDown, "", "На следующую страницу", "vcrnext"},
    {"?TOOLBAR:BOTTOM", TOOLBAR::Bottom, "", "На последнюю страницу", "vcrlast"},
    {"?TOOLBAR:SELECT", TOOLBAR::Select, "", "Выбрать текущую запись", "mark"},
    {"?TOOLBAR:INSERT", TOOLBAR::Insert, "Добавить", "Добавить новую запись", "insert"},
    {"?TOOLBAR:CHANGE", TOOLBAR::Change, "Изменить", "Редактировать запись", "edit"},
    {"?TOOLBAR:DELETE", TOOLBAR::Delete, "Удалить", "Удалить запись", "delete"},
    {"?TOOLBAR:HISTORY", TOOLBAR::History, "", "Предыдущее значение", "ditto"},
    {"?TOOLBAR:HELP", TOOLBAR::Help, "", "Помощь", "help"},
};

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

void Main()
{
    MainFrame frame;
    frame.Run();
}

MainFrame::MainFrame() : WindowManager(QStringLiteral("Main")) {}

MainFrame::~MainFrame() = default;

Level MainFrame::Init()
{
    WindowManager::Init();
    // the platform's window set-up
    main_ = new QMainWindow;
    main_->setWindowTitle(u("Corvanel Смета 3.08.03      (16.10.2009)"));
    main_->setWindowIcon(QIcon(QStringLiteral(":/images/tincalc.png")));
    area_ = new QMdiArea;
    area_->setBackground(QBrush(QPixmap(QStringLiteral(":/images/cvtexture.png"))));
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    main_->setCentralWidget(area_);
    main_->statusBar();
    main_->resize(800, 600);
    ui::Window::setMdiArea(area_);
    window = std::make_unique<ui::Window>(ui::WindowKind::Frame, main_);
    buildMenu();
    buildToolbar();
    updateProcedureItems();
    QObject::connect(area_, &QMdiArea::subWindowActivated, main_, [this] { updateNavigationButtons(); });
    QObject::connect(&ui::ToolbarState::instance(), &ui::ToolbarState::changed, main_,
                     [this] { updateNavigationButtons(); });

    ReadPresets();
    Open();
    wheel_.Attach(*window);
    systemEvents_.Attach(*window, 1, 1, 1, 1);
    RestoreWindow();
    updateNavigationButtons();
    return Level::Benign;
}

Level MainFrame::Kill()
{
    systemEvents_.Detach();
    wheel_.Detach();
    SaveWindow();
    Level l = WindowManager::Kill();
    ui::Window::setMdiArea(nullptr);
    window.reset();
    delete main_;
    main_ = nullptr;
    return l;
}

QAction* MainFrame::addItem(QMenu* menu, int number, const QString& name, const QString& text,
                            const QString& statusTip, const QKeySequence& key)
{
    QAction* action = menu->addAction(text);
    if (!statusTip.isEmpty()) action->setStatusTip(statusTip);
    if (!key.isEmpty()) action->setShortcut(key);
    window->add(ui::CREATE::Item, name, nullptr, number);
    QObject::connect(action, &QAction::triggered, main_, [this, number] { window->post(EVENT::Accepted, number); });
    actions_[number] = action;
    return action;
}

void MainFrame::buildMenu()
{
    QMenuBar* bar = main_->menuBar();
    QMenu* file = bar->addMenu(u("&Файл"));
    addItem(file, OpenSmeta, "?FileOpenSmeta", u("&Открыть смету"), {}, QKeySequence(Qt::CTRL | Qt::Key_O));
    addItem(file, PrinterSetup, "?PrintSetup", u("&Установки принтера..."), "Setup printer");
    addItem(file, ImportRates, "?ImportRates", u("&Импорт Расценок"), {});
    file->addSeparator();
    addItem(file, Exit, "?Exit", u("В&ыход"), "Exit this application", QKeySequence(Qt::ALT | Qt::Key_X));

    QMenu* edit = bar->addMenu(u("&Редактор"));
    addItem(edit, Cut, "?Cut", u("В&ырезать"), u("Забрать в буфер обмена"));
    addItem(edit, Copy, "?Copy", u("&Копировать"), "Copy item to Windows Clipboard", QKeySequence(Qt::CTRL | Qt::Key_Insert));
    addItem(edit, Paste, "?Paste", u("&Вставить"), "Paste contents of Windows Clipboard",
            QKeySequence(Qt::SHIFT | Qt::Key_Insert));

    QMenu* view = bar->addMenu(u("&Просмотр"));
    addItem(view, BrowseRates, "?BrowseRaszenki", u("Справочник Расценок"), u("Справочник Расценок"),
            QKeySequence(Qt::ALT | Qt::Key_R));
    addItem(view, BrowseCategories, "?BrowseNSBRAZ", u("Категории расценок"), {});
    addItem(view, BrowseUnits, "?BrowseEdIzmer", u("Единицы Измерения"), u("Browse Единицы Измерения"),
            QKeySequence(Qt::ALT | Qt::Key_E));

    QMenu* tools = bar->addMenu(u("&Утилиты"));
    addItem(tools, Settings, "?Settings", u("&Установки"), {}, QKeySequence(Qt::ALT | Qt::Key_P));
    addItem(tools, Calculator, "?Calculator", u("&Калькулятор"), {}, QKeySequence(Qt::ALT | Qt::Key_C));

    QMenu* windows = bar->addMenu(u("&Окна"));
    windows->menuAction()->setStatusTip(u("Создание и размещение окон"));
    addItem(windows, Tile, "?Tile", u("&Мозаикой"), u("Сделать все открытые окна видимыми"))
        ->setIcon(QIcon(QStringLiteral(":/icons/tile.png")));
    addItem(windows, Cascade, "?Cascade", u("&Каскадом"), u("Уложить открытые окна черепицей"))
        ->setIcon(QIcon(QStringLiteral(":/icons/cascade.png")));
    addItem(windows, ArrangeIcons, "?Arrange", u("&Упорядочить значки"), "Align all window icons")
        ->setIcon(QIcon(QStringLiteral(":/icons/arrange.png")));
    windows->addSeparator();
    QObject::connect(windows, &QMenu::aboutToShow, main_, [this, windows] { rebuildWindowList(windows); });

    QMenu* help = bar->addMenu(u("&Помощь"));
    help->menuAction()->setStatusTip("Windows Help");
    addItem(help, HelpContents, "?HelpContents", u("&Содержание"), "View the contents of the help file");
    addItem(help, HelpSearch, "?HelpSearch", u("&Поиск справки о..."), "Search for help on a subject");
    addItem(help, HelpOnHelp, "?HelpOnHelp", u("&Как пользоваться справкой"), "How to use Windows Help");
    help->addSeparator();
    addItem(help, About, "?About", u("&О программе"), {});

    procedureOf_ = {{OpenSmeta, "CurrentSmeta"},         {ImportRates, "ImprtRaszenok"}, {BrowseRates, "BrowseRaszenki"},
                    {BrowseCategories, "BrowseNSBRAZ"}, {BrowseUnits, "BrowseEdIzmer"},   {About, "ShowAbout"},
                    {Settings, "ShwNaz"},               {ChooseSmeta, "CurrentSmeta"}};
}

void MainFrame::buildToolbar()
{
    // Two rows: in one the buttons need over 1000 pixels, and the frame opens 800 wide.
    auto addRow = [this] {
        QToolBar* row = main_->addToolBar(QStringLiteral("toolbar"));
        row->setMovable(false);
        row->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        return row;
    };
    QToolBar* toolbar = addRow();
    auto addButton = [&](const char* name, int number, const QString& text, const QString& tip, const QIcon& icon) {
        QAction* action = toolbar->addAction(icon, text);
        if (!tip.isEmpty()) action->setToolTip(tip);
        // The button's control posts its accepted event when it is clicked; the action must not
        // post it a second time.
        window->add(ui::CREATE::Button, u(name), toolbar->widgetForAction(action), number);
        actions_[number] = action;
        return action;
    };
    for (const ToolbarButton& b : navigationButtons)
        addButton(b.name, b.number, u(b.text), u(b.tip), QIcon(QStringLiteral(":/icons/%1.png").arg(b.icon)));
    main_->addToolBarBreak();
    window->add(ui::CREATE::Panel, u("?PANEL1:2"), nullptr, 3014);  // the separator is the break
    toolbar = addRow();
    QStyle* style = main_->style();
    addButton("?BUTTON19", ToolbarCut, {}, {}, QIcon::fromTheme("edit-cut", QIcon(":/icons/cut.png")));
    addButton("?BUTTON20", ToolbarCopy, {}, {}, QIcon::fromTheme("edit-copy", QIcon(":/icons/copy.png")));
    addButton("?BUTTON21", ToolbarPaste, {}, {}, QIcon::fromTheme("edit-paste", QIcon(":/icons/paste.png")));
    addButton("?BUTTON22", ToolbarHelp, {}, u("Вызов справки \nпо программе"),
              style->standardIcon(QStyle::SP_DialogHelpButton));
    window->add(ui::CREATE::Panel, u("?PANEL1"), toolbar->widgetForAction(toolbar->addSeparator()), 3019);
    QAction* choose = addButton("?BUTTON1:4", ChooseSmeta, u("Выбор сметы из списка"), u("Выбор сметы для работы [Ctrl-O]"), {});
    if (QWidget* w = toolbar->widgetForAction(choose)) w->setCursor(Qt::PointingHandCursor);
    addButton("?BUTTON1:2", Archive, u("Восстановить из архива"), u("Восстановить из архива"), {});
}

void MainFrame::updateProcedureItems()
{
    for (const auto& [number, name] : procedureOf_)
        if (QAction* a = actions_[number]) a->setEnabled(ui::hasProcedure(name));
}

ui::Window* MainFrame::navigationTarget(int button) const
{
    QMdiSubWindow* active = area_ ? area_->activeSubWindow() : nullptr;
    ui::Window* w = active ? ui::Window::of(active) : nullptr;
    if (!w || w->thread() == window->thread() || !w->toolbarButtons().count(button)) return nullptr;
    // A message, dialog or popup open over it on its thread answers only to its own controls.
    ui::LogicalThread* t = ui::Scheduler::instance().find(w->thread());
    return t && t->topWindow() == w ? w : nullptr;
}

void MainFrame::updateNavigationButtons()
{
    for (int n = TOOLBAR::Insert; n <= TOOLBAR::Help; ++n)
        if (QAction* a = actions_[n]) a->setEnabled(navigationTarget(n) != nullptr);
}

void MainFrame::rebuildWindowList(QMenu* menu)
{
    // the list of open windows after the arrangement items
    const QList<QAction*> items = menu->actions();
    for (int i = 4; i < items.size(); ++i) {
        menu->removeAction(items[i]);
        delete items[i];
    }
    int n = 1;
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (!sub->isVisible()) continue;
        QAction* a = menu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == area_->activeSubWindow());
        // the window may close while the menu is open
        QObject::connect(a, &QAction::triggered, area_, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub && sub->isVisible()) area_->setActiveSubWindow(sub);
        });
    }
}

void MainFrame::arrangeIcons()
{
    // minimised children in rows along the bottom of the area, each full row pushing the next
    // one up
    const QSize room = area_->viewport()->size();
    int x = 0;
    int bottom = room.height();
    int rowHeight = 0;
    for (QMdiSubWindow* sub : area_->subWindowList()) {
        if (!sub->isVisible() || !sub->isMinimized()) continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > room.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        sub->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

void MainFrame::standardEdit(int item)
{
    // The focused control does it as for its own key, whatever its kind (an entry, the entry
    // of a spin or a combo, a list's cell editor).
    QWidget* focus = QApplication::focusWidget();
    if (!focus) return;
    const Qt::Key key = item == Cut || item == ToolbarCut     ? Qt::Key_X
                        : item == Copy || item == ToolbarCopy ? Qt::Key_C
                                                              : Qt::Key_V;
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QApplication::sendEvent(focus, &press);
}

void MainFrame::restoreFromArchive()
{
    switch (restoreArchive()) {
    case RestoreResult::Incomplete:
        Message(archive::incompleteText(), archive::restoreWarningCaption(), MessageIcon::Exclamation, BUTTON_OK, BUTTON_OK);
        break;
    case RestoreResult::Failed:
        // said, as a failed save is: a restore that did nothing must not pass for one that worked
        Message(archive::restoreFailedText(), archive::restoreWarningCaption(), MessageIcon::Exclamation, BUTTON_OK, BUTTON_OK);
        break;
    default: break;
    }
}

void MainFrame::saveToArchive()
{
    if (!saveArchive())
        Message(archive::saveFailedText(), archive::saveFailedCaption(), MessageIcon::Exclamation, BUTTON_OK, BUTTON_OK);
}

Level MainFrame::TakeAccepted()
{
    const int f = FIELD();
    // before the platform's handling
    if (f == Archive) {
        QApplication::beep();
        if (Message(u("Вы хотите восстановить сметы из архива? Все текущие настройки будут заменены на архивные"),
                    u("Предупреждение!"), MessageIcon::Exclamation, BUTTON_YES | BUTTON_NO, BUTTON_NO) == BUTTON_YES)
            restoreFromArchive();
    } else if (TOOLBAR::isForwarded(f)) {
        if (ui::Window* target = navigationTarget(f)) target->post(EVENT::Accepted, f);
        return Level::Notify;
    } else if (f == Settings) {
        ui::startProcedure(QStringLiteral("ShwNaz"));
    } else if (f == Calculator) {
        const QString calculator = programs::findProgram(
            {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"});
        if (!calculator.isEmpty()) programs::start(calculator, {});
        main_->update();
    }

    // the platform's handling: the standard actions
    switch (f) {
    case Exit: PostClose(); break;
    case PrinterSetup: ui::printerSetup(); break;
    case Cut:
    case Copy:
    case Paste:
    case ToolbarCut:
    case ToolbarCopy:
    case ToolbarPaste: standardEdit(f); break;
    case Tile: area_->tileSubWindows(); break;
    case Cascade: area_->cascadeSubWindows(); break;
    case ArrangeIcons: arrangeIcons(); break;
    case HelpContents:
    case ToolbarHelp: showHelp(HelpPage::Contents); break;
    case HelpSearch: showHelp(HelpPage::Search); break;
    case HelpOnHelp: showHelp(HelpPage::HowToUse); break;
    default: break;
    }

    // after it: the start actions and the save question of the archive
    if (f != Settings) {
        auto it = procedureOf_.find(f);
        if (it != procedureOf_.end()) ui::startProcedure(it->second);
    }
    if (f == Archive &&
        Message(u("Сохранить сметы в архив?"), u("Сметы"), MessageIcon::Exclamation, BUTTON_YES | BUTTON_NO, BUTTON_NO) ==
            BUTTON_YES)
        saveToArchive();
    return Level::Benign;
}

Level MainFrame::TakeWindowEvent()
{
    const int e = EVENT();
    if (e == EVENT::QueryEndSession) ShowAbout();
    if (e == EVENT::EndSession) {
        // The session ends: the same orderly close, without any question that waits.
        ui::setSessionEnding(true);
        return TakeCloseEvent();
    }
    Level l = WindowManager::TakeWindowEvent();
    if (e == EVENT::OpenWindow) {
        SplashThread = ui::Scheduler::instance().start(HelloScreen);
    } else if (SplashThread && e == EVENT::Accepted) {
        // An accepted event without a control ends the splash early.
        ui::post(SplashThread, EVENT::CloseWindow);
        SplashThread = 0;
    }
    return l;
}

Level MainFrame::TakeCloseEvent()
{
    if (!closeOtherThreads()) {
        ui::setSessionEnding(false);
        return Level::Notify;
    }
    WritePresets();
    RESPONSE = ui::RESPONSE::Completed;
    return Level::Fatal;
}

bool MainFrame::closeOtherThreads()
{
    ui::Scheduler& scheduler = ui::Scheduler::instance();
    const ui::ThreadId me = scheduler.currentId();
    // Each thread's top window is asked once, known by its id: a window opened later at the
    // same address is another window.
    std::map<ui::ThreadId, ui::WindowId> asked;
    for (;;) {
        bool others = false;
        for (ui::ThreadId id : scheduler.runningThreads()) {
            if (id == me) continue;
            others = true;
            ui::LogicalThread* t = scheduler.find(id);
            ui::Window* top = t ? t->topWindow() : nullptr;
            if (!top || !top->takesCloseRequests()) continue;  // a message waits for its answer
            if (asked[id] != top->id()) {
                asked[id] = top->id();
                top->post(EVENT::CloseWindow);
            } else if (ui::isWaitingIdle(id)) {
                // It took the request and waits for its events again: it stays open. A thread
                // still in its close handler (a lock wait, a pause) is not idle.
                return false;
            }
        }
        if (!others) return true;
        ui::pause(10);
    }
}
