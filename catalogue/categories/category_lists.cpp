#include "catalogue/categories/category_lists.h"

#include "catalogue/categories/category_rules.h"
#include "catalogue/rates/browse_wrk_on_group.h"
#include "data/thread_data.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/browse/browse_box.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/window_manager.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using records::Level;

// The two lists differ in their buttons, and so in the numbers of their controls (0: none).
struct Role {
    const char* procedure;
    int widthDu, heightDu, codeWidthDu;
    ui::ColumnAlign codeHeading;
    bool editing;  // in-place editing, "Расценки" and the alphabetic thumb
    int select, insert, change, remove, tab, rates, close, help;
};
constexpr int kList = 1;
const Role kBrowse{"BrowseNSBRAZ", 254, 193, 35, ui::ColumnAlign::Centre, true, 2, 3, 4, 5, 6, 7, 8, 9};
const Role kSelect{"SelectNSBRAZ", 184, 188, 29, ui::ColumnAlign::Left, false, 2, 0, 0, 0, 3, 0, 4, 5};

class CategoryList : public ui::WindowManager {
public:
    explicit CategoryList(const Role& role) : WindowManager(QString::fromUtf8(role.procedure)), role_(role) {}

    Level Init() override
    {
        WindowManager::Init();  // the name to the error reporter; the request is taken
        build();
        AddCloseButton(role_.close);
        Relate(FileId::NSBRAZ).Open();
        opened_ = true;
        brw_.Init(*this, *window->control(kList), Relate(FileId::NSBRAZ));
        brw_.SelectControl = role_.select;
        if (role_.editing) {
            brw_.InsertControl = role_.insert;
            brw_.ChangeControl = role_.change;
            brw_.DeleteControl = role_.remove;
            brw_.HIDESELECT = 1;
            brw_.IsEmptyRow = [](const void* r) { return CategoryIsEmpty(*static_cast<const NSBRAZRecord*>(r)); };
            brw_.RefuseRow = [](const void* r) {
                if (!CategoryCodeMissing(*static_cast<const NSBRAZRecord*>(r))) return -1;
                TellCategoryCodeMissing();
                return 0;  // back in the code
            };
        }
        Open();
        wheel_.Attach(*window);
        ui::BrowseSortOrder& order = brw_.AddSortOrder(NSBRAZLayout().keyIndex("NSR:ONCATEGORIES"))
                                         .SetLocator(ui::LocatorKind::Step, ui::recordField<&NSBRAZRecord::KEY_ROOT>());
        if (role_.editing) order.SetStep(ui::ThumbStep::Alphabetic);
        addColumns();
        RestoreWindow();
        brw_.SetToolbarTarget(role_.help);
        return Level::Benign;
    }

    Level TakeAccepted() override
    {
        // also the frame's help button, which the list forwards as this button
        if (FIELD() == role_.help) ui::showHelpTopic(QStringLiteral("categories"));
        if (role_.rates && FIELD() == role_.rates) showRates();
        return WindowManager::TakeAccepted();
    }

    Level Kill() override
    {
        if (opened_) Relate(FileId::NSBRAZ).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    // The rates of the highlighted category, which the buffer holds; they may have moved the
    // file meanwhile.
    void showRates()
    {
        Update();
        ProcRequest() = ui::REQUEST::None;
        BrowseWRKOnGroup();
        brw_.ResetFromFile();
    }

    void addColumns()
    {
        ui::BrowseColumn code;
        code.heading = QStringLiteral("№ п.п.");
        code.widthDu = role_.codeWidthDu;
        code.headingAlign = role_.codeHeading;
        code.picture = QStringLiteral("@s8");
        code.field = ui::recordField<&NSBRAZRecord::KEY_ROOT>();
        code.editable = role_.editing;
        brw_.AddField(code);
        ui::BrowseColumn name;
        name.heading = QStringLiteral("Наименование");
        name.widthDu = 80;
        name.picture = QStringLiteral("@s120");
        name.field = ui::recordField<&NSBRAZRecord::NAME>();
        name.editable = role_.editing;
        brw_.AddField(name);
    }

    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, QStringLiteral("Категории расценок"), role_.widthDu,
                                              role_.heightDu);
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        auto* layout = new QVBoxLayout(window->content());

        ui::Control& list = ui::AddBrowseList(*window, QStringLiteral("?BROWSE:1"), kList);
        list.widget()->setStatusTip(QStringLiteral("Browsing Records"));
        auto* sheet = new QTabWidget;
        sheet->addTab(new QWidget, QStringLiteral("по Категориям"));
        sheet->setDocumentMode(true);
        layout->addWidget(sheet);
        layout->addWidget(list.widget(), 1);

        const struct {
            const char* name;
            const char* caption;
            const char* message;
            const char* tip;
            int number;
            const char* icon;
        } specs[] = {
            {"?SELECT:2", "&Выбрать", "Выбрать текущую запись", "Выбрать текущую запись", role_.select, "mark"},
            {"?INSERT:3", "&Добавить", "Добавление новой записи", "Добавление новой записи", role_.insert, "insert"},
            {"?CHANGE:3", "&Изменить", "Редактирование текущей записи", "Редактирование\nтекущей записи", role_.change,
             "edit"},
            {"?DELETE:3", "&Удалить", "Удаление текущей записи", "Удаление текущей записи", role_.remove, "delete"},
            {"?BROWSERASZENKI", "Расценки", "Просмотр и редактирование всех расценок данного справочника",
             "Просмотр и редактирование\nвсех расценок данного справочника", role_.rates, "ditto"},
            {"?CLOSE", "Закрыть", "Закрыть окно", "Закрыть окно", role_.close, "wizcncl"},
            {"?HELP", "Помощь", "Вызов справки", "", role_.help, "help"},
        };
        auto* listButtons = new QHBoxLayout;
        auto* windowButtons = new QHBoxLayout;
        windowButtons->addStretch();
        for (const auto& spec : specs) {
            if (!spec.number) continue;
            auto* button = new QPushButton(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(spec.icon))),
                                           QString::fromUtf8(spec.caption));
            // the plain selection list says nothing more of its buttons
            if (role_.editing) {
                button->setStatusTip(QString::fromUtf8(spec.message));
                button->setToolTip(QString::fromUtf8(spec.tip));
            }
            window->add(ui::CREATE::Button, QString::fromUtf8(spec.name), button, spec.number);
            (spec.number == role_.close || spec.number == role_.help ? windowButtons : listButtons)->addWidget(button);
            if (spec.number == role_.remove || (!role_.editing && spec.number == role_.select))
                window->add(ui::CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, role_.tab);
        }
        listButtons->addStretch();
        layout->addLayout(listButtons);
        layout->addLayout(windowButtons);
    }

    const Role& role_;
    ui::BrowseBox brw_;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void BrowseNSBRAZ()
{
    CategoryList window(kBrowse);
    window.Run();
}

void SelectNSBRAZ()
{
    CategoryList window(kSelect);
    window.Run();
}
