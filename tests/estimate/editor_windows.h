#pragma once
// The estimate editor driven offscreen: the estimate list and the three forms are stand-ins
// registered under their names (the list chooses the estimate a test sets; a form does what
// its request asks with the record in the buffer, after the test's own changes to it), the
// reports and exports record what they were started or called with.

#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/editor/current_smeta.h"
#include "platform/ui/controls/tree_list.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/window_manager.h"
#include "tests/support/called_window.h"
#include "tests/support/test_threads.h"

#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <string>
#include <vector>

namespace test {

// Controls of the editor.
enum EditorControl {
    kPrint11 = 3, kPrint7 = 4, kPrintDos = 7, kToExcel = 9, kToHtml11 = 10, kAkt = 14, kTree = 15,
    kPrintButton = 17, kAktButton = 18, kDown = 19, kUp = 20, kExpand = 21, kContract = 22, kClose = 23,
    kInsert = 24, kChange = 25, kDelete = 26,
};

struct FormCall {
    std::string form;
    int request;
    bool operator==(const FormCall&) const = default;
};
inline void PrintTo(const FormCall& c, std::ostream* os) { *os << c.form << "(" << c.request << ")"; }

struct OutputCall {
    std::string procedure;
    int numSmeta;       // when it started or was called
    QVariantList args;  // what it was called with
};

class EditorWindows : public ThreadsFixture, public CalledWindow {
protected:
    EditorWindows()
    {
        InitProgramGlobals();
        ui::resetDialogScript();
        ui::registerProcedure("SelectSmeta", [this](const ui::ProcedureArgs&) {
            ProcRequest() = 0;
            ProcResponse() = ui::RESPONSE::Cancelled;
            if (choice < 0) return;
            NumSmeta = choice;
            GLO::CurrentSmeta = choice;
            ProcResponse() = ui::RESPONSE::Completed;
        });
        form("UpdateHeaders", FileId::Headers);
        form("UpdateGroupsWks", FileId::GroupsWks);
        form("UpdateWrksInSmt", FileId::WrksInSmt);
        for (const char* started : {"PrintSmeta", "Print7graph", "PrintToTextFile"})
            ui::registerProcedure(started, [this, started](const ui::ProcedureArgs& args) {
                outputs.push_back({started, NumSmeta, args});
            });
        for (const char* called : {"ExportSmetaToExcel", "ExportSmetaToXml"})
            ui::registerProcedure(called, [this, called](const ui::ProcedureArgs& args) {
                outputs.push_back({called, NumSmeta, args});
            });
    }
    ~EditorWindows() override
    {
        for (ui::ThreadId t : {thread, second})
            for (int i = 0; i < 5 && ui::Scheduler::instance().isRunning(t); ++i) {
                ui::post(t, EVENT::CloseWindow);
                waitEnded(t, 1000);
            }
        for (const char* name : {"SelectSmeta", "UpdateHeaders", "UpdateGroupsWks", "UpdateWrksInSmt", "PrintSmeta",
                                 "Print7graph", "PrintToTextFile", "ExportSmetaToExcel", "ExportSmetaToXml"})
            ui::unregisterProcedure(name);
        ui::resetDialogScript();
        InitProgramGlobals();
        CurrentSmetaThread = 0;
    }

    // A stand-in form: it completes by its request unless the test's `onForm` says no.
    void form(const char* name, FileId file)
    {
        ui::registerProcedure(name, [this, name, file](const ui::ProcedureArgs&) {
            const int request = ProcRequest();
            ProcRequest() = 0;
            formCalls.push_back({name, request});
            const bool complete = onForm ? onForm(name, request) : true;
            records::Level done = records::Level::Notify;
            if (request == ui::REQUEST::InsertRecord)
                done = complete ? Access(file).Insert() : (Access(file).CancelPrimed(), records::Level::Notify);
            else if (complete && request == ui::REQUEST::ChangeRecord)
                done = Relate(file).Update();
            else if (complete && request == ui::REQUEST::DeleteRecord)
                done = Relate(file).Delete(false);
            ProcResponse() = done == records::Level::Benign ? ui::RESPONSE::Completed : ui::RESPONSE::Cancelled;
        });
    }

