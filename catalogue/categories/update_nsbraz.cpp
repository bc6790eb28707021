#include "catalogue/categories/update_nsbraz.h"

#include "catalogue/categories/category_rules.h"
#include "data/thread_data.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/entry.h"
#include "platform/ui/windows/form_buttons.h"
#include "platform/ui/windows/help.h"
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
namespace CREATE = ui::CREATE;

enum : int { Sheet = 1, CodePrompt, Code, NamePrompt, Name, Ok, Cancel, Help };

class CategoryForm : public ui::WindowManager {
public:
    CategoryForm() : WindowManager(QStringLiteral("UpdateNSBRAZ")) {}

    Level Init() override
    {
        WindowManager::Init();
        build();
        FIRSTFIELD = Code;
        AddFile(Access(FileId::NSBRAZ));
        CANCELCONTROL = Cancel;
        AddButton(Cancel, ui::RESPONSE::Cancelled);
        Relate(FileId::NSBRAZ).Open();
        opened_ = true;
        PRIMARY = &Relate(FileId::NSBRAZ);
        OKCONTROL = Ok;
        if (!PrimeUpdate()) return Level::Notify;
        Open();
        wheel_.Attach(*window);
        RestoreWindow();
        if (REQUEST == ui::REQUEST::InsertRecord) window->setTitle(QStringLiteral("Добавление категории"));
        Reset();
        window->control(FIRSTFIELD)->select();
        return Level::Benign;
    }

    Level TakeAccepted() override
    {
        if (FIELD() == Help) ui::showHelpTopic(QStringLiteral("categories"));
        return WindowManager::TakeAccepted();
    }

    // Also when "Сохранение записи" is answered Yes, which completes the form.
    Level TakeCompleted() override
    {
        Update();
        if (CategoryCodeMissing(NSR())) {
            TellCategoryCodeMissing();
            window->control(Code)->select();
            return Level::Notify;
        }
        return WindowManager::TakeCompleted();
    }

    Level Kill() override
    {
        if (opened_) Relate(FileId::NSBRAZ).Close();
        wheel_.Detach();
        SaveWindow();
        return WindowManager::Kill();
    }

private:
    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, QStringLiteral("Категория расценок"), 358, 92);
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        NSBRAZRecord& n = NSR();
        auto* sheet = new QTabWidget;
        window->add(CREATE::Sheet, QStringLiteral("?CURRENTTAB"), sheet, Sheet);
        auto* page = new QWidget;
        sheet->addTab(page, QStringLiteral("Категория"));
        auto* form = new QFormLayout(page);
        const struct {
            const char* name;
            const char* prompt;
            const char* hint;
            int width, number;
        } rows[] = {{"?NSR:KEY_ROOT", "№ п.п.:", "Главный ключ", 8, Code},
                    {"?NSR:NAME", "Наименование:", "Нименование", 120, Name}};
        for (const auto& r : rows) {
            ui::Control& c = window->add(CREATE::Entry, QString::fromUtf8(r.name), ui::newEntry(r.width), r.number);
            if (r.number == Code)
                c.bind(n.KEY_ROOT);
            else
                c.bind(n.NAME);
            c.widget()->setToolTip(QString::fromUtf8(r.hint));
            c.widget()->setStatusTip(QString::fromUtf8(r.hint));
            ui::Control& prompt = ui::addPrompt(*window, c.name() + QStringLiteral(":PROMPT"), QString::fromUtf8(r.prompt),
                                                c, r.number - 1);
            form->addRow(prompt.widget(), c.widget());
        }

        ui::layOutForm(*window, sheet, {Ok, Cancel, Help});
    }

    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void UpdateNSBRAZ()
{
    CategoryForm form;
    form.Run();
}
