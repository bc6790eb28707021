#include "catalogue/rates/browse_raszenki.h"

#include "catalogue/categories/update_nsbraz.h"
#include "catalogue/rates/new_estimate_line.h"
#include "catalogue/rates/update_raszenki.h"
#include "data/globals.h"
#include "data/thread_data.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/browse/browse_box.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/browse/browse_query.h"
#include "platform/ui/browse/file_drop_combo.h"
#include "platform/ui/browse/list_format_store.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/prompt.h"
#include "platform/ui/windows/text_box.h"
#include "platform/ui/windows/window_manager.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

using records::Level;

enum Control {
    List = 1,
    Select,
    Insert,
    Change,
    Delete,
    Put,
    Query,
    CurrentTab,
    CodePrompt,
    Code,
    CategoryPrompt,
    Category,
    Tab3,
    NamePrompt,
    Name,
    Tab4,
    FilterPrompt,
    FilterString,
    Close,
    Help,
    FullName,
};

// The numbered calls of RunProcedure.
enum Procedure { RateForm = 1, CategoryForm = 2 };

// The sort order of each tab, 1-based as the tabs are numbered.
constexpr int kOrderOfTab[] = {0, 4, 1, 2, 3};

const QString kWorkLineForm = QStringLiteral("UpdateWrksInSmt");

// Headings of the number columns are centred.
ui::BrowseColumn column(const char* heading, int widthDu, ui::ColumnAlign align, int indentDu, const char* picture,
                        ui::RecordField field)
{
    return ui::fieldColumn(heading, widthDu, align, indentDu, picture, std::move(field),
                           align == ui::ColumnAlign::Left ? ui::ColumnAlign::Left : ui::ColumnAlign::Centre);
}

class RateCatalogue : public ui::WindowManager {
public:
    RateCatalogue() : WindowManager(QStringLiteral("BrowseRaszenki")) {}

    Level Init() override
    {
        WindowManager::Init();  // the name to the error reporter; the request is taken
        build();
        const bool selecting = REQUEST == ui::REQUEST::SelectRecord;
        AddCloseButton(Close);
        Relate(FileId::EdIzmer).Open();
        Relate(FileId::NSBRAZ).Open();
        Relate(FileId::Raszenki).Open();
        opened_ = true;
        // A code whatever its numeric value: "A1" is a category as "1" is.
        if (LastRateCategory.isBlank()) LastRateCategory = QStringLiteral("1");
        selectedCategory_ = LastRateCategory;
        NSR().KEY_ROOT = selectedCategory_;
        brw_.Init(*this, *window->control(List), Relate(FileId::Raszenki));
        brw_.SelectControl = Select;
        brw_.InsertControl = Insert;
        brw_.ChangeControl = Change;
        brw_.DeleteControl = Delete;
        brw_.HIDESELECT = 1;
        brw_.ASKPROCEDURE = RateForm;
        Open();
        wheel_.Attach(*window);
        setUpSelector();
        sheet_->setCurrentIndex(LastRateTab >= 1 && LastRateTab <= 4 ? LastRateTab - 1 : 0);
        // Fixed at set-up. Not as a lookup: a second work-line form on this thread would work
        // on the first one's line buffer.
        if (GLO::CurrentSmeta > 0 && !selecting && ui::hasProcedure(kWorkLineForm)) window->control(Put)->enable();
        addSortOrders();
        addColumns();
        brw_.ResetSort(true);  // the columns in the list, for their stored widths
        formats_ = std::make_unique<ui::ListFormatStore>(*this);
        formats_->Add(QStringLiteral("?Browse:1"), brw_);
        query_ = std::make_unique<ui::BrowseQuery>(brw_, procedureName());
        // first shown with every column, the prices too; a size the user gave it comes next
        window->growToShow(brw_.list(), brw_.list().columnsWidth());
        RestoreWindow();
        brw_.SetToolbarTarget(Help);
        return Level::Benign;
    }

    void CallProcedure(int number) override
    {
        if (number == RateForm)
            UpdateRaszenki();
        else if (number == CategoryForm)
            UpdateNSBRAZ();
    }

    Level TakeAccepted() override
    {
        // also the frame's help button, which the list forwards as this button
        if (FIELD() == Help) ui::showHelpTopic(QStringLiteral("catalogue"));
        if (FIELD() == Put) putInEstimate();
        if (FIELD() == Query) askQuery();
        return WindowManager::TakeAccepted();
    }

