#include "estimate/editor/current_smeta.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/editor/estimate_tree.h"
#include "estimate/editor/row_moves.h"
#include "estimate/editor/tree_rows.h"
#include "platform/core/message.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/controls/tree_list.h"
#include "platform/ui/windows/menu_bar.h"
#include "platform/ui/windows/popup_menu.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/toolbar_state.h"
#include "platform/ui/windows/window_manager.h"

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

std::int32_t CurrentSmetaThread = 0;

namespace {

using records::Level;
using records::Position;

enum Control {
    FileMenu = 1, PrintMenu, Print11, Print7, PrintAkt11, PrintAkt7, PrintDos, ExportMenu, ToExcel, ToHtml11, ToHtml7,
    ToHtmlAkt11, ToHtmlAkt7, Akt, RelTree, Panel1, PrintButton, AktButton, ButtonDown, ButtonUp, Expand, Contract,
    Close, Insert, Change, Delete,
};

enum Action { AddRow = 1, ChangeRow, DeleteRow };

// What the menu items start (on a new thread) or call (on the editor's), by name.
struct Command {
    int control;
    const char* procedure;
    bool started;
    int mode;  // an export's mode; 0 for none
};
const Command kCommands[] = {
    {Print11, "PrintSmeta", true, 0},       {Print7, "Print7graph", true, 0},
    {PrintAkt11, "PrintAktGraph", true, 0}, {PrintAkt7, "PrintAkt7graph", true, 0},
    {PrintDos, "PrintToTextFile", true, 0}, {Akt, "BrowseAkt", true, 0},
    {AktButton, "BrowseAkt", true, 0},      {ToExcel, "ExportSmetaToExcel", false, 0},
    {ToHtml11, "ExportSmetaToXml", false, 1}, {ToHtml7, "ExportSmetaToXml", false, 2},
    {ToHtmlAkt11, "ExportAktToXml", false, 3}, {ToHtmlAkt7, "ExportAktToXml", false, 4},
};

const Command* commandOf(int control)
{
    for (const Command& c : kCommands)
        if (c.control == control) return &c;
    return nullptr;
}

QString u(const char* text) { return QString::fromUtf8(text); }

class EstimateEditor : public ui::WindowManager {
public:
    EstimateEditor() : WindowManager(QStringLiteral("CurrentSmeta")) {}

    Level Init() override
    {
        WindowManager::Init();  // the name to the error reporter; the request is taken
        if (!chooseEstimate()) return Level::Fatal;
        // one editor at a time: a second one hands over to it
        if (CurrentSmetaThread != 0) {
            ui::post(ui::ThreadId(CurrentSmetaThread), EVENT::GainFocus);
            return Level::Fatal;
        }
        CurrentSmetaThread = std::int32_t(ui::Scheduler::instance().currentId());
        GuardOwner = CurrentSmetaThread;
        ProcRequest() = 0;
        ProcResponse() = 0;
        build();
        AddButton(Close, REQUEST == ui::REQUEST::SelectRecord ? ui::RESPONSE::Cancelled : ui::RESPONSE::Completed);
        Relate(FileId::Headers).Open();
        opened_ = true;
        tree_.EditorEstimate = EditorEstimate;
        tree_.TreeContractAll();
        Open();
        wheel_.Attach(*window);
        GLO::CurrentSmeta = EditorEstimate;
        NumSmeta = EditorEstimate;
        window->setResizable(true, 160, 70);
        RestoreWindow();
        window->setToolbarButtons({TOOLBAR::Insert, TOOLBAR::Change, TOOLBAR::Delete, TOOLBAR::Bottom, TOOLBAR::Top,
                                   TOOLBAR::PageDown, TOOLBAR::PageUp, TOOLBAR::Down, TOOLBAR::Up});
        tree_.selected = 0;
        show();
        for (int key : {KEY::Insert, KEY::Delete, KEY::Enter, KEY::Ctrl | KEY::Right, KEY::Ctrl | KEY::Left,
                        KEY::Ctrl | KEY::Down, KEY::Ctrl | KEY::Up})
            window->alertKey(key);
        treeList().setFocus();
        return Level::Benign;
    }

    Level Kill() override
    {
        if (opened_) Relate(FileId::Headers).Close();
        wheel_.Detach();
        SaveWindow();
        GLO::CurrentSmeta = 0;
        if (GuardOwner != 0) CurrentSmetaThread = 0;
        return WindowManager::Kill();
    }

