#include "catalogue/rates/update_raszenki.h"

#include "catalogue/categories/category_lists.h"
#include "catalogue/rates/rate_rules.h"
#include "catalogue/units/browse_ed_izmer.h"
#include "data/thread_data.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/form_buttons.h"
#include "platform/ui/windows/number_entry.h"
#include "platform/ui/windows/prompt.h"
#include "platform/ui/windows/spin_box.h"
#include "platform/ui/windows/text_box.h"
#include "platform/ui/windows/window_manager.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using records::Level;
using ui::Control;
namespace CREATE = ui::CREATE;

enum : int {
    Sheet = 1,
    Number = 3,
    Group = 5,
    Categories = 6,
    Code = 8,
    Name = 10,
    Unit = 12,
    Units = 13,
    Prices = 14,
    Total = 15,
    TotalPrompt = 18,
    Ok = 23,
    Cancel = 24,
};
// the procedures RunProcedure opens
enum : int { SelectCategory = 1, SelectUnit = 2 };

class RateForm : public ui::WindowManager {
public:
    RateForm() : WindowManager(QStringLiteral("UpdateRaszenki")) {}

    Level Init() override
    {
        WindowManager::Init();
        build();
        FIRSTFIELD = Number;
        AddFile(Access(FileId::Raszenki));
        CANCELCONTROL = Cancel;
        AddButton(Cancel, ui::RESPONSE::Cancelled);
        for (FileId f : {FileId::EdIzmer, FileId::NSBRAZ, FileId::Raszenki}) Relate(f).Open();
        opened_ = true;
        PRIMARY = &Relate(FileId::Raszenki);
        OKCONTROL = Ok;
        if (!PrimeUpdate()) return Level::Notify;  // a delete ends here, without the window
        Open();
        if (REQUEST == ui::REQUEST::InsertRecord)
            window->setTitle(QStringLiteral("Добавление расценки в справочник"));
        else if (REQUEST == ui::REQUEST::ChangeRecord)
            window->setTitle(QStringLiteral("Изменение расценки"));
        wheel_.Attach(*window);
        RestoreWindow();
        Reset();
        window->control(FIRSTFIELD)->select();
        return Level::Benign;
    }

    Level PrimeFields() override
    {
        WRK().CODER = 1;
        return Level::Benign;
    }

    void CallProcedure(int number) override
    {
        if (number == SelectCategory)
            SelectNSBRAZ();
        else
            BrowseEdIzmer();
    }

    Level TakeAccepted() override
    {
        switch (FIELD()) {
        case Group: lookUpCategory(); break;
        case Categories: chooseCategory(); break;
        case Units: chooseUnit(); break;
        default: break;
        }
        return WindowManager::TakeAccepted();
    }

    // Also when "Сохранение записи" is answered Yes, which completes the form.
    Level TakeCompleted() override
    {
        Update();
        if (RateUnnamed(WRK())) {
            TellRateUnnamed();
            window->control(Code)->select();
            return Level::Notify;
        }
        return WindowManager::TakeCompleted();
    }

