#include "estimate/act/browse_akt.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/act/act_lines.h"
#include "estimate/act/act_rules.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/browse/browse_box.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/window_manager.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

using records::Level;

enum Control {
    ActMenu = 1,
    FillZero,
    Fill25,
    Fill50,
    Fill75,
    Fill100,
    Sections,
    Change,
    Sheet,
    PrintText,
    Print11,
    Print7,
    Lines,
    Close,
    Help,
};

// The share of the plan each fill item puts into the act.
Decimal shareOf(int item) { return Decimal::fromScaled(25 * (item - FillZero), 2); }

const char* outputOf(int button)
{
    switch (button) {
    case PrintText: return "PrintAktToText";
    case Print11: return "PrintAktGraph";
    case Print7: return "PrintAkt7graph";
    default: return nullptr;
    }
}

const GroupsWksRecord& sectionOf(const void* record) { return *static_cast<const GroupsWksRecord*>(record); }
const WrksInSmtRecord& lineOf(const void* record) { return *static_cast<const WrksInSmtRecord*>(record); }

class ActWindow : public ui::WindowManager {
public:
    ActWindow() : WindowManager(QStringLiteral("BrowseAkt")) {}

    Level Init() override
    {
        WindowManager::Init();  // the name to the error reporter; the request is taken
        // The act of the estimate on show when the window started, whatever others choose later.
        estimate_ = NumSmeta;
        build();
        FIRSTFIELD = Sections;
        AddButton(Close, REQUEST == ui::REQUEST::SelectRecord ? ui::RESPONSE::Cancelled : ui::RESPONSE::Completed);
        Relate(FileId::GroupsWks).Open();
        opened_ = true;
        sections_.Init(*this, *window->control(Sections), Relate(FileId::GroupsWks));
        lines_.Init(*this, *window->control(Lines), Relate(FileId::WrksInSmt));
        lines_.ChangeControl = Change;
        lines_.ENTERACTION = ui::EDITACTION::Store | ui::EDITACTION::Remain;
        lines_.TABACTION = ui::EDITACTION::Store | ui::EDITACTION::Remain;
        // only the act quantity goes into the line as the file holds it when it is stored
        lines_.KeepStored = [this](const void* stored) {
            KeepStoredLineButAct(stored);
            lineStored_ = true;
        };
        Open();
        wheel_.Attach(*window);
        sections_.AddSortOrder(GroupsWksLayout().keyIndex("GRO:KeyNumInsmeta")).SetRange(1, [this](void* r) {
            static_cast<GroupsWksRecord*>(r)->NUMSMET = std::int16_t(estimate_);
        });
        addSectionColumns();
        lines_.AddSortOrder(WrksInSmtLayout().keyIndex("NSB:ONSMETNUM")).SetRange(2, [this](void* r) {
            auto& line = *static_cast<WrksInSmtRecord*>(r);
            line.CODER = shown_.NUMSMET;
            line.GRINSMETA = std::uint8_t(shown_.NUMINSMETA);
        });
        showLinesOrNone(false);
        addLineColumns();
        window->setResizable(true, 344, 224);
        RestoreWindow();
        sections_.SetToolbarTarget(Help);
        lines_.SetToolbarTarget(Help);
        window->control(FIRSTFIELD)->select();
        return Level::Benign;
    }

    Level TakeEvent() override
    {
        const Level l = WindowManager::TakeEvent();
        if (lineStored_) {
            lineStored_ = false;
            // the stored act changes its section's sum
            sections_.ResetFromFile();
            formSectionSum();
        }
        return l;
    }

    Level TakeNewSelection() override
    {
        if (FIELD() == Sections) showLines();
        return WindowManager::TakeNewSelection();
    }

    Level TakeAccepted() override
    {
        const int field = FIELD();
        if (field >= FillZero && field <= Fill100) fill(shareOf(field));
        if (const char* output = outputOf(field)) start(output);
        // also the frame's help button, which the lists forward as this button
        if (field == Help) ui::showHelpTopic(QStringLiteral("BrowseAkt"));
        return WindowManager::TakeAccepted();
    }

