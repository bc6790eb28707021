#include "catalogue/units/browse_ed_izmer.h"

#include "data/thread_data.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/browse/browse_box.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/window_manager.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using records::Level;

enum Control { List = 1, CurrentTab, Prompt1, Search, Select, Insert, Change, Delete, Close, Help };

class UnitsWindow : public ui::WindowManager {
public:
    UnitsWindow() : WindowManager(QStringLiteral("BrowseEdIzmer")) {}

    Level Init() override
    {
        WindowManager::Init();  // the name to the error reporter; the request is taken
        build();
        AddCloseButton(Close);
        Relate(FileId::EdIzmer).Open();
        opened_ = true;
        brw_.Init(*this, *window->control(List), Relate(FileId::EdIzmer));
        brw_.SelectControl = Select;
        brw_.InsertControl = Insert;
        brw_.ChangeControl = Change;
        brw_.DeleteControl = Delete;
        brw_.HIDESELECT = 1;
        Open();
        wheel_.Attach(*window);
        brw_.AddSortOrder(EdIzmerLayout().keyIndex("EDI:KeyEdIzm"))
            .SetLocator(ui::LocatorKind::Incremental, ui::recordField<&EdIzmerRecord::EDIZM>(), Search)
            .SetStep(ui::ThumbStep::Alphabetic);
        ui::BrowseColumn unit;
        unit.heading = QStringLiteral("Ед. Измерения");
        unit.widthDu = 80;
        unit.picture = QStringLiteral("@S25");
        unit.field = ui::recordField<&EdIzmerRecord::EDIZM>();
        unit.editable = true;
        brw_.AddField(unit);
        // A blank unit would be stored but never listed (the key leaves blank values out), so
        // it could never be seen, changed or deleted again: such a row is abandoned instead.
        brw_.IsEmptyRow = [](const void* r) { return static_cast<const EdIzmerRecord*>(r)->EDIZM.isBlank(); };
        RestoreWindow();
        brw_.SetToolbarTarget(Help);
        return Level::Benign;
    }

    Level TakeAccepted() override
    {
        // also the frame's help button, which the list forwards as this button
        if (FIELD() == Help) ui::showHelpTopic(QStringLiteral("units"));
        return WindowManager::TakeAccepted();
    }

    Level Kill() override
    {
        if (opened_) Relate(FileId::EdIzmer).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, QStringLiteral("Единицы измерения"), 208, 193);
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        auto* layout = new QVBoxLayout(window->content());

        ui::Control& list = ui::AddBrowseList(*window, QStringLiteral("?BROWSE:1"), List);
        list.widget()->setStatusTip(QStringLiteral("Browsing Records"));
        layout->addWidget(list.widget(), 1);

        auto* sheet = new QTabWidget;
        auto* tab = new QWidget;
        auto* tabLayout = new QHBoxLayout(tab);
        sheet->addTab(tab, QStringLiteral("ед. Измерения"));
        window->add(ui::CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, CurrentTab);
        auto* prompt = new QLabel(QStringLiteral("Поиск:"));
        window->add(ui::CREATE::Prompt, QStringLiteral("?PROMPT1"), prompt, Prompt1);
        // the locator's search text, kept apart from the record buffer
        ui::Entry* search = ui::newEntry(25, true);
        search->setToolTip(QStringLiteral("Ед. Измерения"));
        search->setStatusTip(QStringLiteral("Ед. Измерения"));
        window->add(ui::CREATE::Entry, QStringLiteral("?EDI:EDIZM"), search, Search);
        tabLayout->addWidget(prompt);
        tabLayout->addWidget(search, 1);
        layout->addWidget(sheet);

        // the list's buttons in one row, closing and help in another, so that the window keeps
        // its width
        auto* listButtons = new QHBoxLayout;
        auto* windowButtons = new QHBoxLayout;
        windowButtons->addStretch();
        QStyle* style = window->content()->style();
        const struct {
            const char* name;
            const char* caption;
            int number;
            QIcon icon;
        } specs[] = {
            {"?SELECT:2", "&Выбрать", Select, QIcon(QStringLiteral(":/icons/mark.png"))},
            {"?INSERT:3", "&Добавить", Insert, QIcon(QStringLiteral(":/icons/insert.png"))},
            {"?CHANGE:3", "&Изменить", Change, QIcon(QStringLiteral(":/icons/edit.png"))},
            {"?DELETE:3", "&Удалить", Delete, QIcon(QStringLiteral(":/icons/delete.png"))},
            {"?CLOSE", "Закрыть", Close, style->standardIcon(QStyle::SP_DialogCancelButton)},
            {"?HELP", "Помощь", Help, QIcon(QStringLiteral(":/icons/help.png"))},
        };
        for (const auto& spec : specs) {
            auto* button = new QPushButton(spec.icon, QString::fromUtf8(spec.caption));
            window->add(ui::CREATE::Button, QString::fromUtf8(spec.name), button, spec.number);
            (spec.number < Close ? listButtons : windowButtons)->addWidget(button);
        }
        layout->addLayout(listButtons);
        layout->addLayout(windowButtons);
    }

    ui::BrowseBox brw_;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void BrowseEdIzmer()
{
    UnitsWindow window;
    window.Run();
}