    Level Kill() override
    {
        if (opened_) {
            Relate(FileId::EdIzmer).Close();
            Relate(FileId::NSBRAZ).Close();
            Relate(FileId::Raszenki).Close();
            LastRateCategory = selectedCategory_;
            LastRateTab = sheet_->currentIndex() + 1;
        }
        wheel_.Detach();
        if (Opened() && formats_) formats_->Save();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    void setUpSelector()
    {
        selector_ = std::make_unique<ui::FileDropCombo>(*this, *window->control(Category), Access(FileId::NSBRAZ).file(),
                                                        NSBRAZLayout().keyIndex("NSR:ONCATEGORIES"), selectorColumns());
        selector_->Chosen = [this](const void* record) {
            selectedCategory_ = static_cast<const NSBRAZRecord*>(record)->KEY_ROOT;
            if (sheet_->currentIndex() == 1) brw_.ResetSort(true);
        };
        selector_->NotFound = [this](const QString& text) {
            NSBRAZLayout().clear(&NSR());
            NSR().NAME = text;
            return RunProcedure(CategoryForm, ui::REQUEST::InsertRecord) == ui::RESPONSE::Completed;
        };
        Access(FileId::NSBRAZ).UseFile();
        selector_->Reload();
        selector_->Show([this](const void* r) {
            return static_cast<const NSBRAZRecord*>(r)->KEY_ROOT == selectedCategory_;
        });
    }

    static std::vector<ui::BrowseColumn> selectorColumns()
    {
        return {column("Наименование", 480, ui::ColumnAlign::Left, 0, "@s120", ui::recordField<&NSBRAZRecord::NAME>()),
                column("№ спр.", 25, ui::ColumnAlign::Left, 0, "@s6", ui::recordField<&NSBRAZRecord::KEY_ROOT>())};
    }

    void addSortOrders()
    {
        const records::Layout& l = RaszenkiLayout();
        const ui::RecordField code = ui::recordField<&RaszenkiRecord::NRAS>();
        const ui::RecordField name = ui::recordField<&RaszenkiRecord::NAME>();
        // the range also primes a new rate's category on the category tab
        brw_.AddSortOrder(l.keyIndex("WRK:ONGROUP"))
            .SetRange(1, [this](void* record) { static_cast<RaszenkiRecord*>(record)->GROUP = selectedCategory_; })
            .SetStep(ui::ThumbStep::Alphabetic, code);
        brw_.AddSortOrder(l.keyIndex("WRK:ONWORKS"))
            .SetLocator(ui::LocatorKind::Filter, name, Name)
            .SetStep(ui::ThumbStep::Alphabetic);
        brw_.AddSortOrder(l.keyIndex("WRK:ONWORKS")).SetLocator(ui::LocatorKind::Filter, name, FilterString);
        brw_.AddSortOrder(l.keyIndex("WRK:ONSPRAVOCH"))
            .SetLocator(ui::LocatorKind::Incremental, code, Code)
            .SetStep(ui::ThumbStep::Alphabetic);
        brw_.ChooseSortOrder = [this] { return kOrderOfTab[sheet_->currentIndex() + 1]; };
    }

    void addColumns()
    {
        using A = ui::ColumnAlign;
        ui::BrowseColumn name =
            column("Наименование работы", 295, A::Left, 2, "@s220", ui::recordField<&RaszenkiRecord::NAME>());
        name.tooltip = name.field;  // the row's own tip is always blank: the full name instead
        name.defaultTooltip = QStringLiteral("WRK:NAME");
        brw_.AddField(name);
        brw_.AddField(column("Шифр ед. Расценок", 80, A::Left, 2, "@s36", ui::recordField<&RaszenkiRecord::NRAS>()));
        brw_.AddField(column("Ед. Измерения", 65, A::Left, 2, "@s25", ui::recordField<&RaszenkiRecord::EDIZM>()));
        brw_.AddField(column("Стоим.Ед.", 39, A::Right, 1, "@n-10.2", ui::recordField<&RaszenkiRecord::CENA_OB>()));
        brw_.AddField(column("Зар.Пл.", 39, A::Right, 1, "@n-10.2", ui::recordField<&RaszenkiRecord::CENA_TZ>()));
        brw_.AddField(column("Эксп. машин", 46, A::Right, 1, "@n-10.2", ui::recordField<&RaszenkiRecord::EKSPLM>()));
        brw_.AddField(
            column("Зар.Пл.Машиниста", 68, A::Decimal, 12, "@n-10.2", ui::recordField<&RaszenkiRecord::ZARPLM>()));
    }

    // "В Смету": a new line of the current estimate in the work-line form, which takes its
    // rate through its own lookup.
    void putInEstimate()
    {
        window->updateAll();
        const NewLineStart start = PrepareNewEstimateLine();
        if (start != NewLineStart::Ready) {
            TellNoNewLine(start);
            return;
        }
        ProcRequest() = ui::REQUEST::InsertRecord;
        ui::callProcedure(kWorkLineForm);
        brw_.ResetFromFile();
        window->displayAll();
    }

    void askQuery()
    {
        query_->Ask();
        window->updateAll();
        brw_.list().setFocus(Qt::OtherFocusReason);
    }

    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, QStringLiteral("Справочник"), 384, 224);
        window->setIcon(QStringLiteral(":/icons/find.png"));
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        window->setResizable(true, 384, 224);
        auto* layout = new QVBoxLayout(window->content());

