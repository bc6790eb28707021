#include "estimate/headers/update_headers.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/headers/header_priming.h"
#include "platform/core/message.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/form_buttons.h"
#include "platform/ui/windows/number_entry.h"
#include "platform/ui/windows/prompt.h"
#include "platform/ui/windows/text_box.h"
#include "platform/ui/windows/window_manager.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using records::Level;
using ui::Control;
namespace CREATE = ui::CREATE;

enum : int { Sheet = 1, Number = 3, Ok = 68, Cancel = 69 };

void setHint(Control& c, const QString& tip, const QString& status)
{
    c.widget()->setToolTip(tip);
    c.widget()->setStatusTip(status);
}

class HeaderForm : public ui::WindowManager {
public:
    HeaderForm() : WindowManager(QStringLiteral("UpdateHeaders")) {}

    Level Init() override
    {
        WindowManager::Init();
        build();
        FIRSTFIELD = Number;
        AddFile(Access(FileId::Headers));
        CANCELCONTROL = Cancel;
        AddButton(Cancel, ui::RESPONSE::Cancelled);
        Relate(FileId::Headers).Open();
        opened_ = true;
        PRIMARY = &Relate(FileId::Headers);
        OKCONTROL = Ok;
        if (!PrimeUpdate()) return Level::Notify;  // a delete ends here, without the window
        Open();
        wheel_.Attach(*window);
        RestoreWindow();
        if (REQUEST == ui::REQUEST::InsertRecord)
            window->setTitle(QStringLiteral("Запись будет ДОБАВЛЕНА") + QStringLiteral("  (Новая)"));
        else if (REQUEST == ui::REQUEST::ChangeRecord)
            window->setTitle(QStringLiteral("Запись будет ИЗМЕНЕНА") + QStringLiteral("  (") +
                             QStringLiteral("Сметные коэффициенты") + QStringLiteral(")"));
        Reset();
        if (Control* first = window->control(FIRSTFIELD)) first->select();
        return Level::Benign;
    }

    Level PrimeFields() override
    {
        if (!PrimeNewHeader())
            Message(QStringLiteral("Коэффициент удорожания по умолчанию слишком велик и не перенесён в смету."),
                    QStringLiteral("Смета"), MessageIcon::Information);
        return Level::Benign;
    }

    Level TakeCompleted() override
    {
        Update();
        // an estimate numbered 0 would be left out of the number order and never be shown
        if (DFL().NUMBER < 1) {
            Message(QStringLiteral("Номер смеры не может быть равен нулю!"), QStringLiteral("Error"),
                    MessageIcon::Information);
            window->control(Number)->select();
            return Level::Notify;
        }
        NumSmeta = DFL().NUMBER;
        Reset();
        return WindowManager::TakeCompleted();
    }