    Level TakeAccepted() override
    {
        takeSelection();
        const int f = FIELD();
        if (const Command* c = commandOf(f)) {
            run(*c);
        } else {
            switch (f) {
            case PrintButton: printPopup(); break;
            case ButtonDown: move(true); break;
            case ButtonUp: move(false); break;
            case Expand:
                tree_.TreeExpandAll();
                show();
                break;
            case Contract:
                tree_.TreeContractAll();
                show();
                break;
            case Insert: updateLoop(AddRow); break;
            case Change: updateLoop(ChangeRow); break;
            case Delete: updateLoop(DeleteRow); break;
            default: break;
            }
        }
        return WindowManager::TakeAccepted();
    }

    Level TakeFieldEvent() override
    {
        if (FIELD() != RelTree) return takeKey();
        takeSelection();
        switch (EVENT()) {
        case EVENT::Expanded:
            tree_.TreeExpandNode(treeList().actionRow());
            show();
            break;
        case EVENT::Contracted:
            tree_.TreeContractNode(treeList().actionRow());
            show();
            break;
        case EVENT::AlertKey: return takeKey();
        default: break;
        }
        return Level::Benign;
    }

    Level TakeWindowEvent() override
    {
        switch (EVENT()) {
        case EVENT::AlertKey: return takeKey();
        case EVENT::GainFocus: regainFocus(); return Level::Benign;
        default: return WindowManager::TakeWindowEvent();
        }
    }

protected:
    Level TakeToolbar(int button) override
    {
        takeSelection();
        treeList().setActionRow(tree_.selected);
        switch (button) {
        case TOOLBAR::Insert: updateLoop(AddRow); return Level::Notify;
        case TOOLBAR::Change: updateLoop(ChangeRow); return Level::Notify;
        case TOOLBAR::Delete: updateLoop(DeleteRow); return Level::Notify;
        default: break;
        }
        if (!navigate(button)) return Level::Benign;
        show();
        return Level::Notify;
    }

private:
    // --- set-up

    bool chooseEstimate()
    {
        ProcRequest() = ui::REQUEST::SelectRecord;
        ui::callProcedure(QStringLiteral("SelectSmeta"));
        if (ProcResponse() != ui::RESPONSE::Completed) {
            Message(u("Вы не выбрали смету для работы. |Если хотите добавить новую, вернитесь к списку смет."),
                    u("Выбор сметы"), MessageIcon::Information, BUTTON_NO);
            return false;
        }
        EditorEstimate = NumSmeta;
        if (EditorEstimate == 0)
            Message(u("Номер смеры не может быть равен нулю!"), QStringLiteral("Error"), MessageIcon::Information,
                    BUTTON_NO);
        GLO::CurrentSmeta = EditorEstimate;
        return true;
    }

    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, u("Текущая смета"), 385, 200);
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        window->setIcon(QStringLiteral(":/icons/sme.png"));
        auto* layout = new QVBoxLayout(window->content());
        buildMenu();

        ui::Control& tree = ui::AddTreeList(*window, QStringLiteral("?RELTREE"), RelTree);
        auto& list = static_cast<ui::TreeList&>(*tree.widget());
        list.setToolTip(u("Нажмите правую кнопку мыши..."));
        list.setColumnWidth(window->duX(800));
        list.setSelectedBackground(TREECOLOR::SelectedBack);
        list.setQueue(&tree_.queue());
        list.setTextSource([this](int row) { return tree_.textOf(row); });
        layout->addWidget(&list, 1);