    // --- records
    void addHeader(int number, const char* name)
    {
        addRecords(FileId::Headers, 1, [&](int) {
            DFL().NUMBER = std::int16_t(number);
            DFL().NAME = name;
        });
    }
    void addSection(int estimate, int number)
    {
        addRecords(FileId::GroupsWks, 1, [&](int) {
            GRO().NUMSMET = std::int16_t(estimate);
            GRO().NUMINSMETA = std::int16_t(number);
            GRO().NAME = QString("Раздел %1").arg(number);
        });
    }
    void addLine(int estimate, int section, int number)
    {
        addRecords(FileId::WrksInSmt, 1, [&](int) {
            NSB().CODER = std::int16_t(estimate);
            NSB().GRINSMETA = std::uint8_t(section);
            NSB().NUMINGROUP = std::int16_t(number);
            NSB().NAME = QString("Строка %1.%2").arg(section).arg(number);
        });
    }
    // "estimate/number:name" of the sections, in key order.
    std::vector<std::string> sections()
    {
        std::vector<std::string> out;
        for (const QString& s : stored(FileId::GroupsWks, [] {
                 return QString("%1/%2:%3").arg(GRO().NUMSMET).arg(GRO().NUMINSMETA).arg(GRO().NAME.toQString());
             }))
            out.push_back(s.toStdString());
        return out;
    }
    // "estimate/section/number:name" of the lines, in key order.
    std::vector<std::string> lines()
    {
        std::vector<std::string> out;
        for (const QString& s : stored(FileId::WrksInSmt, [] {
                 return QString("%1/%2/%3:%4").arg(NSB().CODER).arg(NSB().GRINSMETA).arg(NSB().NUMINGROUP).arg(NSB().NAME.toQString());
             }))
            out.push_back(s.toStdString());
        return out;
    }

    // --- the editor
    // Starts an editor whose list chooses `estimate` (-1: the list is cancelled).
    ui::ThreadId startEditor(int estimate)
    {
        choice = estimate;
        const ui::ThreadId t = test::start([] { CurrentSmeta(); });
        return t;
    }
    void openEditor(int estimate)
    {
        thread = startEditor(estimate);
        editor = waitWindowTitled(thread, "Текущая смета");
        ASSERT_TRUE(editor);
        settle();
    }
    ui::TreeList& tree() { return *static_cast<ui::TreeList*>(editor->control(kTree)->widget()); }
    const ui::TreeListModel& model() { return *static_cast<const ui::TreeListModel*>(tree().model()); }
    const ui::TreeQueue& queue() { return *model().queue(); }
    // The text the list shows on a row.
    QString textOf(int row) { return model().text(row); }
    // The rows as (signed level, text without its trailing blanks).
    std::vector<std::pair<int, std::string>> rows()
    {
        std::vector<std::pair<int, std::string>> out;
        for (int i = 0; i < int(queue().size()); ++i) {
            QString t = textOf(i);
            while (t.endsWith(' ')) t.chop(1);
            out.emplace_back(queue()[std::size_t(i)].level, t.toStdString());
        }
        return out;
    }
    // The row whose text holds `text` (-1: none).
    int rowOf(const QString& text)
    {
        for (int i = 0; i < int(queue().size()); ++i)
            if (textOf(i).contains(text)) return i;
        return -1;
    }
    void select(int row)
    {
        tree().setFocus();
        tree().selectRow(row);
        settle();
    }
    QString selectedText() { return tree().selectedRow() < 0 ? QString() : textOf(tree().selectedRow()); }
    // The editor's menu item with that text.
    QAction* menuItem(const QString& text)
    {
        std::function<QAction*(const QList<QAction*>&)> find = [&](const QList<QAction*>& actions) -> QAction* {
            for (QAction* a : actions) {
                if (a->text() == text) return a;
                if (a->menu())
                    if (QAction* in = find(a->menu()->actions())) return in;
            }
            return nullptr;
        };
        QMenuBar* bar = editor->content()->findChild<QMenuBar*>();
        return bar ? find(bar->actions()) : nullptr;
    }
    void choose(const QString& item)
    {
        QAction* a = menuItem(item);
        ASSERT_TRUE(a);
        a->trigger();
        settle();
    }

    int choice = -1;
    std::function<bool(const std::string& form, int request)> onForm;
    std::vector<FormCall> formCalls;
    std::vector<OutputCall> outputs;
    ui::Window* editor = nullptr;
    ui::ThreadId second = 0;
};

}  // namespace test