        sheet_ = new QTabWidget;
        window->add(ui::CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet_, CurrentTab);
        // the search texts are kept apart from the record buffer
        struct TabSpec {
            const char* caption;
            const char* tabName;
            int tabNumber;
            const char* promptName;
            const char* prompt;
            int promptNumber;
            const char* entryName;
            int entryNumber;
            int entryWidthDu;
        };
        const TabSpec tabs[] = {
            {"по Позиции", nullptr, 0, "?WRK:NRAS:PROMPT", "Шифр ед. ", CodePrompt, "?WRK:NRAS", Code, 120},
            {"по Разделам", nullptr, 0, "?WRK:NRAS:PROMPT:2", "Раздел:", CategoryPrompt, "?NSR:NAME", Category, 240},
            {"По Работам", "?TAB3", Tab3, "?WRK:NRAS:PROMPT:3", "Содержит:", NamePrompt, "?WRK:NAME", Name, 240},
            {"Отд. работы", "?TAB4", Tab4, "?WRK:NRAS:PROMPT:4", "Начинается:", FilterPrompt, "?FILTERSTRING",
             FilterString, 160},
        };
        for (const TabSpec& t : tabs) {
            auto* page = new QWidget;
            auto* row = new QHBoxLayout(page);
            sheet_->addTab(page, QString::fromUtf8(t.caption));
            if (t.tabNumber) window->add(ui::CREATE::Tab, QString::fromUtf8(t.tabName), page, t.tabNumber);
            auto* prompt = new QLabel(QString::fromUtf8(t.prompt));
            window->add(ui::CREATE::Prompt, QString::fromUtf8(t.promptName), prompt, t.promptNumber);
            QWidget* entry = nullptr;
            if (t.entryNumber == Category) {
                entry = ui::newFileDropCombo(selectorColumns());
                entry->setToolTip(QStringLiteral("Наименование"));
                window->add(ui::CREATE::DropCombo, QString::fromUtf8(t.entryName), entry, t.entryNumber);
            } else {
                const int width = t.entryNumber == Code ? 36 : t.entryNumber == Name ? 220 : 40;
                entry = ui::newEntry(width, t.entryNumber == Name);
                if (t.entryNumber == Code) entry->setToolTip(QStringLiteral("Шифр Ед"));
                if (t.entryNumber == Name) entry->setToolTip(QStringLiteral("Наименование работы"));
                window->add(ui::CREATE::Entry, QString::fromUtf8(t.entryName), entry, t.entryNumber);
            }
            // the prompt and its entry keep their place and size as the window grows
            entry->setFixedWidth(window->duX(t.entryWidthDu));
            row->addWidget(prompt);
            row->addWidget(entry);
            row->addStretch();
        }
        layout->addWidget(sheet_);

        // the full name above the list, which takes what the window grows by
        ui::Control& fullName = ui::addTextBox(*window, QStringLiteral("?WRK:NAME:2"), WRK().NAME, FullName);
        auto* box = static_cast<ui::TextBox*>(fullName.widget());
        box->setReadOnly(true);
        box->setToolTip(QStringLiteral("Наименование работы"));
        box->setFixedHeight(window->duY(20));
        layout->addWidget(box);

        ui::Control& list = ui::AddBrowseList(*window, QStringLiteral("?BROWSE:1"), List);
        list.widget()->setStatusTip(QStringLiteral("Просмотр Записей"));
        layout->addWidget(list.widget(), 1);

        const struct {
            const char* name;
            const char* caption;
            int number;
            const char* icon;
        } specs[] = {
            {"?INSERT:3", "&Добавить", Insert, "insert"}, {"?CHANGE:3", "&Изменить", Change, "edit"},
            {"?DELETE:3", "&Удалить", Delete, "delete"},  {"?SELECT:2", "&Выбрать", Select, "mark"},
            {"?PUT", "В Смету", Put, nullptr},             {"?QUERY", "&Фильтр", Query, "find"},
            {"?CLOSE", "Закрыть", Close, "wizcncl"},       {"?HELP", "Помощь", Help, "help"},
        };
        auto* buttons = new QHBoxLayout;
        for (const auto& spec : specs) {
            auto* button = new QPushButton(QString::fromUtf8(spec.caption));
            if (spec.icon) button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(spec.icon))));
            window->add(ui::CREATE::Button, QString::fromUtf8(spec.name), button, spec.number);
            // "Выбрать", "В Смету" and "Фильтр" keep to the right edge with the window's own buttons
            if (spec.number == Select) buttons->addStretch();
            buttons->addWidget(button);
        }
        window->control(Put)->disable();
        layout->addLayout(buttons);
    }

    FixedString<8> selectedCategory_;
    QTabWidget* sheet_ = nullptr;
    ui::BrowseBox brw_;
    std::unique_ptr<ui::FileDropCombo> selector_;
    std::unique_ptr<ui::ListFormatStore> formats_;
    std::unique_ptr<ui::BrowseQuery> query_;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void BrowseRaszenki()
{
    RateCatalogue window;
    window.Run();
}