        // the panel keeps its height and follows the window's width; "Выход" keeps its size at
        // the right edge
        auto* panel = new QFrame;
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        window->add(ui::CREATE::Panel, QStringLiteral("?PANEL1"), panel, Panel1);
        auto* buttons = new QHBoxLayout(panel);
        const struct {
            const char* name;
            const char* caption;
            const char* tip;
            int number;
            const char* icon;
        } specs[] = {
            {"?BUTTON6:2", "", "Печатать сметы ", PrintButton, "print"},
            {"?BUTTON6:6", "Акт", "Акт по текущей смете", AktButton, "compose"},
            {"?BUTTONDOWN", "", "Переместить строку вниз", ButtonDown, "rowdown"},
            {"?BUTTONUP", "", "Переместить строку вверх", ButtonUp, "rowup"},
            {"?EXPAND", "&Раскрыть все", "", Expand, nullptr},
            {"?CONTRACT", "&Закрыть все", "", Contract, nullptr},
            {"?INSERT", "&Добавить", "", Insert, "insert"},
            {"?CHANGE", "&Изменить", "", Change, "edit"},
            {"?DELETE", "&Удалить", "", Delete, "delete"},
            {"?CLOSE", "Выход", "", Close, "exit"},
        };
        for (const auto& spec : specs) {
            auto* button = new QPushButton(u(spec.caption));
            if (spec.icon) button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(spec.icon))));
            if (*spec.tip) button->setToolTip(u(spec.tip));
            button->setAutoDefault(false);
            window->add(ui::CREATE::Button, QString::fromUtf8(spec.name), button, spec.number);
            if (spec.number == Close) buttons->addStretch();
            buttons->addWidget(button);
        }
        layout->addWidget(panel);
        // items of procedures not there yet are disabled
        window->control(AktButton)->widget()->setEnabled(ui::hasProcedure(QStringLiteral("BrowseAkt")));
    }

    void buildMenu()
    {
        menu_ = std::make_unique<ui::MenuBar>(*window);
        QMenu* file = menu_->addMenu(nullptr, FileMenu, QStringLiteral("?Menu1"), u("&Файл"));
        QMenu* print = menu_->addMenu(file, PrintMenu, QStringLiteral("?Menu2"), u("&Печать"));
        menu_->addItem(print, Print11, QStringLiteral("?Item3"), u("&11-графка"));
        menu_->addItem(print, Print7, QStringLiteral("?Item4"), u("&7-графка"));
        menu_->addSeparator(print);
        menu_->addItem(print, PrintAkt11, QStringLiteral("?Item5"), u("Акт 11 граф"));
        menu_->addItem(print, PrintAkt7, QStringLiteral("?Item6"), u("Акт 7 граф"));
        menu_->addSeparator(print);
        menu_->addItem(print, PrintDos, QStringLiteral("?Item7"), u("&В ДОС текст формат"));
        menu_->addSeparator(file);
        QMenu* exports = menu_->addMenu(file, ExportMenu, QStringLiteral("?Menu8"), u("&Экспорт сметы"),
                                        QIcon(QStringLiteral(":/icons/export.png")));
        menu_->addItem(exports, ToExcel, QStringLiteral("?Item9"), u("в &Excel"));
        menu_->addSeparator(exports);
        menu_->addItem(exports, ToHtml11, QStringLiteral("?Item10"), u("в &HTML - 11 граф "));
        menu_->addItem(exports, ToHtml7, QStringLiteral("?Item11"), u("в HTML - &7 граф"));
        menu_->addItem(exports, ToHtmlAkt11, QStringLiteral("?Item12"), u("в &HTML - Акт 11 граф"));
        menu_->addItem(exports, ToHtmlAkt7, QStringLiteral("?Item13"), u("в &HTML - Акт 7 граф"));
        menu_->addItem(nullptr, Akt, QStringLiteral("?Item14"), u("&Акт"));
        for (const Command& c : kCommands)
            if (QAction* item = menu_->item(c.control)) item->setEnabled(ui::hasProcedure(u(c.procedure)));
    }

    ui::TreeList& treeList() const { return static_cast<ui::TreeList&>(*window->control(RelTree)->widget()); }

    // The list's selected row is the tree's.
    void takeSelection()
    {
        if (const int row = treeList().selectedRow(); row >= 0) tree_.selected = row;
    }
    // The tree as it is now reaches the list once, with its selected row.
    void show()
    {
        if (shownVersion_ != tree_.version()) {
            shownVersion_ = tree_.version();
            treeList().refresh(tree_.selected);
        } else {
            treeList().selectRow(tree_.selected);
        }
    }

    // --- commands

    void run(const Command& c)
    {
        const QString name = u(c.procedure);
        if (!ui::hasProcedure(name)) return;
        // the editor's own estimate, whatever another editor's choice left in the globals
        NumSmeta = EditorEstimate;
        if (c.started)
            ui::startProcedure(name);
        else if (c.mode == 0)
            ui::callProcedure(name, {EditorEstimate});
        else
            ui::callProcedure(name, {EditorEstimate, c.mode});
    }

    void printPopup()
    {
        NumSmeta = EditorEstimate;
        QWidget* button = window->control(PrintButton)->widget();
        const int chosen = ui::popupMenu({u("&11 - графка "), u("&7-графка"), u("в &ДОС текст"), u("HTML 11 граф"),
                                          u("HTML 7 граф")},
                                         button->mapToGlobal(QPoint(0, button->height())));
        const int actsAs[] = {0, Print11, Print7, PrintDos, ToHtml11, ToHtml7};
        if (chosen >= 1 && chosen <= 5) window->post(EVENT::Accepted, actsAs[chosen]);
    }

    Level takeKey()
    {
        if (EVENT() != EVENT::AlertKey) return Level::Benign;
        takeSelection();
        switch (KEYCODE()) {
        case KEY::Ctrl | KEY::Right:
            treeList().setActionRow(tree_.selected);
            window->post(EVENT::Expanded, RelTree);
            break;
        case KEY::Ctrl | KEY::Left:
            treeList().setActionRow(tree_.selected);
            window->post(EVENT::Contracted, RelTree);
            break;
        case KEY::Ctrl | KEY::Down: move(true); break;
        case KEY::Ctrl | KEY::Up: move(false); break;
        case KEY::Enter: updateLoop(ChangeRow); break;
        case KEY::Insert: updateLoop(AddRow); break;
        case KEY::Delete:
            QApplication::beep();
            updateLoop(DeleteRow);
            break;
        case KEY::MouseLeft2:
            if (FIELD() == RelTree) updateLoop(ChangeRow);
            break;
        case KEY::MouseRight:
            if (FIELD() == RelTree) treePopup();
            break;
        default: return Level::Benign;
        }
        return Level::Notify;
    }

    void treePopup()
    {
        const int chosen = ui::popupMenu({u("&Добавить"), u("&Изменить"), u("&Удалить"), QStringLiteral("-"),
                                          u("&Раскрыть все"), u("&Закрыть все")},
                                         QCursor::pos());
        switch (chosen) {
        case 1: updateLoop(AddRow); break;
        case 2: updateLoop(ChangeRow); break;
        case 3: updateLoop(DeleteRow); break;
        case 4:
            tree_.TreeExpandAll();
            show();
            break;
        case 5:
            tree_.TreeContractAll();
            show();
            break;
        default: break;
        }
    }

    bool navigate(int button)
    {
        switch (button) {
        case TOOLBAR::Down: tree_.TreeNextRow(); break;
        case TOOLBAR::Up: tree_.TreePreviousRow(); break;
        case TOOLBAR::PageDown: tree_.TreeNextSameLevel(); break;
        case TOOLBAR::PageUp: tree_.TreePreviousSameLevel(); break;
        case TOOLBAR::Top: tree_.TreeParentRow(); break;
        case TOOLBAR::Bottom: tree_.TreeNextParentLevel(); break;
        default: return false;
        }
        return true;
    }

    // The update loop: the action on the selected row, then the navigation the form left.
    void updateLoop(int action)
    {
        for (;;) {
            NavRequest() = 0;
            treeList().setActionRow(tree_.selected);
            if (action == AddRow)
                insertAction();
            else if (action == ChangeRow)
                changeAction();
            else
                deleteAction();
            const int nav = NavRequest();
            if (nav == 0) break;
            if (nav == TOOLBAR::Insert) {
                tree_.TreeParentRow();
                action = AddRow;
            } else {
                navigate(nav);
            }
        }
        show();
    }

    // The action row's level and position (-1 when there is none).
    int actionLevel() const { return tree_.levelOf(treeList().actionRow()); }
    Position actionPosition() const { return tree_.queue()[std::size_t(treeList().actionRow())].position; }

    // Reads the record of a row again; a row whose record is gone only beeps and is rebuilt.
    bool reread(int level, Position position)
    {
        const FileId file = level == 1 ? FileId::Headers : level == 2 ? FileId::GroupsWks : FileId::WrksInSmt;
        FileAccess& access = Access(file);
        const int code = access.UseFile() == Level::Benign ? access.file().fetch(position) : records::kFileNotOpen;
        if (code == records::kNoError) return true;
        if (code != records::kRecordNotFound) access.ReportReadFailure();
        QApplication::beep();
        tree_.TreeReload();
        return false;
    }

    bool buttonEnabled(int control) const { return window->control(control)->isEnabled(); }

    // The form's answer; when completed, the row to remember and the rebuild.
    bool callForm(const char* form, std::uint8_t request)
    {
        ProcRequest() = request;
        ui::callProcedure(u(form));
        return ProcResponse() == ui::RESPONSE::Completed;
    }
    void rebuildWith(int level, Position position)
    {
        tree_.remember(level, position);
        tree_.TreeReload();
    }

    void insertAction()
    {
        const int level = actionLevel();
        if (level < 0 || !buttonEnabled(Insert)) return;
        if (level == 0) {
            if (Access(FileId::Headers).PrimeRecord() != Level::Benign) return;
            if (callForm("UpdateHeaders", ui::REQUEST::InsertRecord))
                rebuildWith(1, Access(FileId::Headers).file().position());
            return;
        }
        if (level == 1) {
            if (!reread(1, actionPosition())) return;
            GroupsWksLayout().clear(&GRO());
            GRO().NUMSMET = DFL().NUMBER;
            if (Access(FileId::GroupsWks).PrimeRecord(true) != Level::Benign) return;
            if (callForm("UpdateGroupsWks", ui::REQUEST::InsertRecord))
                rebuildWith(2, Access(FileId::GroupsWks).file().position());
            return;
        }
        // a line of the section, or of the section above the line
        const int sectionRow = tree_.rowAbove(treeList().actionRow(), 2);
        if (sectionRow < 0 || !reread(2, tree_.queue()[std::size_t(sectionRow)].position)) return;
        if (GRO().NUMINSMETA < 0 || GRO().NUMINSMETA > kHighestSectionOfLines) return RefuseSectionNumber();
        WrksInSmtLayout().clear(&NSB());
        NSB().CODER = GRO().NUMSMET;
        NSB().GRINSMETA = std::uint8_t(GRO().NUMINSMETA);
        if (Access(FileId::WrksInSmt).PrimeRecord(true) != Level::Benign) return;
        if (callForm("UpdateWrksInSmt", ui::REQUEST::InsertRecord))
            rebuildWith(3, Access(FileId::WrksInSmt).file().position());
    }

    static const char* formOf(int level)
    {
        return level == 1 ? "UpdateHeaders" : level == 2 ? "UpdateGroupsWks" : "UpdateWrksInSmt";
    }

    void changeAction()
    {
        const int level = actionLevel();
        if (level < 1 || !buttonEnabled(Change)) return;
        const Position position = actionPosition();
        if (!reread(level, position)) return;
        const std::int16_t number = DFL().NUMBER;
        if (!callForm(formOf(level), ui::REQUEST::ChangeRecord)) return;
        if (level == 1 && DFL().NUMBER != number) {
            // the shown estimate renumbered: the editor follows it
            if (GLO::CurrentSmeta == EditorEstimate) GLO::CurrentSmeta = DFL().NUMBER;
            EditorEstimate = DFL().NUMBER;
            tree_.EditorEstimate = EditorEstimate;
        }
        rebuildWith(tree_.queue()[std::size_t(treeList().actionRow())].level, position);
    }

    void deleteAction()
    {
        const int level = actionLevel();
        if (level < 1 || !buttonEnabled(Delete)) return;
        if (!reread(level, actionPosition())) return;
        if (callForm(formOf(level), ui::REQUEST::DeleteRecord)) tree_.TreeReload();
    }

    // Moves act on the selected row, which stays selected where it went.
    void move(bool down)
    {
        const int row = tree_.selected;
        const int level = tree_.levelOf(row);
        if (level < 1) return;
        const Position position = tree_.queue()[std::size_t(row)].position;
        if (!MoveTreeRow(level, position, down)) {
            QApplication::beep();
            tree_.TreeReload();
        } else {
            rebuildWith(tree_.queue()[std::size_t(row)].level, position);
        }
        show();
    }

    void regainFocus()
    {
        takeSelection();
        if (tree_.selected >= 0 && tree_.selected < int(tree_.queue().size())) {
            const ui::TreeRow& r = tree_.queue()[std::size_t(tree_.selected)];
            tree_.remember(r.level, r.position);
        }
        tree_.TreeReload();
        show();
        if (!Opened()) return;
        QWidget* top = window->topWidget();
        if (top->isMinimized()) top->showNormal();
        auto* sub = qobject_cast<QMdiSubWindow*>(top);
        if (sub && ui::Window::mdiArea() && ui::Window::mdiArea()->activeSubWindow() != sub)
            ui::Window::mdiArea()->setActiveSubWindow(sub);
        else if (!sub && !top->isActiveWindow())
            top->activateWindow();
    }

    std::int32_t EditorEstimate = 0;
    std::int32_t GuardOwner = 0;
    EstimateTree tree_{[this] {
        if (window) window->post(EVENT::CloseWindow);
    }};
    unsigned shownVersion_ = 0;
    std::unique_ptr<ui::MenuBar> menu_;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void CurrentSmeta()
{
    EstimateEditor editor;
    editor.Run();
}