    Level Kill() override
    {
        if (opened_) Relate(FileId::GroupsWks).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    // The sum of the highlighted section's act into the section buffer (never written); false
    // when its lines could not be read.
    bool formSectionSum()
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        Decimal sum;
        const bool read = SectionActSum(GRO().NUMSMET, GRO().NUMINSMETA, sum);
        QApplication::restoreOverrideCursor();
        if (read) GRO().ITOGOONGROUP.checkedStore(sum);
        return read;
    }

    // The lines of the section now highlighted, and its sum. Lines that cannot be read are
    // said so once (by the list's own read, else here) and none are shown, never those of the
    // section before.
    void showLines()
    {
        shown_ = GRO();
        showLinesOrNone(!sections_.page().empty() && shown_.NUMINSMETA >= 0 && shown_.NUMINSMETA <= 255);
        lines_.ResetSort(true);
        if (!linesShown_ || lines_.page().failed() || formSectionSum()) return;
        Access(FileId::WrksInSmt).ReportReadFailure();
        showLinesOrNone(false);
        lines_.ResetSort(true);
    }

    // No section, one whose sum could not be read, or one beyond the lines' one-byte number:
    // a filter no line passes.
    void showLinesOrNone(bool shown)
    {
        linesShown_ = shown;
        lines_.SetFilter(QStringLiteral("shown section"), shown ? records::Condition{} : records::Condition{"0", {}});
    }

    void fill(const Decimal& share)
    {
        FillAct(estimate_, share);
        sections_.ResetFromFile();
        showLines();
    }

    // The output reads the estimate from NumSmeta as it starts: this window's own.
    void start(const char* output)
    {
        Update();
        NumSmeta = estimate_;
        ui::startProcedure(QString::fromUtf8(output));
        Reset(true);
    }

    void addSectionColumns()
    {
        using ui::ColumnAlign;
        // each row shows its own section's act sum, read as the row is filled
        ui::RecordField sum;
        sum.numeric = true;
        sum.get = [](const void* r) {
            Decimal total;
            if (!SectionActSum(sectionOf(r).NUMSMET, sectionOf(r).NUMINSMETA, total)) return QString();
            return QString::fromStdString(total.toPlainString());
        };
        sections_.AddField(column("№ п.п.", 25, ColumnAlign::Right, 2, ColumnAlign::Centre, "@n_3",
                                  ui::recordField<&GroupsWksRecord::NUMINSMETA>()));
        sections_.AddField(column("Раздел", 146, ColumnAlign::Left, 2, ColumnAlign::Left, "@S35",
                                  ui::recordField<&GroupsWksRecord::NAME>()));
        ui::BrowseColumn total = column("Итого по п.", 56, ColumnAlign::Decimal, 12, ColumnAlign::Centre, "@N-12.2", sum);
        total.resizable = true;
        sections_.AddField(total);
    }

    void addLineColumns()
    {
        using ui::ColumnAlign;
        ui::BrowseColumn plan = column("Всего", 35, ColumnAlign::Right, 1, ColumnAlign::Left, "@n-10.2",
                                       ui::recordField<&WrksInSmtRecord::CHELCH>());
        plan.colors = [](const void*) { return PlanColors(); };
        plan.fixed = true;
        lines_.AddField(plan);
        ui::BrowseColumn act = column("Фактич.", 39, ColumnAlign::Right, 1, ColumnAlign::Left, "@n-10.2",
                                      ui::recordField<&WrksInSmtRecord::ONAKT>());
        act.resizable = true;
        act.fixed = true;
        act.editable = true;
        act.range = ui::NumberRange::of(NSB().ONAKT);
        act.colors = [](const void* r) { return ActColors(lineOf(r)); };
        lines_.AddField(act);
        lines_.AddField(column("Наименование работы", 880, ColumnAlign::Left, 1, ColumnAlign::Left, "@s220",
                               ui::recordField<&WrksInSmtRecord::NAME>()));
        lines_.AddField(column("Ед. Измерения", 100, ColumnAlign::Left, 1, ColumnAlign::Left, "@s25",
                               ui::recordField<&WrksInSmtRecord::EDIZM>()));
    }

