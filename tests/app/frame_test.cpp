// The program's frame with its start-up and shut-down, run as the program runs them:
// ProgramMain on a logical thread in a working folder of its own, the frame driven through its
// actions and posted events, its questions answered from the dialog script.
#include "app/frame/help_window.h"
#include "app/frame/procedures.h"
#include "app/program/full_window_drag.h"
#include "app/program/program_main.h"
#include "app/program/program_resources.h"
#include "data/error_reporter.h"
#include "data/globals.h"
#include "data/thread_data.h"
#include "platform/core/ini_file.h"
#include "platform/ui/addons/system_event_sources.h"
#include "platform/ui/addons/system_messages.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/dialogs/printer.h"
#include "platform/ui/dialogs/printer_setup_dialog.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/windows/toolbar_state.h"
#include "platform/ui/windows/window_manager.h"
#include "tests/support/estimate_files.h"
#include "tests/support/raw_sqlite.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_workdir.h"
#include "tests/support/ui_driver.h"

#include <QAbstractSpinBox>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using records::Level;
using test::contentsOf;

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kInsert = "Добавить";
const char* const kArchive = "Восстановить из архива";
const char* const kExit = "В&ыход";
const char* const kRestoreQuestion =
    "Вы хотите восстановить сметы из архива? Все текущие настройки будут заменены на архивные";
const char* const kSaveQuestion = "Сохранить сметы в архив?";

// A window of another thread, as the frame's children are: an MDI child that takes the frame's
// insert and change buttons, records the controls accepted in it and may do something once it
// is open and as it closes.
class ChildWindow : public ui::WindowManager {
public:
    ChildWindow(QString title, std::vector<int>& accepted, std::function<void()> onClose,
                std::function<void()> onOpen = {})
        : WindowManager(QStringLiteral("BrowseEdIzmer")), title_(std::move(title)), accepted_(accepted),
          onClose_(std::move(onClose)), onOpen_(std::move(onOpen))
    {
    }

    Level Init() override
    {
        WindowManager::Init();
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, title_, 120, 60);
        Open();
        window->setToolbarButtons({TOOLBAR::Insert, TOOLBAR::Change});
        return Level::Benign;
    }
    Level TakeWindowEvent() override
    {
        if (EVENT() == EVENT::OpenWindow && onOpen_) onOpen_();
        return WindowManager::TakeWindowEvent();
    }
    Level Kill() override
    {
        if (onClose_) onClose_();
        return WindowManager::Kill();
    }
    Level TakeAccepted() override
    {
        accepted_.push_back(FIELD());
        return WindowManager::TakeAccepted();
    }

private:
    QString title_;
    std::vector<int>& accepted_;
    std::function<void()> onClose_;
    std::function<void()> onOpen_;
};

// A form changing the estimate header its thread fetched, with a new name not saved yet:
// closing it asks "Сохранение записи".
class EditedHeaderForm : public ui::WindowManager {
public:
    EditedHeaderForm() : WindowManager(QStringLiteral("UpdateHeaders")) {}

    Level Init() override
    {
        WindowManager::Init();
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, u("Смета"), 160, 60);
        PRIMARY = &Relate(FileId::Headers);
        if (!PrimeUpdate()) return Level::Notify;
        Open();
        DFL().NAME = "Новое";
        return Level::Benign;
    }
};

struct ProgramTest : ::testing::Test {
    ProgramTest()
    {
        loadProgramResources();
        ui::Scheduler::instance().setStateFactory([](int id) { return std::make_unique<ThreadData>(id); });
        ErrorReporter().setFatalHandler([this] { ++fatalErrors; });
        setDragFullWindows(1);
    }
    ~ProgramTest() override
    {
        endWhatIsLeft();
        ErrorReporter().setFatalHandler(nullptr);
        setDragFullWindows(1);
    }

    // ProgramMain as main() starts it, until the frame is open; the splash is closed unless kept.
    void startProgram(bool keepSplash = false)
    {
        InitProgramGlobals();
        registerProgramProcedures();
        program = test::start(ProgramMain);
        ASSERT_TRUE(test::pumpUntil([this] { return frame() && frame()->isOpen(); }));
        ASSERT_TRUE(test::pumpUntil([this] { return threadOf("HelloScreen") != 0; }));
        if (keepSplash) return;
        const ui::ThreadId splash = threadOf("HelloScreen");
        ui::post(splash, EVENT::CloseWindow);
        ASSERT_TRUE(test::waitEnded(splash));
    }
    // Through "В&ыход"; whether ProgramMain returned.
    bool exitProgram()
    {
        trigger(kExit);
        return test::waitEnded(program);
    }

