#include "catalogue/rates/browse_wrk_on_group.h"

#include "catalogue/rates/update_raszenki.h"
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

enum Control { List = 1, Insert, Change, Delete, CurrentTab, Close, Help };

class CategoryRates : public ui::WindowManager {
public:
    CategoryRates() : WindowManager(QStringLiteral("BrowseWRK:OnGroup")) {}

    Level Init() override
    {
        WindowManager::Init();  // the name to the error reporter; the request is taken
        build();
        AddCloseButton(Close);
        Relate(FileId::NSBRAZ).Open();
        Relate(FileId::Raszenki).Open();
        opened_ = true;
        // taken once: the rate form's lookups change the buffer while the list is open
        group_ = NSR().KEY_ROOT;
        brw_.Init(*this, *window->control(List), Relate(FileId::Raszenki));
        brw_.InsertControl = Insert;
        brw_.ChangeControl = Change;
        brw_.DeleteControl = Delete;
        brw_.ASKPROCEDURE = 1;
        Open();
        wheel_.Attach(*window);
        // the range also primes a new rate's category
        brw_.AddSortOrder(RaszenkiLayout().keyIndex("WRK:ONGROUP")).SetRange(1, [this](void* record) {
            static_cast<RaszenkiRecord*>(record)->GROUP = group_;
        });
        addColumns();
        RestoreWindow();
        brw_.SetToolbarTarget(Help);
        return Level::Benign;
    }

    void CallProcedure(int) override { UpdateRaszenki(); }

    Level TakeAccepted() override
    {
        if (FIELD() == Help) ui::showHelpTopic(QStringLiteral("rates"));
        return WindowManager::TakeAccepted();
    }

    Level Kill() override
    {
        if (opened_) {
            Relate(FileId::NSBRAZ).Close();
            Relate(FileId::Raszenki).Close();
        }
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    void addColumns()
    {
        struct Spec {
            const char* heading;
            int widthDu;
            const char* picture;
            ui::RecordField field;
        };
        const Spec works[] = {
            {"Шифр ед. Расценок", 55, "@s36", ui::recordField<&RaszenkiRecord::NRAS>()},
            {"Наименование работы", 219, "@s220", ui::recordField<&RaszenkiRecord::NAME>()},
            {"Ед. Измерения", 72, "@s25", ui::recordField<&RaszenkiRecord::EDIZM>()},
        };
        const Spec prices[] = {
            {"Стоим. ед.", 39, "@n-10.2", ui::recordField<&RaszenkiRecord::CENA_TZ>()},
            {"Стоим. Ед.", 43, "@n-10.2", ui::recordField<&RaszenkiRecord::CENA_OB>()},
            {"Эксп. маш.", 35, "@n-10.2", ui::recordField<&RaszenkiRecord::EKSPLM>()},
            {"Зар.Пл.Машиниста", 68, "@n-10.2", ui::recordField<&RaszenkiRecord::ZARPLM>()},
        };
        brw_.AddGroup(QStringLiteral("Работы"), 310, 3);
        for (const Spec& s : works) brw_.AddField(column(s, ui::ColumnAlign::Left));
        for (const Spec& s : prices) brw_.AddField(column(s, ui::ColumnAlign::Right));
    }

    template <class Spec>
    static ui::BrowseColumn column(const Spec& s, ui::ColumnAlign align)
    {
        return ui::fieldColumn(s.heading, s.widthDu, align, 0, s.picture, s.field, align);
    }

    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, QStringLiteral("Расценки  по данной категории"), 358, 190);
        window->setIcon(QStringLiteral(":/icons/find.png"));
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        window->setResizable(true);
        auto* layout = new QVBoxLayout(window->content());

        ui::Control& list = ui::AddBrowseList(*window, QStringLiteral("?BROWSE:1"), List);
        list.widget()->setStatusTip(QStringLiteral("Browsing Records"));
        auto* sheet = new QTabWidget;
        sheet->addTab(new QWidget, QStringLiteral("по Категории справочн."));
        sheet->setDocumentMode(true);
        layout->addWidget(sheet);
        layout->addWidget(list.widget(), 1);

        const struct {
            const char* name;
            const char* caption;
            int number;
            const char* icon;
        } specs[] = {
            {"?INSERT:2", "&Добавить", Insert, "insert"}, {"?CHANGE:2", "&Изменить", Change, "edit"},
            {"?DELETE:2", "&Удалить", Delete, "delete"},  {"?CLOSE", "Закрыть", Close, "wizcncl"},
            {"?HELP", "Помощь", Help, "help"},
        };
        auto* listButtons = new QHBoxLayout;
        auto* windowButtons = new QHBoxLayout;
        windowButtons->addStretch();
        for (const auto& spec : specs) {
            auto* button = new QPushButton(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(spec.icon))),
                                           QString::fromUtf8(spec.caption));
            window->add(ui::CREATE::Button, QString::fromUtf8(spec.name), button, spec.number);
            (spec.number <= Delete ? listButtons : windowButtons)->addWidget(button);
            if (spec.number == Delete) window->add(ui::CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, CurrentTab);
        }
        listButtons->addStretch();
        layout->addLayout(listButtons);
        layout->addLayout(windowButtons);
    }

    FixedString<8> group_;
    ui::BrowseBox brw_;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void BrowseWRKOnGroup()
{
    CategoryRates window;
    window.Run();
}