    Level Kill() override
    {
        if (opened_)
            for (FileId f : {FileId::EdIzmer, FileId::NSBRAZ, FileId::Raszenki}) Relate(f).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    // A typed category is kept as typed when some category has it in any case; otherwise the
    // user picks one. Closing that list keeps the typed code and the focus on it, and takes back
    // the "OK" that made the code count as typed.
    void lookUpCategory()
    {
        if (!WRK().GROUP.isBlank() && !categoryExists(WRK().GROUP)) {
            if (RunProcedure(SelectCategory, ui::REQUEST::SelectRecord) == ui::RESPONSE::Completed) {
                WRK().GROUP = NSR().KEY_ROOT;
            } else {
                window->discard(EVENT::Accepted, Ok);
                window->control(Group)->select();
            }
        }
        Reset();
    }

    // The category list runs as a plain list, on this thread: it moves the rate buffer and the
    // file's position with its rates, so both are put back after it, and only a category that
    // the list closed on (one that exists) replaces the code.
    void chooseCategory()
    {
        Update();
        records::FileManager& rates = Access(FileId::Raszenki);
        const records::Layout& layout = rates.layout();
        const auto* bytes = static_cast<const unsigned char*>(rates.buffer());
        const std::vector<unsigned char> rate(bytes, bytes + layout.recordSize);
        const records::Position position = rates.file().position();
        ProcRequest() = ui::REQUEST::None;
        BrowseNSBRAZ();
        layout.copy(rates.buffer(), rate.data());
        rates.file().setPosition(position);
        if (!NSR().KEY_ROOT.isBlank() && categoryExists(NSR().KEY_ROOT)) WRK().GROUP = NSR().KEY_ROOT;
        Reset();
    }

    // Only a picked unit replaces the rate's.
    void chooseUnit()
    {
        Update();
        if (RunProcedure(SelectUnit, ui::REQUEST::SelectRecord) == ui::RESPONSE::Completed) WRK().EDIZM = EDI().EDIZM;
        Reset();
    }

    // The category of that code, in any case, read into the NSBRAZ buffer.
    static bool categoryExists(const FixedString<8>& code)
    {
        NSR().KEY_ROOT = code;
        return Access(FileId::NSBRAZ).file().get(NSBRAZLayout().keyIndex("NSR:ONCATEGORIES")) == records::kNoError;
    }

    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, QStringLiteral("Расценки на производство работ"), 358, 174);
        window->setIcon(QStringLiteral(":/icons/import.png"));
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        RaszenkiRecord& w = WRK();
        auto* sheet = new QTabWidget;
        window->add(CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, Sheet);
        auto* page = new QWidget;
        sheet->addTab(page, QStringLiteral("Нормативная стоимость"));
        auto* grid = new QGridLayout(page);
        const QIcon triangle(QStringLiteral(":/icons/triangle.png"));

        // controls 2 to 13, each prompt before its control
        auto prompt = [&](const char* name, const char* text, int number) {
            auto* label = new QLabel(QString::fromUtf8(text));
            window->add(CREATE::Prompt, QString::fromUtf8(name), label, number);
            return label;
        };
        auto hint = [](Control& c, const char* text) {
            c.widget()->setToolTip(QString::fromUtf8(text));
            c.widget()->setStatusTip(QString::fromUtf8(text));
        };
        QLabel* numberPrompt = prompt("?WRK:CODER:PROMPT", "№ п.п.:", Number - 1);
        Control& number = ui::addNumberEntry(*window, QStringLiteral("?WRK:CODER"), w.CODER, QStringLiteral("@n_6"), Number);
        hint(number, "Номер Сметы");
        QLabel* groupPrompt = prompt("?WRK:GROUP:PROMPT", "Раздел:", Group - 1);
        Control& group = window->add(CREATE::Entry, QStringLiteral("?WRK:GROUP"), ui::newEntry(8), Group);
        group.bind(w.GROUP);
        hint(group, "Группа");
        auto* categories = new QPushButton(triangle, QStringLiteral("Катег."));
        window->add(CREATE::Button, QStringLiteral("?BUTTON4"), categories, Categories);
        QLabel* codePrompt = prompt("?WRK:NRAS:PROMPT", "Шифр ед. Расценок:", Code - 1);
        Control& code = window->add(CREATE::Entry, QStringLiteral("?WRK:NRAS"), ui::newEntry(36), Code);
        code.bind(w.NRAS);
        hint(code, "Шифр Ед");
        QLabel* namePrompt = prompt("?WRK:NAME:PROMPT:3", "Наименование работы:", Name - 1);
        Control& name = ui::addTextBox(*window, QStringLiteral("?WRK:NAME"), w.NAME, Name);
        hint(name, "Наименование работы");
        QLabel* unitPrompt = prompt("?WRK:EDIZM:PROMPT", "Ед. Измерения:", Unit - 1);
        Control& unit = window->add(CREATE::Entry, QStringLiteral("?WRK:EDIZM"), ui::newEntry(25), Unit);
        unit.bind(w.EDIZM);
        hint(unit, "Ед. Измерения");
        auto* units = new QPushButton(triangle, QString());
        window->add(CREATE::Button, QStringLiteral("?BUTTON5"), units, Units);
        for (auto [label, control] : {std::pair{numberPrompt, &number}, {groupPrompt, &group}, {codePrompt, &code},
                                      {namePrompt, &name}, {unitPrompt, &unit}})
            label->setBuddy(control->widget());

