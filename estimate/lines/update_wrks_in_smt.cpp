#include "estimate/lines/update_wrks_in_smt.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/act/act_lines.h"
#include "estimate/lines/line_costing.h"
#include "estimate/sections/section_rules.h"
#include "platform/core/message.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/control_colors.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/form_buttons.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/number_entry.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/prompt.h"
#include "platform/ui/windows/spin_box.h"
#include "platform/ui/windows/text_box.h"
#include "platform/ui/windows/window_manager.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using records::Level;
using ui::Control;
namespace CREATE = ui::CREATE;

enum : int {
    CallLookup = 1,
    Sheet = 2,
    Quantity = 4,
    Koeff = 6,
    Recalc = 7,
    Code = 8,
    Estimate = 10,
    Section = 12,
    Line = 14,
    Name = 17,
    Unit = 19,
    ChooseUnit = 20,
    Price = 23,
    Wages = 25,
    Machines = 27,
    Machinists = 29,
    Ok = 39,
    Cancel = 40,
    Help = 41,
};

const QString kRates = QStringLiteral("BrowseRaszenki");
const QString kUnits = QStringLiteral("BrowseEdIzmer");
constexpr int kF5 = KEY::F1 + 4;

using Price7 = DecimalField<7, 2> WrksInSmtRecord::*;

// The controls whose values the amounts follow, and their fields.
Price7 costedField(int control)
{
    switch (control) {
    case Quantity: return &WrksInSmtRecord::CHELCH;
    case Price: return &WrksInSmtRecord::CENA_OB;
    case Wages: return &WrksInSmtRecord::CENA_TZ;
    case Machines: return &WrksInSmtRecord::EKSPLM;
    case Machinists: return &WrksInSmtRecord::ZARPLM;
    default: return nullptr;
    }
}

void info(const char* text) { Message(QString::fromUtf8(text), QStringLiteral("Смета"), MessageIcon::Information); }

class LineForm : public ui::WindowManager {
public:
    LineForm() : WindowManager(QStringLiteral("UpdateWrksInSmt")) {}

    Level Init() override
    {
        WindowManager::Init();
        build();
        FIRSTFIELD = CallLookup;
        CANCELCONTROL = Cancel;
        AddButton(Cancel, ui::RESPONSE::Cancelled);
        AddFile(Access(FileId::WrksInSmt));
        for (FileId f : kFiles) Relate(f).Open();
        opened_ = true;
        PRIMARY = &Relate(FileId::WrksInSmt);
        INSERTACTION = 4;
        CHANGEACTION = 2;
        OKCONTROL = Ok;
        if (!PrimeUpdate()) return Level::Notify;  // a delete (or a refused priming) ends here
        Open();
        wheel_.Attach(*window);
        RestoreWindow();
        window->alertKey(kF5);
        if (REQUEST == ui::REQUEST::InsertRecord)
            window->setTitle(QStringLiteral("Добавление работы в смете"));
        else if (REQUEST == ui::REQUEST::ChangeRecord)
            window->setTitle(QStringLiteral("Изменение работы в смете"));
        if (!ui::hasProcedure(kRates)) window->control(CallLookup)->disable();
        Reset();
        window->control(FIRSTFIELD)->select();
        return Level::Benign;
    }

    Level PrimeFields() override
    {
        WrksInSmtRecord& line = NSB();
        // A line already numbered and reserved (by the editor, or for the next line after a
        // stored one) keeps its estimate and section: it is already filed under them.
        if (!PRIMARY->ME.AUTOINCDONE) {
            const std::int16_t section = GRO().NUMINSMETA;
            if (section < 0 || section > 255) {
                info("Номер раздела должен быть от 0 до 255.");
                RESPONSE = ui::RESPONSE::Cancelled;
                return Level::Notify;
            }
            line.GRINSMETA = std::uint8_t(section);
        }
        line.CHELCH = Decimal();
        koeff_ = Decimal(1);
        if (!PRIMARY->ME.AUTOINCDONE) line.CODER = std::int16_t(GLO::CurrentSmeta);
        return Level::Benign;
    }

