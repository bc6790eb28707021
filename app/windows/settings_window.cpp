#include "app/windows/settings_window.h"

#include "data/globals.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/spin_box.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using ui::Control;
using ui::Level;
namespace CREATE = ui::CREATE;

namespace {

const QString kIndexPicture = QStringLiteral("@n-11.3");
const QString kChargePicture = QStringLiteral("@n-13.4");
const Decimal kIndexStep = 1;
const Decimal kChargeStep = Decimal::fromScaled(1, 2);

void setHint(Control& c, const QString& toolTip, const QString& statusTip)
{
    c.widget()->setToolTip(toolTip);
    c.widget()->setStatusTip(statusTip);
}

void setHint(Control& c, const QString& hint) { setHint(c, hint, hint); }

// A group of prompted rows on a tab.
class PromptedGroup {
public:
    PromptedGroup(ui::Window& window, QVBoxLayout* tab, const QString& title, const QString& name) : window_(window)
    {
        auto* group = new QGroupBox(title);
        window.add(CREATE::Group, name, group);
        form_ = new QFormLayout(group);
        tab->addWidget(group);
    }

    // The prompt is registered as the control's prompt; its accelerator gives the control the focus.
    Control& row(const QString& prompt, Control& c)
    {
        auto* label = new QLabel(prompt);
        label->setBuddy(c.widget());
        window_.add(CREATE::Prompt, c.name() + QStringLiteral(":Prompt"), label);
        form_->addRow(label, c.widget());
        return c;
    }

private:
    ui::Window& window_;
    QFormLayout* form_;
};

}  // namespace

void ShwNaz()
{
    SettingsWindow().Run();
}

SettingsWindow::SettingsWindow() : WindowManager(QStringLiteral("ShwNaz")) {}

Level SettingsWindow::Init()
{
    WindowManager::Init();
    window = std::make_unique<ui::Window>(ui::WindowKind::MdiChild, QStringLiteral("Установки программы"), 229, 233);
    window->setIcon(QStringLiteral(":/icons/sme.png"));
    window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));

    auto* sheet = new QTabWidget;
    window->add(CREATE::Sheet, QStringLiteral("?SHEET1"), sheet);
    auto addTab = [&](int number, const QString& title) {
        auto* tab = new QWidget;
        sheet->addTab(tab, title);
        window->add(CREATE::Tab, QStringLiteral("?TAB%1").arg(number), tab);
        return new QVBoxLayout(tab);
    };
    buildFirmTab(addTab(1, QStringLiteral("&Организация")));
    buildIndexTab(addTab(2, QStringLiteral("&Индексы удорожания")));
    buildChargesTab(addTab(3, QStringLiteral("&Налоги и наценки")));
    buildExportTab(addTab(4, QStringLiteral("Импорт/ Экспорт")));

    auto* close = new QPushButton(QIcon(QStringLiteral(":/icons/wizok.png")), QStringLiteral("Закрыть"));
    const int closeControl = window->add(CREATE::Button, QStringLiteral("?CLOSE"), close).number();
    // Under the select request the button cancels; otherwise it completes.
    if (REQUEST == ui::REQUEST::SelectRecord) {
        CANCELCONTROL = closeControl;
        AddButton(closeControl, ui::RESPONSE::Cancelled);
    } else {
        OKCONTROL = closeControl;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(window->content());
    layout->addWidget(sheet);
    layout->addLayout(buttons);
    window->setResizable(false);

    window->displayAll();
    Open();
    wheel_.Attach(*window);
    RestoreWindow();
    return Level::Benign;
}

Level SettingsWindow::Kill()
{
    wheel_.Detach();
    SaveWindow();
    return WindowManager::Kill();
}

void SettingsWindow::buildFirmTab(QVBoxLayout* layout)
{
    ui::Window& w = *window;
    PromptedGroup group(w, layout, QStringLiteral("Реквизиты"), QStringLiteral("?GROUP1"));
    group.row(QStringLiteral("Назв. О&рганизации:"), ui::addEntry(w, QStringLiteral("?FIRMNAME"), FirmName));
    group.row(QStringLiteral("&Директор:"), ui::addEntry(w, QStringLiteral("?DIRECTOR"), Director));
    group.row(QStringLiteral("&Адрес:"), ui::addEntry(w, QStringLiteral("?FIRMADDRESS"), FirmAddress));
    group.row(QStringLiteral("&Телефоны"), ui::addEntry(w, QStringLiteral("?FIRMPHONE"), FirmPhone));
    layout->addStretch();
}

