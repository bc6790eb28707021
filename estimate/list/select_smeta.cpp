#include "estimate/list/select_smeta.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/headers/update_headers.h"
#include "platform/core/message.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/browse/browse_box.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/window_manager.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using records::Level;

enum Control { List = 1, Select, Insert, Change, Delete, CurrentTab, Close, Help, Copy };

using ui::fieldColumn;

class EstimateList : public ui::WindowManager {
public:
    EstimateList() : WindowManager(QStringLiteral("SelectSmeta")) {}

    Level Init() override
    {
        WindowManager::Init();  // the name to the error reporter; the request is taken
        build();
        AddCloseButton(Close);
        const bool selecting = REQUEST == ui::REQUEST::SelectRecord;
        if (selecting) CANCELCONTROL = Close;
        Relate(FileId::Headers).Open();
        opened_ = true;
        brw_.Init(*this, *window->control(List), Relate(FileId::Headers));
        brw_.SelectControl = Select;
        brw_.HIDESELECT = 1;
        if (REQUEST != ui::REQUEST::ViewRecord) {
            brw_.InsertControl = Insert;
            brw_.ChangeControl = Change;
            brw_.DeleteControl = Delete;
        } else {
            for (int button : {Insert, Change, Delete}) window->control(button)->hide();
        }
        brw_.ASKPROCEDURE = 1;
        Open();
        wheel_.Attach(*window);
        addSortOrders();
        addFields();
        RestoreWindow();
        brw_.SetToolbarTarget(Help);
        return Level::Benign;
    }

    void CallProcedure(int) override { UpdateHeaders(); }

    Level TakeAccepted() override
    {
        switch (FIELD()) {
        case Select:
            // the browse has put the highlighted header into the buffer; an empty list chooses nothing
            if (!brw_.page().empty()) {
                NumSmeta = DFL().NUMBER;
                GLO::CurrentSmeta = DFL().NUMBER;
                Reset();
            }
            break;
        case Help: ui::showHelpTopic(QStringLiteral("SelectSmeta")); break;  // also the frame's help button
        case Copy: Message(QStringLiteral("Извините, будет доступно в следующей версии")); break;
        default: break;
        }
        return WindowManager::TakeAccepted();
    }

    Level Kill() override
    {
        if (opened_) Relate(FileId::Headers).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    void addSortOrders()
    {
        const records::Layout& layout = HeadersLayout();
        brw_.AddSortOrder(layout.keyIndex("DFL:BYNUM"))
            .SetLocator(ui::LocatorKind::Step, ui::recordField<&HeadersRecord::NUMBER>())
            .SetStep(ui::ThumbStep::Numeric);
        brw_.AddSortOrder(layout.keyIndex("DFL:BYNAME"))
            .SetLocator(ui::LocatorKind::Step, ui::recordField<&HeadersRecord::NAME>())
            .SetStep(ui::ThumbStep::Alphabetic);
        brw_.AddSortOrder(layout.keyIndex("DFL:BYDATA"))
            .SetLocator(ui::LocatorKind::Step, ui::recordField<&HeadersRecord::DATEACT>())
            .SetStep(ui::ThumbStep::Numeric);
        // tab 2 by name, tab 3 by date, any other by number
        auto* sheet = qobject_cast<QTabWidget*>(window->control(CurrentTab)->widget());
        brw_.ChooseSortOrder = [sheet] {
            const int tab = sheet->currentIndex() + 1;
            return tab == 2 || tab == 3 ? tab : 1;
        };
    }

    void addFields()
    {
        using ui::ColumnAlign;
        brw_.AddGroup(QStringLiteral("Основная информация"), 464, 4);
        brw_.AddField(fieldColumn("№ п.п.", 23, ColumnAlign::Right, 2, "@n_6", ui::recordField<&HeadersRecord::NUMBER>()));
        ui::BrowseColumn name = fieldColumn("Название сметы", 105, ColumnAlign::Left, 2, "@s100",
                                       ui::recordField<&HeadersRecord::NAME>());
        name.endsLine = true;  // basis and customer on the row's second line
        brw_.AddField(name);
        brw_.AddField(fieldColumn("Основание составления сметы", 188, ColumnAlign::Left, 25, "@s40",
                             ui::recordField<&HeadersRecord::OSNOV>()));
        brw_.AddField(fieldColumn("Заказчик", 80, ColumnAlign::Left, 2, "@s40", ui::recordField<&HeadersRecord::ZAKAZCHIK>()));
        brw_.AddField(fieldColumn("Название объекта", 151, ColumnAlign::Left, 2, "@s100",
                             ui::recordField<&HeadersRecord::NAMEOBJECT>()));
        brw_.AddField(fieldColumn("Должность заказчика", 80, ColumnAlign::Left, 2, "@s20",
                             ui::recordField<&HeadersRecord::ZAK_DOL>()));
        brw_.AddField(fieldColumn("Ф.И.О.", 80, ColumnAlign::Left, 2, "@s30", ui::recordField<&HeadersRecord::ZAK_FIO>()));
        brw_.AddField(fieldColumn("Подрядчик", 80, ColumnAlign::Left, 2, "@s40", ui::recordField<&HeadersRecord::PODRJADCHI>()));
        brw_.AddField(fieldColumn("Должность подрядчика", 80, ColumnAlign::Decimal, 4, "@s20",
                             ui::recordField<&HeadersRecord::POD_DOL>(), ColumnAlign::Centre));
    }

    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, QStringLiteral("Выберите смету из списка"), 470, 230);
        window->setIcon(QStringLiteral(":/icons/rwfyes.png"));
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        auto* layout = new QVBoxLayout(window->content());

        ui::Control& list = ui::AddBrowseList(*window, QStringLiteral("?BROWSE:1"), List);
        list.widget()->setStatusTip(QStringLiteral("Browsing Records"));

        auto* sheet = new QTabWidget;
        for (const char* tab : {"по Номеру", "по Наименованию", "по Дате"}) sheet->addTab(new QWidget, QString::fromUtf8(tab));
        sheet->setDocumentMode(true);
        layout->addWidget(sheet);
        layout->addWidget(list.widget(), 1);

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
            {"?BUTTON7", "Копировать", Copy, QIcon(QStringLiteral(":/icons/copy.png"))},
        };
        auto* listButtons = new QHBoxLayout;
        auto* windowButtons = new QHBoxLayout;
        windowButtons->addStretch();
        for (const auto& spec : specs) {
            auto* button = new QPushButton(spec.icon, QString::fromUtf8(spec.caption));
            window->add(ui::CREATE::Button, QString::fromUtf8(spec.name), button, spec.number);
            (spec.number <= Delete ? listButtons : windowButtons)->addWidget(button);
            if (spec.number == Delete) {
                // the sheet is control 6, between the list's buttons and "Закрыть"
                window->add(ui::CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, CurrentTab);
            }
        }
        listButtons->addStretch();
        layout->addLayout(listButtons);
        layout->addLayout(windowButtons);
    }

    ui::BrowseBox brw_;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void SelectSmeta()
{
    EstimateList window;
    window.Run();
}