    // The frame: the first window of the program's thread.
    ui::Window* frame() const
    {
        ui::LogicalThread* t = ui::Scheduler::instance().find(program);
        return t && !t->windows().empty() && t->windows().front()->kind() == ui::WindowKind::Frame
                   ? t->windows().front()
                   : nullptr;
    }
    QMainWindow* mainWindow() const { return static_cast<QMainWindow*>(frame()->topWidget()); }
    QMenu* menu(const char* title) const
    {
        for (QAction* a : mainWindow()->menuBar()->actions())
            if (a->menu() && a->text() == u(title)) return a->menu();
        ADD_FAILURE() << "no menu " << title;
        return nullptr;
    }
    QAction* action(const char* text) const
    {
        for (QAction* a : mainWindow()->findChildren<QAction*>())
            if (a->text() == u(text)) return a;
        ADD_FAILURE() << "no action " << text;
        return nullptr;
    }
    void trigger(const char* text)
    {
        if (QAction* a = action(text)) a->trigger();
    }
    // A click on the toolbar button of the action named `text`, as the user gives it.
    void press(const char* text)
    {
        QAction* a = action(text);
        for (QToolBar* bar : mainWindow()->findChildren<QToolBar*>())
            if (auto* button = qobject_cast<QAbstractButton*>(bar->widgetForAction(a))) return button->click();
        ADD_FAILURE() << "no toolbar button " << text;
    }
    // The frame has taken every event given to it.
    bool frameSettled() const { return ui::isWaitingIdle(program); }

    // One press of the archive button with the answers to what it asks.
    void pressArchive(std::initializer_list<unsigned> answers)
    {
        ui::clearShownMessages();
        for (unsigned a : answers) ui::scriptMessageAnswer(a);
        press(kArchive);
        ASSERT_TRUE(test::pumpUntil([&] { return ui::shownMessages().size() == answers.size() && frameSettled(); }));
        test::pump(20);
        ASSERT_EQ(ui::shownMessages().size(), answers.size());
    }

    // The running thread whose window procedure is `procedure`, 0 when none has its window open.
    static ui::ThreadId threadOf(const char* procedure)
    {
        ui::Scheduler& scheduler = ui::Scheduler::instance();
        for (ui::ThreadId id : scheduler.runningThreads()) {
            ui::LogicalThread* t = scheduler.find(id);
            if (t && t->hasState() && t->state().procedureName == QString::fromLatin1(procedure) && t->topWindow() &&
                t->topWindow()->isOpen())
                return id;
        }
        return 0;
    }
    ui::ThreadId startChild(const QString& title = u("Единицы Измерения"), std::function<void()> onClose = {},
                            std::function<void()> onOpen = {})
    {
        const ui::ThreadId id = test::start([=, this] { ChildWindow(title, accepted, onClose, onOpen).Run(); });
        EXPECT_TRUE(test::waitWindow(id));
        return id;
    }
    // The form changing the estimate with number 1, which must exist, or inserting a new one
    // whose number its thread reserved as a list does.
    ui::ThreadId startEditedForm(std::uint8_t request = ui::REQUEST::ChangeRecord)
    {
        const ui::ThreadId id = test::start([request] {
            Relate(FileId::Headers).Open();
            if (request == ui::REQUEST::InsertRecord) {
                Access(FileId::Headers).PrimeRecord(false);
            } else {
                DFL().NUMBER = 1;
                Access(FileId::Headers).TryFetch(0);
            }
            ProcRequest() = request;
            EditedHeaderForm().Run();
            Relate(FileId::Headers).Close();
        });
        EXPECT_TRUE(test::waitWindow(id));
        return id;
    }

