#include "estimate/sections/update_groups_wks.h"

#include "data/thread_data.h"
#include "estimate/sections/section_rules.h"
#include "platform/core/message.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/control_colors.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/form_buttons.h"
#include "platform/ui/windows/number_entry.h"
#include "platform/ui/windows/prompt.h"
#include "platform/ui/windows/window_manager.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using records::Level;
using records::Msg;
using ui::Control;
namespace CREATE = ui::CREATE;

enum : int { Sheet = 1, Name = 3, Estimate = 5, Number = 7, Ok = 8, Cancel = 9 };

class SectionForm : public ui::WindowManager {
public:
    SectionForm() : WindowManager(QStringLiteral("UpdateGroupsWks")) {}

    Level Init() override
    {
        WindowManager::Init();
        build();
        FIRSTFIELD = Name;
        AddFile(Access(FileId::GroupsWks));
        CANCELCONTROL = Cancel;
        AddButton(Cancel, ui::RESPONSE::Cancelled);
        Relate(FileId::GroupsWks).Open();
        opened_ = true;
        PRIMARY = &Relate(FileId::GroupsWks);
        OKCONTROL = Ok;
        if (!PrimeUpdate()) return Level::Notify;  // a delete ends here, without the window
        Open();
        wheel_.Attach(*window);
        RestoreWindow();
        if (REQUEST == ui::REQUEST::InsertRecord)
            window->setTitle(QStringLiteral("Добавление раздела в смете"));
        else if (REQUEST == ui::REQUEST::ChangeRecord)
            window->setTitle(QStringLiteral("Изменение раздела в смете"));
        Reset();
        window->control(FIRSTFIELD)->select();
        return Level::Benign;
    }

    Level PrimeFields() override
    {
        GRO().ITOGOONGROUP = Decimal();
        return Level::Benign;
    }

    Level TakeCompleted() override
    {
        Update();
        if (!acceptable()) return Level::Notify;
        return WindowManager::TakeCompleted();
    }

    Level WriteBack() override
    {
        bool began = false;
        if (WriteSectionWithLines(SectionWrite::Update, began) == records::kNoError) return Level::Benign;
        report(began ? Msg::PutFailed : Msg::LogoutFailed);
        return Level::Notify;
    }

    Level DeletePrimary(bool ask) override
    {
        if (ask && !report(Msg::ConfirmDelete)) return Level::Cancel;
        for (;;) {
            bool began = false;
            if (WriteSectionWithLines(SectionWrite::Delete, began) == records::kNoError) return Level::Benign;
            if (!began) {
                report(Msg::LogoutFailed);
                return Level::Notify;
            }
            report(Msg::DeleteFailed);
            if (!report(Msg::RetryDelete)) return Level::Notify;
        }
    }

    Level Kill() override
    {
        if (opened_) Relate(FileId::GroupsWks).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    bool report(Msg message)
    {
        records::FileManager& me = PRIMARY->ME;
        return me.ERRORS->report(message, me.FILENAMEVALUE, me.lastErrorText());
    }

    // A refused section says why and puts the focus on the number to mend.
    bool acceptable()
    {
        const auto& before = *reinterpret_cast<const GroupsWksRecord*>(SAVED.data());
        const SectionProblem problem = CheckSection(GRO(), before, REQUEST == ui::REQUEST::InsertRecord,
                                                    PRIMARY->ME.file().position());
        QString text;
        int control = Number;
        switch (problem) {
        case SectionProblem::None: return true;
        case SectionProblem::NumberOutOfRange: text = QStringLiteral("Номер раздела должен быть от 0 до 255."); break;
        case SectionProblem::NumberTaken: text = QStringLiteral("В смете уже есть раздел с таким номером."); break;
        case SectionProblem::NoEstimate:
            text = QStringLiteral("Сметы с таким номером нет.");
            control = Estimate;
            break;
        }
        Message(text, QStringLiteral("Смета"), MessageIcon::Information);
        window->control(control)->select();
        return false;
    }

    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, QStringLiteral("Редактирование Группы работ"), 260, 90);
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        GroupsWksRecord& g = GRO();
        auto* sheet = new QTabWidget;
        window->add(CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, Sheet);
        auto* page = new QWidget;
        sheet->addTab(page, QStringLiteral("Главное"));
        auto* form = new QFormLayout(page);

        Control& name = window->add(CREATE::Entry, QStringLiteral("?GRO:NAME"), ui::newEntry(80), Name);
        name.bind(g.NAME);
        Control& estimate = ui::addNumberEntry(*window, QStringLiteral("?GRO:NUMSMET"), g.NUMSMET, QStringLiteral("@N_6"), Estimate);
        Control& number =
            ui::addNumberEntry(*window, QStringLiteral("?GRO:NUMINSMETA"), g.NUMINSMETA, QStringLiteral("@n_3"), Number);
        const struct {
            Control& control;
            const char* prompt;
            const char* hint;
        } rows[] = {{name, "&Наименование раздела:", "Наименование"},
                    {estimate, "&Номер Сметы:", "Номер Сметы"},
                    {number, "&Номер раздела в смете:", "Номер в смете"}};
        for (const auto& r : rows) {
            Control& prompt = ui::addPrompt(*window, r.control.name() + QStringLiteral(":Prompt"),
                                            QString::fromUtf8(r.prompt), r.control, r.control.number() - 1);
            form->addRow(prompt.widget(), r.control.widget());
            r.control.widget()->setToolTip(QString::fromUtf8(r.hint));
            r.control.widget()->setStatusTip(QString::fromUtf8(r.hint));
        }
        for (Control* c : {&estimate, &number}) ui::setBackgroundColor(*c, ui::colorOfRef(0x00C0C0C0));

        ui::layOutForm(*window, sheet, {Ok, Cancel});
    }

    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void UpdateGroupsWks()
{
    SectionForm form;
    form.Run();
}