    // A column as the list's format gives it; not resizable unless it says so.
    static ui::BrowseColumn column(const char* heading, int widthDu, ui::ColumnAlign align, int indentDu,
                                   ui::ColumnAlign headingAlign, const char* picture, ui::RecordField field)
    {
        ui::BrowseColumn c = ui::fieldColumn(heading, widthDu, align, indentDu, picture, std::move(field), headingAlign);
        c.resizable = false;
        return c;
    }

    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, QStringLiteral("Акт приемки выполненных работ"),
                                              344, 224);
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        auto* layout = new QVBoxLayout(window->content());

        auto* bar = new QMenuBar;
        QMenu* menu = bar->addMenu(QStringLiteral("&Акт"));
        window->add(ui::CREATE::Item, QStringLiteral("?ЗАПОЛНИТЬ"), nullptr, ActMenu);
        const struct {
            const char* name;
            const char* text;
            int number;
        } items[] = {{"?ЗАПОЛНИТЬОБНУЛИТЬ", "&Обнулить", FillZero},
                     {"?ЗАПОЛНИТЬНА25", "Заполнить на &25 %", Fill25},
                     {"?ЗАПОЛНИТЬНА50", "Заполнить на &50 %", Fill50},
                     {"?ЗАПОЛНИТЬ2", "Заполнить на &75%", Fill75},
                     {"?ЗАПОЛНИТЬITEM5", "Заполнить на &100%", Fill100}};
        for (const auto& item : items) {
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            window->add(ui::CREATE::Item, QString::fromUtf8(item.name), nullptr, item.number);
            QObject::connect(action, &QAction::triggered, window.get(),
                             [w = window.get(), n = item.number] { w->post(EVENT::Accepted, n); });
        }
        layout->setMenuBar(bar);

        ui::Control& sections = ui::AddBrowseList(*window, QStringLiteral("?BROWSE:1"), Sections);
        sections.widget()->setStatusTip(QStringLiteral("Browsing Records"));
        layout->addWidget(sections.widget(), 1);

        auto button = [&](const char* name, const char* caption, int number, const char* icon) {
            auto* b = new QPushButton(QString::fromUtf8(caption));
            if (*icon) b->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))));
            window->add(ui::CREATE::Button, QString::fromUtf8(name), b, number);
            return b;
        };
        auto* changeRow = new QHBoxLayout;
        changeRow->addWidget(button("?CHANGE", "&Изменить", Change, "edit"));
        changeRow->addStretch();
        layout->addLayout(changeRow);

        auto* sheet = new QTabWidget;
        auto* tab = new QWidget;
        auto* tabLayout = new QVBoxLayout(tab);
        sheet->addTab(tab, QStringLiteral("Выполнение работ по смете"));
        window->add(ui::CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, Sheet);
        auto* outputs = new QHBoxLayout;
        outputs->addWidget(button("?PRINTTEXTAKT", "TXT", PrintText, ""));
        outputs->addWidget(button("?PRINTAKT", "11 гр.", Print11, ""));
        outputs->addWidget(button("?PRINTAKT7", "7 гр.", Print7, ""));
        outputs->addStretch();
        tabLayout->addLayout(outputs);
        ui::Control& lines = ui::AddBrowseList(*window, QStringLiteral("?LIST"), Lines);
        lines.widget()->setStatusTip(QStringLiteral("Browsing Records"));
        tabLayout->addWidget(lines.widget(), 1);
        layout->addWidget(sheet, 2);

        auto* windowButtons = new QHBoxLayout;
        windowButtons->addStretch();
        windowButtons->addWidget(button("?CLOSE", "Закрыть", Close, "wizok"));
        windowButtons->addWidget(button("?HELP", "Помощь", Help, "help"));
        layout->addLayout(windowButtons);
    }

    std::int32_t estimate_ = 0;
    GroupsWksRecord shown_{};  // the section whose lines are listed
    bool linesShown_ = false;
    bool lineStored_ = false;
    ui::BrowseBox sections_;
    ui::BrowseBox lines_;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void BrowseAkt()
{
    ActWindow window;
    window.Run();
}