    static QString stored(const char* section, const char* key)
    {
        return IniFile::at(QDir::current().filePath("tolvex.ini")).value(section, key, "<missing>");
    }
    static QByteArray settingsBytes()
    {
        QFile f("tolvex.ini");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A test that failed half-way leaves nothing running for the next one.
    void endWhatIsLeft()
    {
        ui::Scheduler& scheduler = ui::Scheduler::instance();
        if (scheduler.runningThreads().empty()) return;
        ui::setSessionEnding(true);
        if (ui::Window* f = frame()) f->post(EVENT::EndSession);
        for (int round = 0; round < 50 && !scheduler.runningThreads().empty(); ++round) {
            for (ui::ThreadId id : scheduler.runningThreads()) {
                ui::LogicalThread* t = scheduler.find(id);
                ui::Window* top = t ? t->topWindow() : nullptr;
                if (top && top->kind() != ui::WindowKind::Frame) top->post(EVENT::CloseWindow);
            }
            test::pump(100);
        }
    }

    test::TempWorkDir dir;
    test::ScriptedDialogs dialogs;
    ui::ThreadId program = 0;
    std::vector<int> accepted;  // by the child windows
    int fatalErrors = 0;
};

// --- the toolbar's navigation buttons

TEST_F(ProgramTest, TheInsertButtonGoesToTheActiveChildOfAnotherThreadAndWithoutOneDoesNothing)
{
    startProgram();
    QAction* insert = action(kInsert);
    EXPECT_FALSE(insert->isEnabled());
    ui::post(program, EVENT::Accepted, TOOLBAR::Insert);  // as if pressed all the same
    ASSERT_TRUE(test::pumpUntil([this] { return frameSettled(); }));

    const ui::ThreadId child = startChild();
    ASSERT_TRUE(test::pumpUntil([&] { return insert->isEnabled(); }));
    press(kInsert);
    ASSERT_TRUE(test::pumpUntil([&] { return !accepted.empty(); }));
    test::pump(50);
    EXPECT_EQ(accepted, std::vector<int>{TOOLBAR::Insert});  // one click, one event

    ui::post(child, EVENT::CloseWindow);
    ASSERT_TRUE(test::waitEnded(child));
    EXPECT_TRUE(test::pumpUntil([&] { return !insert->isEnabled(); }));
    press(kInsert);
    test::pump(50);
    EXPECT_EQ(accepted.size(), 1u);
    EXPECT_TRUE(ui::shownMessages().empty());
    EXPECT_TRUE(exitProgram());
}

TEST_F(ProgramTest, TheNavigationButtonsAnswerNoMessageOrDialogOpenOverAList)
{
    {
        QFile csv("a.csv");
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    }
    ui::programPrinter().setPageSize(QPageSize(QPageSize::A4));
    struct Case {
        QString title;
        std::function<QString()> ask;            // on the list's thread: what it was answered
        std::function<void(ui::Window&)> fill;  // what the user gives it before the buttons
        QString onClose;                          // the answer of a close request
    };
    const Case cases[] = {
        {u("Сохранение записи"),
         [] {
             return QString::number(Message(u("Вы хотите записать изменения для этой записи?"), u("Сохранение записи"),
                                             MessageIcon::Question, BUTTON_YES | BUTTON_NO | BUTTON_CANCEL,
                                             BUTTON_CANCEL));
         },
         [](ui::Window&) {}, QString::number(BUTTON_CANCEL)},
        {u("Импорт"), [] { return ui::askOpenFileName(u("Импорт"), QDir::currentPath(), {}); },
         [](ui::Window& w) { QTest::keyClicks(w.content()->findChild<QLineEdit*>("fileNameEdit"), "a.csv"); }, QString()},
        {u("Настройка печати"),
         [] {
             ui::printerSetup();
             return QPageSize::name(ui::programPrinter().pageLayout().pageSize().id());
         },
         [](ui::Window& w) {
             auto* sizes = w.content()->findChild<ui::PrinterSetupDialog*>()->findChildren<QComboBox*>().at(1);
             sizes->setCurrentIndex(sizes->findData(int(QPageSize::A5)));
         },
         QPageSize::name(QPageSize::A4)},
    };
    startProgram();
    QMdiArea* area = mainWindow()->findChild<QMdiArea*>();
    QAction* insert = action(kInsert);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        accepted.clear();
        std::optional<QString> answer;
        const ui::ThreadId child = startChild(u("Единицы Измерения"), {}, [&] { answer = c.ask(); });
        ui::Window* nested = test::waitWindowTitled(child, c.title);
        ASSERT_TRUE(nested);
        c.fill(*nested);
        // the user clicks the frame's toolbar: the list is the area's active window again
        auto* list = static_cast<QMdiSubWindow*>(ui::Scheduler::instance().find(child)->windows().front()->topWidget());
        mainWindow()->activateWindow();
        area->setActiveSubWindow(list);
        ASSERT_EQ(area->activeSubWindow(), list);
        EXPECT_FALSE(insert->isEnabled());
        press(kInsert);
        for (int button : {TOOLBAR::Insert, TOOLBAR::Change}) frame()->post(EVENT::Accepted, button);  // pressed all the same
        ASSERT_TRUE(test::pumpUntil([this] { return frameSettled(); }));
        test::pump(50);
        EXPECT_FALSE(answer.has_value());
        EXPECT_EQ(test::waitWindow(child), nested);

        nested->post(EVENT::CloseWindow);
        ASSERT_TRUE(test::pumpUntil([&] { return answer.has_value(); }));
        EXPECT_EQ(*answer, c.onClose);
        EXPECT_TRUE(test::pumpUntil([&] { return insert->isEnabled(); }));
        test::pump(20);
        EXPECT_TRUE(accepted.empty());  // nor did the list under it take them
        ui::post(child, EVENT::CloseWindow);
        ASSERT_TRUE(test::waitEnded(child));
    }
    EXPECT_TRUE(exitProgram());
}

TEST_F(ProgramTest, EveryToolbarControlIsThereUnderItsNumberAndEveryButtonShowsAsTheFrameFirstOpens)
{
    startProgram();
    ASSERT_EQ(mainWindow()->width(), 800);
    QStringList hidden;
    int buttons = 0;
    for (const auto& c : frame()->controls()) {
        if (c->type() != ui::CREATE::Button) continue;
        ++buttons;
        if (!c->widget()->isVisible()) hidden << c->name();
    }
    EXPECT_EQ(buttons, 19);
    EXPECT_TRUE(hidden.isEmpty()) << hidden.join(' ').toStdString();
    for (int number = 3001; number <= 3021; ++number) EXPECT_TRUE(frame()->control(number)) << number;
    EXPECT_TRUE(exitProgram());
}