    Level TakeEvent() override
    {
        // An acceptance refused just before OK, by the same press, keeps the form open.
        if (EVENT() == EVENT::Accepted && FIELD() == Ok && refused_) {
            refused_ = false;
            return Level::Benign;
        }
        if (EVENT() == EVENT::AlertKey && KEYCODE() == kF5) {
            static_cast<QPushButton*>(window->control(Recalc)->widget())->click();
            return Level::Benign;
        }
        const Level l = WindowManager::TakeEvent();
        if (!window->hasEvents()) refused_ = false;
        return l;
    }

    Level TakeNewSelection() override
    {
        // a spin's step: the amounts follow the stepped value
        Control* c = window->control(FIELD());
        if (c && c->type() == CREATE::Spin) {
            c->update();
            if (costedField(FIELD())) cost(FIELD());
        }
        return Level::Benign;
    }

    Level TakeAccepted() override
    {
        // the amounts first, before the window layer's handling
        const int field = FIELD();
        if (field == Recalc) {
            window->control(Koeff)->update();
            change([this] { return RecalculateLine(NSB(), koeff_); });
        } else if (costedField(field)) {
            cost(field);
        }
        const Level l = WindowManager::TakeAccepted();
        switch (field) {
        case CallLookup: takeRate(); break;
        case ChooseUnit: takeUnit(); break;
        case Code: Reset(true); break;
        case Ok: Update(); break;
        case Help: ui::showHelpTopic(QStringLiteral("UpdateWrksInSmt")); break;
        default: break;
        }
        return l;
    }

    Level TakeCompleted() override
    {
        Update();
        if (!sectionFound()) {
            info("В смете нет раздела с таким номером.");
            window->control(Section)->select();
            return Level::Notify;
        }
        return WindowManager::TakeCompleted();
    }

    // The act quantity is the act window's: a fill or an act edit made while the form is open
    // survives its OK.
    Level WriteBack() override { return PRIMARY->Update(KeepStoredAct); }

    void Reset(bool force = false) override
    {
        WindowManager::Reset(force);
        shown_ = NSB();
    }

    void CallProcedure(int number) override
    {
        if (!ui::callProcedure(number == CallLookup ? kRates : kUnits)) ProcRequest() = 0;
    }

