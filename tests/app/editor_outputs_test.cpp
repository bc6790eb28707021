// The estimate editor with the program's own windows: the estimate chosen in the real list, a
// second editor handing over, and the editor's print, text-report and XML items (of the estimate
// and of its act) and its act window reaching the real ones with the editor's own estimate; its
// work-line insert opens the real form.
#include "app/frame/procedures.h"
#include "data/globals.h"
#include "estimate/editor/current_smeta.h"
#include "platform/core/codepage.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/controls/tree_list.h"
#include "platform/ui/report/report_preview.h"
#include "platform/ui/windows/procedures.h"
#include "tests/support/called_window.h"
#include "tests/support/test_threads.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace ui::report;

enum { kListSelect = 2, kTree = 15, kAktButton = 18, kInsert = 24, kFormCancel = 40 };

QString textOf(const PageModel& model)
{
    QString all;
    for (const Page& p : model.pages)
        for (const Item& i : p.items) all += i.text + '\n';
    return all;
}

QString fileText(const char* name, bool dos)
{
    QFile f(QString::fromLatin1(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = f.readAll();
    const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
    return dos ? codepage::fromCp866(view) : codepage::fromCp1251(view);
}

class EditorOutputs : public test::ThreadsFixture {
protected:
    EditorOutputs()
    {
        registerProgramProcedures();
        InitProgramGlobals();
        setPreviewInterceptor([this](const PageModel& m) { preview = m; });
        ui::registerProcedure(QStringLiteral("ShowTextFile"), [this](const ui::ProcedureArgs&) { ++viewers; });
        for (const auto& [number, name] : {std::pair{7, "Ремонт кровли"}, std::pair{9, "Ремонт фасада"}}) {
            addRecords(FileId::Headers, 1, [&](int) {
                DFL().NUMBER = std::int16_t(number);
                DFL().NAME = name;
            });
            addRecords(FileId::GroupsWks, 1, [&](int) {
                GRO().NUMSMET = std::int16_t(number);
                GRO().NUMINSMETA = 1;
                GRO().NAME = "Основные работы";
            });
            addRecords(FileId::WrksInSmt, 1, [&](int) {
                NSB().CODER = std::int16_t(number);
                NSB().GRINSMETA = 1;
                NSB().NUMINGROUP = 1;
                NSB().NAME = QStringLiteral("Работа сметы %1").arg(number);
                NSB().CHELCH.setScaled(100);
                NSB().CENA_OB.setScaled(10000);
                NSB().ONAKT.setScaled(50);
            });
        }
    }
    ~EditorOutputs() override
    {
        for (ui::ThreadId t : {first.thread, second.thread})
            for (int i = 0; i < 5 && ui::Scheduler::instance().isRunning(t); ++i) {
                ui::post(t, EVENT::CloseWindow);
                test::waitEnded(t, 1000);
            }
        EXPECT_TRUE(test::pumpUntil([] { return ui::Scheduler::instance().runningThreads().empty(); }));
        setPreviewInterceptor(nullptr);
        InitProgramGlobals();
    }

    // Starts an editor and chooses the estimate `rowsDown` rows below the first in the real list.
    void start(test::CalledWindow& editor, int rowsDown)
    {
        editor.thread = ui::startProcedure(QStringLiteral("CurrentSmeta"));
        ui::Window* list = test::waitWindowTitled(editor.thread, QStringLiteral("Выберите смету из списка"));
        ASSERT_TRUE(list);
        editor.settle();
        QTableView* view = static_cast<ui::BrowseList*>(list->control(1)->widget())->view();
        for (int i = 0; i < rowsDown; ++i) editor.key(view, Qt::Key_Down);
        editor.press(list, kListSelect);
    }
    void choose(ui::Window* w, const QString& text)
    {
        for (QAction* menu : w->content()->findChild<QMenuBar*>()->actions())
            for (QAction* a : menu->menu() ? menu->menu()->findChildren<QAction*>() : QList<QAction*>{})
                if (a->text() == text) {
                    a->trigger();
                    first.settle();
                    return;
                }
        ADD_FAILURE() << "no item " << text.toStdString();
    }

    // The open window of the thread running that procedure, if any.
    static ui::Window* windowOf(const char* procedure)
    {
        ui::Scheduler& scheduler = ui::Scheduler::instance();
        for (ui::ThreadId id : scheduler.runningThreads()) {
            ui::LogicalThread* t = scheduler.find(id);
            if (t && t->hasState() && t->state().procedureName == QString::fromLatin1(procedure) && t->topWindow() &&
                t->topWindow()->isOpen())
                return t->topWindow();
        }
        return nullptr;
    }

    test::CalledWindow first, second;
    std::optional<PageModel> preview;
    int viewers = 0;
};

TEST_F(EditorOutputs, TheEditorsItemsReachTheOutputsWithItsOwnEstimateAfterAHandOver)
{
    start(first, 0);
    ui::Window* editor = test::waitWindowTitled(first.thread, QStringLiteral("Текущая смета"));
    ASSERT_TRUE(editor);
    first.settle();
    EXPECT_EQ(NumSmeta, 7);
    start(second, 1);
    ASSERT_TRUE(second.ended());
    EXPECT_EQ(NumSmeta, 9);  // the second editor's choice, before it handed over
    EXPECT_EQ(GLO::CurrentSmeta, 0);

    choose(editor, QStringLiteral("&11-графка"));
    ASSERT_TRUE(test::pumpUntil([&] { return preview.has_value(); }, 20000));
    EXPECT_TRUE(textOf(*preview).contains(QStringLiteral("Ремонт кровли")));
    EXPECT_FALSE(textOf(*preview).contains(QStringLiteral("Ремонт фасада")));

    preview.reset();
    choose(editor, QStringLiteral("Акт 7 граф"));
    ASSERT_TRUE(test::pumpUntil([&] { return preview.has_value(); }, 20000));
    EXPECT_TRUE(textOf(*preview).contains(QStringLiteral("Ремонт кровли")));
    EXPECT_FALSE(textOf(*preview).contains(QStringLiteral("Ремонт фасада")));

    for (const char* item : {"в &HTML - 11 граф ", "в &HTML - Акт 11 граф"}) {
        SCOPED_TRACE(item);
        QFile::remove(QStringLiteral("smeta.xml"));
        choose(editor, QString::fromUtf8(item));
        const QString xml = fileText("smeta.xml", false);
        EXPECT_TRUE(xml.contains(QStringLiteral("Работа сметы 7")));
        EXPECT_FALSE(xml.contains(QStringLiteral("Работа сметы 9")));
    }

    // the act window of the editor's estimate, by the "Акт" button
    first.press(editor, kAktButton);
    ui::Window* act = nullptr;
    ASSERT_TRUE(test::pumpUntil([&] { return (act = windowOf("BrowseAkt")) != nullptr; }, 20000));
    test::CalledWindow actThread{act->thread()};
    actThread.settle();
    QString shown;
    for (ui::BrowseList* list : act->content()->findChildren<ui::BrowseList*>())
        for (int r = 0; r < list->model().rowCount(); ++r)
            for (int c = 0; c < list->model().columnCount(); ++c) shown += list->model().text(r, c) + '\n';
    EXPECT_TRUE(shown.contains(QStringLiteral("Работа сметы 7")));
    EXPECT_FALSE(shown.contains(QStringLiteral("Работа сметы 9")));
    ui::post(act->thread(), EVENT::CloseWindow);
    ASSERT_TRUE(test::waitEnded(act->thread()));

    choose(editor, QStringLiteral("&В ДОС текст формат"));
    ASSERT_TRUE(test::pumpUntil([&] { return viewers == 1; }, 20000));
    const QString report = fileText("TEXTREP", true);
    EXPECT_TRUE(report.contains(QStringLiteral("Работа сметы 7")));
    EXPECT_FALSE(report.contains(QStringLiteral("Работа сметы 9")));
}

TEST_F(EditorOutputs, AnInsertOnASectionOpensTheWorkLineFormForThatSection)
{
    start(first, 0);
    ui::Window* editor = test::waitWindowTitled(first.thread, QStringLiteral("Текущая смета"));
    ASSERT_TRUE(editor);
    first.press(editor, 21);  // expand all
    auto* tree = static_cast<ui::TreeList*>(editor->control(kTree)->widget());
    tree->setFocus();
    tree->selectRow(2);
    first.press(editor, kInsert);
    ui::Window* form = first.top();
    ASSERT_TRUE(form && form != editor);
    EXPECT_EQ(form->title(), QStringLiteral("Добавление работы в смете"));
    first.press(form, kFormCancel);
    EXPECT_EQ(first.top(), editor);
    EXPECT_EQ(tree->model()->rowCount(), 4);
    EXPECT_EQ(stored(FileId::WrksInSmt, [] { return QString::number(NSB().CODER); }).size(), 2u);
}

}  // namespace