// --- the procedures the frame starts

TEST_F(ProgramTest, ItemsStartTheirWindowsOnThreadsOfTheirOwnAndThoseNotBuiltYetAreDisabled)
{
    startProgram();
    // the estimate editor asks for its estimate first: with its list closed it ends after its message
    for (const bool onToolbar : {false, true}) {
        const char* item = onToolbar ? "Выбор сметы из списка" : "&Открыть смету";
        SCOPED_TRACE(item);
        EXPECT_TRUE(action(item)->isEnabled());
        onToolbar ? press(item) : trigger(item);
        ASSERT_TRUE(test::pumpUntil([&] { return threadOf("SelectSmeta") != 0; }));
        const ui::ThreadId started = threadOf("SelectSmeta");
        ui::scriptMessageAnswer(BUTTON_NO);
        ui::post(started, EVENT::CloseWindow);
        ASSERT_TRUE(test::waitEnded(started));
    }
    struct Case {
        const char* item;
        const char* procedure;
    };
    for (const Case& c : {Case{"&Импорт Расценок", "ImprtRaszenok"}, Case{"Справочник Расценок", "BrowseRaszenki"},
                          Case{"Категории расценок", "BrowseNSBRAZ"},
                          Case{"Единицы Измерения", "BrowseEdIzmer"}, Case{"&Установки", "ShwNaz"},
                          Case{"&О программе", "ShowAbout"}}) {
        SCOPED_TRACE(c.item);
        EXPECT_TRUE(action(c.item)->isEnabled());
        trigger(c.item);
        ASSERT_TRUE(test::pumpUntil([&] { return threadOf(c.procedure) != 0; }));
        const ui::ThreadId started = threadOf(c.procedure);
        EXPECT_NE(started, program);
        ui::post(started, EVENT::CloseWindow);
        ASSERT_TRUE(test::waitEnded(started));
    }
    EXPECT_TRUE(exitProgram());
}

// --- the edit items

TEST_F(ProgramTest, CutCopyAndPasteActOnTheFocusedControlWhateverItsKind)
{
    startProgram();
    trigger("&Установки");
    ASSERT_TRUE(test::pumpUntil([] { return threadOf("ShwNaz") != 0; }));
    ui::Window* settings = ui::Scheduler::instance().find(threadOf("ShwNaz"))->topWindow();
    auto* entry = qobject_cast<QLineEdit*>(settings->control(QStringLiteral("?FIRMNAME"))->widget());
    auto* spin = qobject_cast<QAbstractSpinBox*>(settings->control(QStringLiteral("?GLO:MATERCOEFF"))->widget());
    ASSERT_TRUE(entry && spin);
    QApplication::clipboard()->setText(u("Ромашка"));
    entry->setFocus();
    ASSERT_TRUE(test::pumpUntil([&] { return QApplication::focusWidget() == entry; }));
    trigger("&Вставить");
    ASSERT_TRUE(test::pumpUntil([&] { return entry->text() == u("Ромашка"); }));

    spin->setFocus();
    ASSERT_TRUE(test::pumpUntil([&] { return QApplication::focusWidget() == spin; }));
    spin->selectAll();
    trigger("&Копировать");
    ASSERT_TRUE(test::pumpUntil([&] { return QApplication::clipboard()->text() == spin->text(); }));
    trigger("В&ырезать");
    ASSERT_TRUE(test::pumpUntil([&] { return spin->text().isEmpty(); }));
    EXPECT_TRUE(exitProgram());
}

// --- the unit list