    Level Kill() override
    {
        if (opened_) Relate(FileId::Headers).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    // A prompt and its control, numbered as the form's code numbers them.
    Control& row(QFormLayout* form, int number, const char* prompt, Control& c, const char* hint)
    {
        Control& p = ui::addPrompt(*window, c.name() + QStringLiteral(":Prompt"), QString::fromUtf8(prompt), c, number);
        form->addRow(p.widget(), c.widget());
        setHint(c, QString::fromUtf8(hint), QString::fromUtf8(hint));
        return c;
    }
    template <std::size_t N>
    Control& entry(const char* name, FixedString<N>& field, int number)
    {
        Control& c = window->add(CREATE::Entry, QString::fromUtf8(name), ui::newEntry(int(N)), number);
        c.bind(field);
        return c;
    }
    template <class Field>
    Control& numberEntry(const char* name, Field& field, const char* picture, int number)
    {
        return ui::addNumberEntry(*window, QString::fromUtf8(name), field, QString::fromUtf8(picture), number);
    }
    Control& dateEntry(const char* name, std::int32_t& field, int number)
    {
        Control& c = window->add(CREATE::Entry, QString::fromUtf8(name), ui::newEntry(10), number);
        c.bind(field, QStringLiteral("@D6"));
        return c;
    }
    template <class Field>
    Control& textBox(const char* name, Field& field, int number)
    {
        return ui::addTextBox(*window, QString::fromUtf8(name), field, number);
    }

    // A tab of the sheet; `name` and `number` when the form's code names it.
    QVBoxLayout* tab(QTabWidget* sheet, const char* title, const char* name = nullptr, int number = 0)
    {
        auto* page = new QWidget;
        sheet->addTab(page, QString::fromUtf8(title));
        if (name) window->add(CREATE::Tab, QString::fromUtf8(name), page, number);
        return new QVBoxLayout(page);
    }
    QFormLayout* form(QVBoxLayout* into)
    {
        auto* f = new QFormLayout;
        into->addLayout(f);
        return f;
    }
    QFormLayout* group(QVBoxLayout* into, const char* title, const char* name, int number)
    {
        auto* box = new QGroupBox(QString::fromUtf8(title));
        window->add(CREATE::Group, QString::fromUtf8(name), box, number);
        into->addWidget(box);
        return new QFormLayout(box);
    }

    void build();

    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

void HeaderForm::build()
{
    window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, QStringLiteral("Редактирование сметы"), 360, 230);
    window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
    HeadersRecord& h = DFL();
    auto* sheet = new QTabWidget;
    window->add(CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, Sheet);

    QVBoxLayout* titlePage = tab(sheet, "Заголовок");
    QFormLayout* title = form(titlePage);
    row(title, 2, "Номер:", numberEntry("?DFL:NUMBER", h.NUMBER, "@n_6", Number), "Номер");
    row(title, 4, "Дата:", dateEntry("?DFL:DATEACT", h.DATEACT, 5), "Дата акта");
    row(title, 6, "Наименование:", textBox("?DFL:NAME", h.NAME, 7), "Наименование");
    row(title, 8, "Название объекта:", textBox("?DFL:NAMEOBJECT", h.NAMEOBJECT, 9), "Название объекта");
    row(title, 10, "Основание составления сметы:", entry("?DFL:OSNOV", h.OSNOV, 11), "Основание составления сметы");
    titlePage->addStretch();

    QVBoxLayout* parties = tab(sheet, "Стороны", "?TAB5", 12);
    QFormLayout* contractor = group(parties, "Подрядчик", "?GROUP2", 13);
    row(contractor, 14, "Подрядчик:", entry("?DFL:PODRJADCHI", h.PODRJADCHI, 15), "Подрядчик");
    row(contractor, 16, "Должность подрядчика:", entry("?DFL:POD_DOL", h.POD_DOL, 17), "Должность подрядчика");
    row(contractor, 18, "Ф.И.О.:", entry("?DFL:POD_FIO", h.POD_FIO, 19), "Ф.И.О.");
    QFormLayout* customer = group(parties, "Заказчик", "?GROUP1", 20);
    row(customer, 21, "Заказчик:", entry("?DFL:ZAKAZCHIK", h.ZAKAZCHIK, 22), "Заказчик");
    row(customer, 23, "Должность заказчика:", entry("?DFL:ZAK_DOL", h.ZAK_DOL, 24), "Должность заказчика");
    row(customer, 25, "Ф.И.О.:", entry("?DFL:ZAK_FIO", h.ZAK_FIO, 26), "Ф.И.О.");
    parties->addStretch();

    QVBoxLayout* contract = tab(sheet, "Договор");
    QFormLayout* deal = group(contract, "Договор", "?GROUP3", 27);
    row(deal, 28, "Дата заключения:", dateEntry("?DFL:DATEDOG", h.DATEDOG, 29), "Дата заключения договора");
    row(deal, 30, "Номер:", numberEntry("?DFL:NDOG", h.NDOG, "@N_13B", 31), "Номер Договора");
    Control& total = row(deal, 32, "Итоговая сумма:", numberEntry("?DFL:TOTALSUM", h.TOTALSUM, "@n-17.2B", 33), "");
    setHint(total, QStringLiteral("общая стоимость сметы.\nВычисляется при печати."), QStringLiteral("Общая сумма"));
    QFormLayout* indices = group(contract, "Коэффициенты удорожания", "?GROUP4", 34);
    row(indices, 35, "Материалы:", numberEntry("?DFL:KIND_MAT", h.KIND_MAT, "@n-10.2", 36),
        "Коэффициент индексации мат. ресурсов");
    row(indices, 37, "Зар. плата:", numberEntry("?DFL:KIND_TZ", h.KIND_TZ, "@n-13.2", 38),
        "Коэффициент индексации заработной платы");
    row(indices, 39, "Эксплуатация машин:", numberEntry("?DFL:KIND_EM", h.KIND_EM, "@n-13.2", 40),
        "Коэф. ндексации Эксплуатации машин");
    row(indices, 41, "НДС:", numberEntry("?DFL:KNDS", h.KNDS, "@n-9.4", 42), "НДС");
    contract->addStretch();

    QVBoxLayout* extraPage = tab(sheet, "Доп. накрутки");
    QFormLayout* extra = form(extraPage);
    row(extra, 43, "Стесненность :", numberEntry("?DFL:KSTESN_EM", h.KSTESN_EM, "@n-10.4", 44),
        "Стесненность- Экспл.машин");
    auto* chargesBox = new QGroupBox(QStringLiteral("Дополнительные накрутки и коэффициенты:"));
    auto* charges = new QGridLayout(chargesBox);
    Control& overheads = numberEntry("?DFL:DOPNACH9_1", h.DOPNACH9_1, "@n-13.4", 47);
    setHint(overheads, QStringLiteral("Доп.Коэффициент"), QStringLiteral("Доп.Коэффициент"));
    // the prompt is named after charge 1, yet labels the overheads rate
    Control& overheadsPrompt = ui::addPrompt(*window, QStringLiteral("?DFL:DOPNACH1:PROMPT"),
                                             QStringLiteral("Накладные расходы  (считается от  З/ПЛ) :"), overheads, 45);
    window->add(CREATE::Group, QStringLiteral("?GROUP5"), chargesBox, 46);
    charges->addWidget(overheadsPrompt.widget(), 0, 0);
    charges->addWidget(overheads.widget(), 0, 1);
    const std::pair<FixedString<30>*, DecimalField<11, 4>*> chargeFields[] = {
        {&h.CDOPNACH1, &h.DOPNACH1}, {&h.CDOPNACH2, &h.DOPNACH2}, {&h.CDOPNACH3, &h.DOPNACH3},
        {&h.CDOPNACH4, &h.DOPNACH4}, {&h.CDOPNACH5, &h.DOPNACH5}, {&h.CDOPNACH6, &h.DOPNACH6},
        {&h.CDOPNACH7, &h.DOPNACH7}, {&h.CDOPNACH8, &h.DOPNACH8}, {&h.CDOPNACH9, &h.DOPNACH9}};
    for (int n = 1; n <= 9; ++n) {
        const auto& [name, rate] = chargeFields[n - 1];
        Control& nameControl = window->add(CREATE::Entry, QStringLiteral("?DFL:CDOPNACH%1").arg(n), ui::newEntry(30),
                                           46 + 2 * n);
        nameControl.bind(*name);
        Control& rateControl = ui::addNumberEntry(*window, QStringLiteral("?DFL:DOPNACH%1").arg(n), *rate,
                                                  QStringLiteral("@n-13.4"), 47 + 2 * n);
        setHint(rateControl, QStringLiteral("Доп.Коэффициент"), QStringLiteral("Доп.Коэффициент"));
        charges->addWidget(nameControl.widget(), n, 0);
        charges->addWidget(rateControl.widget(), n, 1);
    }
    charges->setColumnStretch(0, 1);
    extraPage->addWidget(chargesBox);
    extraPage->addStretch();

    QVBoxLayout* notes = tab(sheet, "Примечания", "?TAB4", 66);
    notes->addWidget(textBox("?DFL:PRIMECHANIE", h.Primechanie, 67).widget());

    ui::layOutForm(*window, sheet, {Ok, Cancel});
}

}  // namespace

void UpdateHeaders()
{
    HeaderForm form;
    form.Run();
}