void SettingsWindow::buildIndexTab(QVBoxLayout* layout)
{
    ui::Window& w = *window;
    PromptedGroup group(w, layout, QStringLiteral("Индексы удорожания"), QStringLiteral("?GROUP2"));
    group.row(QStringLiteral("на &Материалы:"),
              ui::addSpin(w, QStringLiteral("?GLO:MATERCOEFF"), GLO::MaterCoeff, kIndexPicture, kIndexStep));
    group.row(QStringLiteral("на &Заработную плату:"),
              ui::addSpin(w, QStringLiteral("?GLO:ZARPCOEFF"), GLO::ZarpCoeff, kIndexPicture, kIndexStep));
    group.row(QStringLiteral("на &Эксплуатацию машин:"),
              ui::addSpin(w, QStringLiteral("?GLO:ZARPMASHCOEFF"), GLO::ZarpMashCoeff, kIndexPicture, kIndexStep));
    layout->addStretch();
}

void SettingsWindow::buildChargesTab(QVBoxLayout* layout)
{
    ui::Window& w = *window;
    auto* group = new QGroupBox(QStringLiteral("Коэффициенты по умолчанию"));
    Control& groupControl = w.add(CREATE::Group, QStringLiteral("?GROUP3"), group);
    setHint(groupControl,
            QStringLiteral("Если значение какого-либо коэффициента\n"
                           "равно 0, то он в смете не отображается и в\n"
                           "вычислениях не участвует"),
            QStringLiteral("Если значение какого-либо коэффициента "
                           "равно 0, то он в смете не отображается и в "
                           "вычислениях не участвует"));
    auto* rows = new QGridLayout(group);
    rows->setColumnStretch(0, 1);
    // Row n pairs the name of charge n with its rate; the tenth elements have no row.
    for (int n = 1; n <= 9; ++n) {
        Control& name = ui::addEntry(w, QStringLiteral("?GLO:NAKRUTKINAME_%1").arg(n), GLO::NakrutkiName[n]);
        const QString rateName = n == 1 ? QStringLiteral("?GLO:NAKRUTKI_1") : QStringLiteral("?GLO:NAKRUTKI_1:%1").arg(n);
        Control& rate = ui::addSpin(w, rateName, GLO::Nakrutki[n], kChargePicture, kChargeStep);
        rows->addWidget(name.widget(), n - 1, 0);
        rows->addWidget(rate.widget(), n - 1, 1);
    }
    layout->addWidget(group);
    layout->addStretch();
}

void SettingsWindow::buildExportTab(QVBoxLayout* layout)
{
    ui::Window& w = *window;
    PromptedGroup xml(w, layout, QStringLiteral("&XML/HTML экспорт"), QStringLiteral("?GROUP4"));
    setHint(xml.row(QStringLiteral("XML файл:"), ui::addEntry(w, QStringLiteral("?PREF:XMLFILENAME"), PREF::XMLFileName)),
            QStringLiteral("имя XML файла для экспорта"));
    setHint(xml.row(QStringLiteral("XML процессор"), ui::addEntry(w, QStringLiteral("?PREF:XMLPROCESSOR"), PREF::XMLprocessor)),
            QStringLiteral("XML процессор"));
    PromptedGroup xsl(w, layout, QStringLiteral("XSL файлы"), QStringLiteral("?GROUP5"));
    setHint(xsl.row(QStringLiteral("для 11-графки:"), ui::addEntry(w, QStringLiteral("?PREF:XSL11FILE"), PREF::XSL11file)),
            QStringLiteral("XSL файл для 11-графки"));
    setHint(xsl.row(QStringLiteral("для 7 - графки:"), ui::addEntry(w, QStringLiteral("?PREF:XSL7FILE"), PREF::XSL7file)),
            QStringLiteral("XSL файл для 7 - графки"));
    setHint(xsl.row(QStringLiteral("для Акта (11 - граф):"),
                    ui::addEntry(w, QStringLiteral("?PREF:XSLA11FILE"), PREF::XSLA11file)),
            QStringLiteral("XSL файл для акта (11 граф)"));
    setHint(xsl.row(QStringLiteral("в АРПС 1.1:"), ui::addEntry(w, QStringLiteral("?PREF:XSLARPS"), PREF::XSLARPS)),
            QStringLiteral("XSL для экспорта в АРПС 1.1."));
    setHint(xsl.row(QStringLiteral("для Акта (7 - граф):"), ui::addEntry(w, QStringLiteral("?PREF:XSLA7FILE"), PREF::XSLA7file)),
            QStringLiteral("XSL файл для акта (7 - граф)"), QStringLiteral("XSL файл для акта (7 граф)"));
    layout->addStretch();
}