        grid->addWidget(numberPrompt, 0, 0);
        grid->addWidget(number.widget(), 0, 1);
        grid->addWidget(groupPrompt, 0, 2);
        grid->addWidget(group.widget(), 0, 3);
        grid->addWidget(categories, 0, 4);
        grid->addWidget(codePrompt, 1, 0);
        grid->addWidget(code.widget(), 1, 1, 1, 4);
        grid->addWidget(namePrompt, 2, 0, Qt::AlignTop);
        grid->addWidget(name.widget(), 2, 1, 1, 4);
        grid->addWidget(unitPrompt, 3, 0);
        grid->addWidget(unit.widget(), 3, 1, 1, 3);
        grid->addWidget(units, 3, 4);

        // controls 14 to 22: the prices; "Общая:" (18) is the prompt of the total (15)
        auto* box = new QGroupBox(QStringLiteral("Стоимость ед, руб:"));
        window->add(CREATE::Group, QStringLiteral("?GROUP1"), box, Prices);
        auto* prices = new QGridLayout(box);
        const QString picture = QStringLiteral("@n-10.2");
        const Decimal step(1L);
        Control& total = ui::addSpin(*window, QStringLiteral("?WRK:CENA_OB"), w.CENA_OB, picture, step);
        hint(total, "Цена общая");
        QLabel* wagesPrompt = prompt("?WRK:CENA_TZ:PROMPT", "З/Пл.:", Total + 1);
        Control& wages = ui::addSpin(*window, QStringLiteral("?WRK:CENA_TZ"), w.CENA_TZ, picture, step);
        hint(wages, "Цена");
        QLabel* totalPrompt = prompt("?WRK:CENA_OB:PROMPT", "Общая:", TotalPrompt);
        QLabel* machinesPrompt = prompt("?WRK:EKSPLM:PROMPT", "Эксплуатация машин:", TotalPrompt + 1);
        Control& machines = ui::addSpin(*window, QStringLiteral("?WRK:EKSPLM"), w.EKSPLM, picture, step);
        hint(machines, "Эксплуатация машин");
        QLabel* machinistsPrompt = prompt("?WRK:ZARPLM:PROMPT", "Зар.Пл.Машиниста:", TotalPrompt + 3);
        Control& machinists = ui::addSpin(*window, QStringLiteral("?WRK:ZARPLM"), w.ZARPLM, picture, step);
        hint(machinists, "Зар.Пл.Машиниста");
        const std::pair<QLabel*, Control*> priceRows[] = {
            {totalPrompt, &total}, {wagesPrompt, &wages}, {machinesPrompt, &machines}, {machinistsPrompt, &machinists}};
        for (int i = 0; i < 4; ++i) {
            auto [label, control] = priceRows[i];
            label->setBuddy(control->widget());
            prices->addWidget(label, i / 2, (i % 2) * 2);
            prices->addWidget(control->widget(), i / 2, (i % 2) * 2 + 1);
        }
        grid->addWidget(box, 4, 0, 1, 5);

        ui::layOutForm(*window, sheet, {Ok, Cancel});
    }

    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void UpdateRaszenki()
{
    RateForm form;
    form.Run();
}