TEST_F(ProgramTest, TheUnitItemOpensTheUnitListOnAThreadOfItsOwnWhereTheToolbarAddsAndHelpShows)
{
    startProgram();
    QAction* units = action("Единицы Измерения");
    ASSERT_TRUE(units->isEnabled());
    units->trigger();
    ui::ThreadId list = 0;
    ASSERT_TRUE(test::pumpUntil([&] { return (list = threadOf("BrowseEdIzmer")) != 0; }));
    EXPECT_NE(list, program);
    ui::Window* window = ui::Scheduler::instance().find(list)->topWindow();
    EXPECT_EQ(window->title(), u("Единицы измерения"));

    QAction* insert = action(kInsert);
    ASSERT_TRUE(test::pumpUntil([&] { return insert->isEnabled(); }));
    press(kInsert);
    QLineEdit* editor = nullptr;
    ASSERT_TRUE(test::pumpUntil([&] { return (editor = window->control(1)->widget()->findChild<QLineEdit*>()) != nullptr; }));
    for (QChar c : u("кг")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(editor, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(editor, &enter);
    ASSERT_TRUE(test::pumpUntil([] { return RawConnection("EDIZMER.TPS").column("SELECT EDIZM FROM records").size() == 1; }));
    EXPECT_EQ(RawConnection("EDIZMER.TPS").column("SELECT EDIZM FROM records"), std::vector<std::string>{"кг"});

    static_cast<QPushButton*>(window->control(10)->widget())->click();  // "Помощь"
    ASSERT_TRUE(test::pumpUntil([] { return HelpWindow::instance() && HelpWindow::instance()->isVisible(); }));
    EXPECT_EQ(HelpWindow::instance()->browser()->documentTitle(), u("Единицы измерения"));
    HelpWindow::instance()->close();

    static_cast<QPushButton*>(window->control(9)->widget())->click();  // "Закрыть"
    ASSERT_TRUE(test::waitEnded(list));
    EXPECT_TRUE(exitProgram());
}

// --- the window menu

TEST_F(ProgramTest, TheWindowMenuListsTheOpenWindowsAndActivatesTheChosenOne)
{
    startProgram();
    QMenu* windows = menu("&Окна");
    // the entries after the arrangement items, as the menu shows them, the active one marked
    auto entries = [&] {
        emit windows->aboutToShow();
        QStringList out;
        const QList<QAction*> items = windows->actions();
        for (qsizetype i = 4; i < items.size(); ++i) out << (items[i]->isChecked() ? "*" : "") + items[i]->text();
        return out;
    };
    EXPECT_EQ(entries(), QStringList());
    const ui::ThreadId first = startChild(u("Первое"));
    startChild(u("Второе"));
    EXPECT_EQ(entries(), QStringList({u("&1 Первое"), u("*&2 Второе")}));

    windows->actions()[4]->trigger();
    EXPECT_EQ(entries(), QStringList({u("*&1 Первое"), u("&2 Второе")}));

    ui::post(first, EVENT::CloseWindow);
    ASSERT_TRUE(test::waitEnded(first));
    const QStringList remaining = {u("*&1 Второе")};
    test::pumpUntil([&] { return entries() == remaining; }, 1000);  // the area activates the next window in its time
    EXPECT_EQ(entries(), remaining);
    EXPECT_TRUE(exitProgram());
}

TEST_F(ProgramTest, ArrangingIconsLinesTheMinimisedWindowsUpAlongTheBottomWithoutOverlap)
{
    startProgram();
    mainWindow()->resize(420, 500);
    std::vector<QMdiSubWindow*> icons;
    for (const char* title : {"Первое", "Второе", "Третье", "Четвёртое", "Пятое"}) {
        auto* sub = qobject_cast<QMdiSubWindow*>(test::waitWindow(startChild(u(title)))->topWidget());
        ASSERT_TRUE(sub);
        sub->showMinimized();
        icons.push_back(sub);
    }
    QMdiArea* area = icons.front()->mdiArea();
    const ui::ThreadId open = startChild(u("Развёрнутое"));  // a window that is not minimised stays put
    QWidget* normal = test::waitWindow(open)->topWidget();
    normal->move(30, 40);
    for (QMdiSubWindow* sub : icons) sub->move(60, 70);  // dragged about by the user

    trigger("&Упорядочить значки");
    ASSERT_TRUE(test::pumpUntil([&] { return frameSettled(); }));
    const QRect viewport = area->viewport()->rect();
    for (std::size_t i = 0; i < icons.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(viewport.contains(icons[i]->geometry()));
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(icons[i]->geometry().intersects(icons[j]->geometry())) << j;
    }
    EXPECT_EQ(icons.front()->geometry().bottom(), viewport.bottom());
    EXPECT_EQ(normal->pos(), QPoint(30, 40));
    EXPECT_TRUE(exitProgram());
}

// --- the archive button

TEST_F(ProgramTest, TheArchiveButtonAsksToRestoreThenToSaveAndDoesWhatIsAnswered)
{
    test::EstimateFiles files;
    files.fill();
    const auto first = contentsOf("");
    startProgram();

    pressArchive({BUTTON_NO, BUTTON_NO});
    const auto& asked = ui::shownMessages();
    EXPECT_EQ(asked[0].text, u(kRestoreQuestion));
    EXPECT_EQ(asked[0].caption, u("Предупреждение!"));
    EXPECT_EQ(asked[1].text, u(kSaveQuestion));
    EXPECT_EQ(asked[1].caption, u("Сметы"));
    for (const ui::ShownMessage& m : asked) {
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
        EXPECT_EQ(m.buttons, unsigned(BUTTON_YES | BUTTON_NO));
    }
    EXPECT_FALSE(QDir("sav").exists());
    EXPECT_EQ(contentsOf(""), first);

    pressArchive({BUTTON_NO, BUTTON_YES});
    EXPECT_EQ(contentsOf("sav/"), first);

    files.addHeader(3, "Новая смета");
    files.addGroup(3, 1, "Новый раздел");
    const auto changed = contentsOf("");
    pressArchive({BUTTON_NO, BUTTON_NO});
    EXPECT_EQ(contentsOf("sav/"), first);
    EXPECT_EQ(contentsOf(""), changed);

    pressArchive({BUTTON_YES, BUTTON_NO});
    EXPECT_EQ(contentsOf(""), first);
    EXPECT_EQ(contentsOf("sav/"), first);
    EXPECT_EQ(fatalErrors, 0);
    EXPECT_TRUE(exitProgram());
}

TEST_F(ProgramTest, TheArchiveIsAConsistentCopyWhileAnotherThreadWrites)
{
    startProgram();
    int written = 0;
    bool stop = false;
    const ui::ThreadId writer = test::start([&] {
        test::EstimateFiles files;
        while (!stop) {
            const std::string name = "Смета " + std::to_string(++written);
            files.addHeader(written, name.c_str());
            files.addGroup(written, 1, name.c_str());
            files.addLine(written, 1, 1, name.c_str());
            ui::pause(2);
        }
    });
    ASSERT_TRUE(test::pumpUntil([&] { return written >= 3; }));
    pressArchive({BUTTON_NO, BUTTON_YES});
    const int writtenAtTheSave = written;
    ASSERT_TRUE(test::pumpUntil([&] { return written > writtenAtTheSave + 2; }));
    stop = true;
    ASSERT_TRUE(test::waitEnded(writer));

    // every estimate in the archive whole, and those written after the save absent
    const auto archived = contentsOf("sav/");
    const auto working = contentsOf("");
    const std::size_t estimates = archived[0].size();
    EXPECT_GE(estimates, 3u);
    EXPECT_LE(estimates, std::size_t(writtenAtTheSave));
    for (std::size_t file = 0; file < archived.size(); ++file) {
        ASSERT_EQ(archived[file].size(), estimates) << file;
        EXPECT_TRUE(std::equal(archived[file].begin(), archived[file].end(), working[file].begin())) << file;
    }
    EXPECT_TRUE(exitProgram());
}

TEST_F(ProgramTest, RestoringWithoutAWholeArchiveChangesNothing)
{
    enum class Archive { Missing, Partial, Foreign };
    struct Case {
        Archive archive;
        std::vector<QString> messages;
    };
    const Case cases[] = {
        {Archive::Missing, {u(kRestoreQuestion), u(kSaveQuestion)}},
        {Archive::Partial, {u(kRestoreQuestion), u("Архив неполон: восстановление не выполнено."), u(kSaveQuestion)}},
        {Archive::Foreign, {u(kRestoreQuestion), u("Не удалось восстановить сметы из архива."), u(kSaveQuestion)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.archive));
        test::TempWorkDir own;
        test::EstimateFiles files;
        files.fill();
        startProgram();
        if (c.archive != Archive::Missing) {
            pressArchive({BUTTON_NO, BUTTON_YES});
            const QString groups = QString::fromStdString("sav/" + GroupsWksLayout().diskName);
            ASSERT_TRUE(QFile::remove(groups));
            if (c.archive == Archive::Foreign) {
                QFile f(groups);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write("not a record file\r\n");
            }
            files.addHeader(3, "После сохранения");
        }
        const auto before = contentsOf("");

        if (c.archive == Archive::Missing)
            pressArchive({BUTTON_YES, BUTTON_NO});
        else
            pressArchive({BUTTON_YES, BUTTON_OK, BUTTON_NO});
        std::vector<QString> shown;
        for (const ui::ShownMessage& m : ui::shownMessages()) shown.push_back(m.text);
        EXPECT_EQ(shown, c.messages);
        EXPECT_EQ(contentsOf(""), before);
        EXPECT_TRUE(exitProgram());
    }
}

// --- closing and opening again

TEST_F(ProgramTest, PresetsAreWrittenBeforePreservedWithTheValuesAsTheFrameClosed)
{
    startProgram();
    FirmName = "ООО Ромашка";
    GLO::Nakrutki[2] = *Decimal::parse("12.5");
    GLO::NakrutkiName[2] = "Накладные расходы";
    GLO::MaterCoeff = *Decimal::parse("1.15");
    // a window that changes a setting as the frame closes it
    startChild(u("Установки"), [] { Director = "Петров"; });
    ASSERT_TRUE(exitProgram());

    const QByteArray bytes = settingsBytes();
    ASSERT_TRUE(bytes.contains("[presets]"));
    ASSERT_TRUE(bytes.contains("[Preserved]"));
    EXPECT_LT(bytes.indexOf("[presets]"), bytes.indexOf("[Preserved]"));
    for (const char* section : {"presets", "Preserved"}) {
        SCOPED_TRACE(section);
        EXPECT_EQ(stored(section, "FirmName"), u("ООО Ромашка"));
        EXPECT_EQ(stored(section, "DIrector"), u("Петров"));
    }
    EXPECT_EQ(stored("presets", "GLO:Nakrutki2"), "12.5");
    EXPECT_EQ(stored("presets", "GLO:NakrutkiName2"), u("Накладные расходы"));
    EXPECT_EQ(stored("Preserved", "GLO:MaterCoeff"), "1.15");
}

TEST_F(ProgramTest, PresetsReadAsTheFrameOpensWinOverPreserved)
{
    QFile f("tolvex.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Preserved]\r\nFirmName=Old firm\r\nDIrector=Old director\r\nFirmPhone=123\r\n"
            "[presets]\r\nDIrector=New director\r\n");
    f.close();
    startProgram();
    EXPECT_EQ(FirmName, QString());
    EXPECT_EQ(Director, QString("New director"));
    EXPECT_EQ(FirmPhone, QString("123"));
    EXPECT_TRUE(exitProgram());
}

TEST_F(ProgramTest, TheFrameReopensWhereItWasClosed)
{
    const QRect placed(40, 50, 700, 480);
    for (bool maximized : {false, true}) {
        SCOPED_TRACE(maximized);
        test::TempWorkDir own;
        startProgram();
        mainWindow()->setGeometry(placed);
        ASSERT_TRUE(test::pumpUntil([&] { return mainWindow()->geometry() == placed; }));
        if (maximized) {
            mainWindow()->showMaximized();
            ASSERT_TRUE(test::pumpUntil([&] { return mainWindow()->geometry() != placed; }));
        }
        ASSERT_TRUE(exitProgram());

        startProgram();
        EXPECT_EQ(mainWindow()->isMaximized(), maximized);
        if (maximized) mainWindow()->showNormal();
        test::pumpUntil([&] { return mainWindow()->geometry() == placed; }, 1000);
        EXPECT_EQ(mainWindow()->geometry(), placed);
        EXPECT_TRUE(exitProgram());
    }
}

TEST_F(ProgramTest, AFormWithUnsavedChangesDecidesWhetherTheProgramEnds)
{
    struct Case {
        unsigned answer;
        const char* stored;
    };
    const Case cases[] = {{BUTTON_CANCEL, "Старое"}, {BUTTON_NO, "Старое"}, {BUTTON_YES, "Новое"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        test::TempWorkDir own;
        {
            test::EstimateFiles files;
            files.addHeader(1, "Старое");
        }
        startProgram();
        const ui::ThreadId form = startEditedForm();
        ui::clearShownMessages();
        ui::scriptMessageAnswer(c.answer);
        trigger(kExit);
        if (c.answer == BUTTON_CANCEL) {
            ASSERT_TRUE(test::pumpUntil([&] { return ui::shownMessages().size() == 1u && frameSettled(); }));
            test::pump(50);
            EXPECT_TRUE(ui::Scheduler::instance().isRunning(program));
            EXPECT_TRUE(frame() && frame()->isOpen());
            EXPECT_TRUE(ui::Scheduler::instance().isRunning(form));
            EXPECT_FALSE(QFile::exists("tolvex.ini"));
            ui::scriptMessageAnswer(BUTTON_NO);
            trigger(kExit);
        }
        ASSERT_TRUE(test::waitEnded(program));
        EXPECT_EQ(ui::shownMessages().front().caption, u("Сохранение записи"));
        EXPECT_EQ(test::rowsOf(HeadersLayout().diskName, HeadersLayout()).size(), 1u);
        test::EstimateFiles files;
        files.header.NUMBER = 1;
        ASSERT_EQ(files.headers.get(HeadersLayout().keyIndex("DFL:BYNUM")), 0);
        EXPECT_EQ(files.header.NAME.toQString(), u(c.stored));
    }
}

TEST_F(ProgramTest, TheEndOfTheSessionEndsTheProgramInOrderWithoutAsking)
{
    {
        test::EstimateFiles files;
        files.addHeader(1, "Старое");
    }
    startProgram();
    startEditedForm();
    startEditedForm(ui::REQUEST::InsertRecord);
    ASSERT_EQ(test::rowsOf(HeadersLayout().diskName, HeadersLayout()).size(), 2u);  // the number reserved
    FirmName = "ООО Ромашка";
    EXPECT_EQ(ui::injectSystemMessage(ui::WM::ENDSESSION, 1), 1);
    ASSERT_TRUE(test::waitEnded(program));
    EXPECT_TRUE(ui::Scheduler::instance().runningThreads().empty());
    // the forms' questions taken as No: the change not written, the reserved record abandoned
    EXPECT_EQ(test::rowsOf(HeadersLayout().diskName, HeadersLayout()).size(), 1u);
    test::EstimateFiles files;
    files.header.NUMBER = 1;
    ASSERT_EQ(files.headers.get(HeadersLayout().keyIndex("DFL:BYNUM")), 0);
    EXPECT_EQ(files.header.NAME.toQString(), u("Старое"));
    EXPECT_EQ(stored("presets", "FirmName"), u("ООО Ромашка"));
    EXPECT_EQ(stored("Preserved", "FirmName"), u("ООО Ромашка"));
}

TEST_F(ProgramTest, SigtermEndsTheProgramWithAPopupMenuOpenOnAnotherThread)
{
    startProgram();
    std::optional<int> choice;
    startChild(u("Единицы Измерения"), {}, [&] { choice = ui::popupMenu({u("&Добавить"), u("&Изменить")}, QPoint(40, 40)); });
    ASSERT_TRUE(test::pumpUntil([] { return QApplication::activePopupWidget() != nullptr; }));
    FirmName = "ООО Ромашка";
    ASSERT_EQ(std::raise(SIGTERM), 0);
    ASSERT_TRUE(test::waitEnded(program));
    EXPECT_TRUE(ui::Scheduler::instance().runningThreads().empty());
    EXPECT_EQ(choice, 0);
    EXPECT_EQ(stored("presets", "FirmName"), u("ООО Ромашка"));
}

TEST_F(ProgramTest, TheCloseAsksEachWindowOnceAndAWaitInsideACloseHandlerIsNoRefusal)
{
    struct Case {
        const char* name;
        std::function<void()> procedure;
    };
    const Case cases[] = {
        // the second window may take the address of the first
        {"a second window after the first closed",
         [this] {
             ChildWindow(u("Первое"), accepted, {}).Run();
             ChildWindow(u("Второе"), accepted, {}).Run();
         }},
        // as a lock wait does
        {"a close handler that waits", [this] { ChildWindow(u("Первое"), accepted, [] { ui::pause(300); }).Run(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempWorkDir own;
        startProgram();
        const ui::ThreadId child = test::start(c.procedure);
        ASSERT_TRUE(test::waitWindow(child));
        EXPECT_TRUE(exitProgram());
        EXPECT_TRUE(test::waitEnded(child));
    }
}

TEST_F(ProgramTest, EscClosesAListButNeverTheFrame)
{
    startProgram();
    QMdiArea* area = mainWindow()->findChild<QMdiArea*>();
    area->setFocus();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(area->viewport(), &esc);  // the focus in the empty area
    ASSERT_TRUE(test::pumpUntil([this] { return frameSettled(); }));
    test::pump(50);
    ASSERT_TRUE(frame() && frame()->isOpen());

    trigger("Единицы Измерения");
    ASSERT_TRUE(test::pumpUntil([] { return threadOf("BrowseEdIzmer") != 0; }));
    const ui::ThreadId list = threadOf("BrowseEdIzmer");
    QWidget* focus = test::waitWindow(list)->content()->focusWidget();
    ASSERT_TRUE(focus);
    QApplication::sendEvent(focus, &esc);
    EXPECT_TRUE(test::waitEnded(list));
    EXPECT_TRUE(frame() && frame()->isOpen());
    EXPECT_TRUE(exitProgram());
}

TEST_F(ProgramTest, TheQueryBeforeTheSessionEndsShowsTheAboutWindowAndTheEndStillComes)
{
    startProgram();
    EXPECT_EQ(ui::injectSystemMessage(ui::WM::QUERYENDSESSION, 0), 1);
    ASSERT_TRUE(test::pumpUntil([] { return threadOf("ShowAbout") != 0; }));
    EXPECT_EQ(ui::injectSystemMessage(ui::WM::ENDSESSION, 1), 1);
    ASSERT_TRUE(test::waitEnded(program, 2000));
    EXPECT_TRUE(ui::Scheduler::instance().runningThreads().empty());
    EXPECT_NE(stored("presets", "FirmName"), "<missing>");
    EXPECT_NE(stored("Preserved", "FirmName"), "<missing>");
}

// --- the splash and the dragging layer

TEST_F(ProgramTest, TheFramesFirstAcceptedEventWithoutAControlClosesTheSplash)
{
    startProgram(/*keepSplash=*/true);
    const ui::ThreadId splash = threadOf("HelloScreen");
    trigger("&Мозаикой");  // a control: the splash stays
    ASSERT_TRUE(test::pumpUntil([this] { return frameSettled(); }));
    test::pump(50);
    EXPECT_TRUE(ui::Scheduler::instance().isRunning(splash));
    frame()->post(EVENT::Accepted);
    EXPECT_TRUE(test::waitEnded(splash, 1000));
    EXPECT_TRUE(exitProgram());
}

TEST_F(ProgramTest, FullWindowDraggingIsOffWhileTheProgramRunsAndOnlyRestoredWhenItWasOn)
{
    for (int before : {1, 0}) {
        SCOPED_TRACE(before);
        test::TempWorkDir own;
        setDragFullWindows(before);
        startProgram();
        const ui::ThreadId child = startChild();
        auto* sub = qobject_cast<QMdiSubWindow*>(test::waitWindow(child)->topWidget());
        ASSERT_TRUE(sub);
        EXPECT_TRUE(sub->testOption(QMdiSubWindow::RubberBandMove));
        EXPECT_TRUE(sub->testOption(QMdiSubWindow::RubberBandResize));
        ASSERT_TRUE(exitProgram());
        int after = -1;
        ASSERT_TRUE(getDragFullWindows(after));
        EXPECT_EQ(after, before);
    }
}

}  // namespace