    Level Kill() override
    {
        if (opened_)
            for (FileId f : kFiles) Relate(f).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    static constexpr FileId kFiles[] = {FileId::EdIzmer, FileId::Raszenki, FileId::WrksInSmt, FileId::GroupsWks};

    // The amounts after one of their controls changed; refused, the control shows its value
    // from before the change again.
    void cost(int control)
    {
        if (change([] { return CostLine(NSB()); })) return;
        const Price7 field = costedField(control);
        NSB().*field = shown_.*field;
        window->control(control)->display();
    }

    // A change that leads to the amounts, applied whole or refused with its message.
    template <class Apply>
    bool change(Apply apply)
    {
        if (!apply()) {
            info("Стоимость не помещается в поле. Изменение не принято.");
            refused_ = true;
            return false;
        }
        Reset();
        return true;
    }

    void takeRate()
    {
        Update();
        const std::uint8_t answer = RunProcedure(CallLookup, ui::REQUEST::SelectRecord);
        Reset(true);
        window->control(Quantity)->select();
        // a catalogue closed without a choice leaves the line as it was
        if (answer != ui::RESPONSE::Completed) return;
        WrksInSmtRecord& line = NSB();
        const WrksInSmtRecord before = line;
        const RaszenkiRecord& rate = WRK();
        line.NRAS = rate.NRAS;
        line.NAME = rate.NAME;
        line.EDIZM = rate.EDIZM;
        line.CENA_OB = rate.CENA_OB;
        line.CENA_TZ = rate.CENA_TZ;
        line.EKSPLM = rate.EKSPLM;
        line.ZARPLM = rate.ZARPLM;
        line.CENA_M = rate.CENA_M;
        if (!change([] { return CostLine(NSB()); })) NSB() = before;
        Reset();
    }

    void takeUnit()
    {
        Update();
        const std::uint8_t answer = RunProcedure(ChooseUnit, ui::REQUEST::SelectRecord);
        Reset(true);
        if (answer == ui::RESPONSE::Completed) NSB().EDIZM = EDI().EDIZM;
        Reset();
        window->control(Unit)->select();  // the user goes on from the unit, not from the button
    }

    // A new line, or one moved to other numbers, goes only where its estimate has that section.
    bool sectionFound() const
    {
        const WrksInSmtRecord& line = NSB();
        const auto& before = *reinterpret_cast<const WrksInSmtRecord*>(SAVED.data());
        const bool moved = line.CODER != before.CODER || line.GRINSMETA != before.GRINSMETA;
        if (REQUEST != ui::REQUEST::InsertRecord && !moved) return true;
        return SectionExists(line.CODER, line.GRINSMETA);
    }

    void build();

    DecimalField<11, 4> koeff_;
    WrksInSmtRecord shown_;  // the line as the window last showed it
    bool refused_ = false;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

void setHint(Control& c, const QString& tip, const QString& status)
{
    c.widget()->setToolTip(tip);
    c.widget()->setStatusTip(status);
}

void LineForm::build()
{
    window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, QStringLiteral("Работа в смете"), 330, 250);
    window->setIcon(QStringLiteral(":/icons/insert.png"));
    window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
    ui::Window& w = *window;
    WrksInSmtRecord& l = NSB();

    auto* lookup = new QPushButton(QStringLiteral("Справочник"));
    lookup->setCursor(Qt::PointingHandCursor);
    w.add(CREATE::Button, QStringLiteral("?CALLLOOKUP:2"), lookup, CallLookup);
    auto* sheet = new QTabWidget;
    w.add(CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, Sheet);
    auto* page = new QWidget;
    sheet->addTab(page, QStringLiteral("Расчет стоимости"));
    auto* grid = new QGridLayout(page);

    // a control and its prompt on a row of the grid
    auto place = [&](Control& c, int promptNumber, const char* prompt, const char* hint, int row, int column,
                     int span = 1) {
        Control& p = ui::addPrompt(w, c.name() + QStringLiteral(":PROMPT"), QString::fromUtf8(prompt), c, promptNumber);
        grid->addWidget(p.widget(), row, column);
        grid->addWidget(c.widget(), row, column + 1, 1, span);
        if (*hint) setHint(c, QString::fromUtf8(hint), QString::fromUtf8(hint));
    };
    const Decimal one(1);
    Control& quantity = ui::addSpin(w, QStringLiteral("?NSB:CHELCH"), l.CHELCH, QStringLiteral("@n-10.2"), one, Quantity);
    place(quantity, 3, "Количество:", "Количество Работы", 0, 0);
    Control& koeff = ui::addSpin(w, QStringLiteral("?KOEFF"), koeff_, QStringLiteral("@n-13.4"), Decimal::fromScaled(1, 2), Koeff);
    place(koeff, 5, "С коэффициентом:", "", 0, 2);
    auto* recalc = new QPushButton(QStringLiteral("Счет"));
    Control& recalcControl = w.add(CREATE::Button, QStringLiteral("?BUTTON6"), recalc, Recalc);
    setHint(recalcControl,
            QStringLiteral("F5 - (Recalc)\nрасценка умножится на коэффициент, \nданные пересчитаются, и Вы можете \n"
                           "ввести ещё один коэфициент"),
            QStringLiteral("Пересчет"));
    grid->addWidget(recalc, 0, 4);

    Control& estimate = ui::addNumberEntry(w, QStringLiteral("?NSB:CODER"), l.CODER, QStringLiteral("@n-_6"), Estimate);
    place(estimate, 9, "Номер Сметы:", "Номер Сметы", 1, 0);
    Control& section = ui::addNumberEntry(w, QStringLiteral("?NSB:GRINSMETA"), l.GRINSMETA, QStringLiteral("@n_3"), Section);
    place(section, 11, "Группа в смете:", "Группа в смете", 1, 2);
    Control& line = ui::addNumberEntry(w, QStringLiteral("?NSB:NUMINGROUP"), l.NUMINGROUP, QStringLiteral("@n-_6"), Line);
    place(line, 13, "Номер в группе:", "Номер в группе", 2, 0);

    Control& code = w.add(CREATE::Entry, QStringLiteral("?NSB:NRAS"), ui::newEntry(36), Code);
    code.bind(l.NRAS);
    place(code, 15, "Шифр ед. Расценок:", "Шифр Ед", 3, 0);
    Control& name = ui::addTextBox(w, QStringLiteral("?NSB:NAME"), l.NAME, Name);
    place(name, 16, "Наименование работы:", "Наименование работы", 4, 0, 4);
    Control& unit = w.add(CREATE::Entry, QStringLiteral("?NSB:EDIZM"), ui::newEntry(25), Unit);
    unit.bind(l.EDIZM);
    place(unit, 18, "Ед. Измерения:", "Ед. Измерения", 5, 0);
    auto* chooseUnit = new QPushButton(QStringLiteral("Выбрать из списка"));
    w.add(CREATE::Button, QStringLiteral("?BUTTON7"), chooseUnit, ChooseUnit);
    grid->addWidget(chooseUnit, 5, 2);

    // the two groups: unit prices (spins) and line amounts (entries)
    auto group = [&](const char* title, const char* name, int number, int row) {
        auto* box = new QGroupBox(QString::fromUtf8(title));
        w.add(CREATE::Group, QString::fromUtf8(name), box, number);
        grid->addWidget(box, row, 0, 1, 5);
        return new QGridLayout(box);
    };
    auto placeIn = [&](QGridLayout* g, Control& c, int promptNumber, const char* prompt, const char* hint, int i) {
        Control& p = ui::addPrompt(w, c.name() + QStringLiteral(":PROMPT"), QString::fromUtf8(prompt), c, promptNumber);
        g->addWidget(p.widget(), i / 2, (i % 2) * 2);
        g->addWidget(c.widget(), i / 2, (i % 2) * 2 + 1);
        setHint(c, QString::fromUtf8(hint), QString::fromUtf8(hint));
    };
    QGridLayout* unitPrices = group("Стоимость единицы", "?GROUP1", 21, 6);
    const struct {
        const char* name;
        DecimalField<7, 2>& field;
        int number;
        const char *prompt, *hint;
    } prices[] = {{"?NSB:CENA_OB", l.CENA_OB, Price, "Общая:", "Цена общая"},
                  {"?NSB:CENA_TZ", l.CENA_TZ, Wages, "В т.ч. З/Пл.:", "Цена"},
                  {"?NSB:EKSPLM", l.EKSPLM, Machines, "Экспл. машин:", "Эксплуатация машин"},
                  {"?NSB:ZARPLM", l.ZARPLM, Machinists, "В т.ч.Зар.Пл.Маш:", "Зар.Пл.Машиниста"}};
    int i = 0;
    for (const auto& p : prices) {
        Control& c = ui::addSpin(w, QString::fromUtf8(p.name), p.field, QStringLiteral("@n-10.2"), one, p.number);
        placeIn(unitPrices, c, p.number - 1, p.prompt, p.hint, i++);
    }
    QGridLayout* lineAmounts = group("Стоимость общая", "?GROUP2", 30, 7);
    const struct {
        const char* name;
        DecimalField<11, 2>& field;
        const char* picture;
        int number;
        const char *prompt, *hint;
    } amounts[] = {{"?NSB:KCHELCHM", l.KCHELCHM, "@n-15.2", 32, "Всего:", "Общ. Стоимость Всего"},
                   {"?NSB:VOZVRAT", l.VOZVRAT, "@n-15.2", 34, "В т.ч. З/Пл.:", "Об. Ст-ть З/пл."},
                   {"?NSB:ITEXPMASH", l.ITEXPMASH, "@n-15.2", 36, "Итого за машины:", "Итого за машины"},
                   {"?NSB:ITZARPMASH", l.ITZARPMASH, "@n-14.2", 38, "Итого З/П маш.:", "Итого З/П маш."}};
    i = 0;
    for (const auto& a : amounts) {
        Control& c = ui::addNumberEntry(w, QString::fromUtf8(a.name), a.field, QString::fromUtf8(a.picture), a.number);
        placeIn(lineAmounts, c, a.number - 1, a.prompt, a.hint, i++);
        ui::setBackgroundColor(c, QColor(221, 245, 253));
    }

    ui::setTextColor(quantity, QColor(255, 0, 0));
    ui::setBackgroundColor(quantity, QColor(255, 255, 0));
    for (Control* c : {&estimate, &section, &line}) ui::setBackgroundColor(*c, QColor(192, 192, 192));
    for (Control* c : {&code, &name, &unit}) ui::setBackgroundColor(*c, QColor(181, 251, 226));

    ui::layOutForm(w, sheet, {Ok, Cancel, Help, lookup});
}

}  // namespace

void UpdateWrksInSmt()
{
    LineForm form;
    form.Run();
}
