#include "platform/ui/dialogs/file_dialog.h"
#include "platform/ui/threads/dialog_script.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace {

const QString kCaption = "Импорт расценок";

class FileDialogTest : public ::testing::Test {
protected:
    FileDialogTest()
    {
        ui::resetDialogScript();
        for (const char* name : {"a.csv", "B.CSV", "c.txt"}) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
        }
    }
    ~FileDialogTest() override
    {
        if (ui::Scheduler::instance().isRunning(thread)) {
            if (QFileDialog* d = dialog()) d->reject();  // never leave the thread waiting
            test::waitEnded(thread);
        }
        ui::resetDialogScript();
    }

    // Asks on a logical thread that shows a window of its own first.
    void ask()
    {
        thread = test::start([this] {
            ui::Window w(ui::WindowKind::Dialog, "Мастер", 80, 40);
            w.open();
            caller = &w;
            chosen = ui::askOpenFileName(kCaption, dir.path(), {"CSV файлы (*.CSV)"});
            callerEnabledAfter = w.topWidget()->isEnabled();
            caller = nullptr;
            w.close();
        });
    }
    QFileDialog* dialog()
    {
        ui::Window* w = test::waitWindowTitled(thread, kCaption);
        return w ? w->content()->findChild<QFileDialog*>() : nullptr;
    }
    // The names the dialog lists in the folder, once its model has read it.
    std::set<QString> listedNames(QFileDialog& d)
    {
        auto* model = d.findChild<QFileSystemModel*>();
        if (!model) return {};
        const QModelIndex folder = model->index(dir.path());
        test::pumpUntil([&] { return model->rowCount(folder) >= 2; });
        test::pump(50);  // anything that would wrongly show comes in the same pass
        std::set<QString> names;
        for (int row = 0; row < model->rowCount(folder); ++row) names.insert(model->index(row, 0, folder).data().toString());
        return names;
    }

    QTemporaryDir dir;
    ui::ThreadId thread = 0;
    ui::Window* caller = nullptr;
    std::optional<QString> chosen;
    bool callerEnabledAfter = false;
};

TEST_F(FileDialogTest, FilterIgnoresCaseAndTheChosenFileIsReturned)
{
    ask();
    QFileDialog* d = dialog();
    ASSERT_TRUE(d);
    EXPECT_EQ(listedNames(*d), (std::set<QString>{"a.csv", "B.CSV"}));
    ASSERT_TRUE(caller);
    EXPECT_FALSE(caller->topWidget()->isEnabled());

    QTest::keyClicks(d->findChild<QLineEdit*>("fileNameEdit"), "a.csv");
    d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
    ASSERT_TRUE(test::waitEnded(thread));
    EXPECT_EQ(chosen, QDir(dir.path()).filePath("a.csv"));
}

TEST_F(FileDialogTest, CancelGivesEmptyAndTheCallerIsEnabledAgain)
{
    ask();
    QFileDialog* d = dialog();
    ASSERT_TRUE(d);
    QTest::keyClick(d, Qt::Key_Escape);
    ASSERT_TRUE(test::pumpUntil([&] { return chosen.has_value(); }));
    EXPECT_EQ(chosen, QString());
    EXPECT_TRUE(callerEnabledAfter);
}

TEST_F(FileDialogTest, ATypedNameIsChosenOnlyByTheDialogsOwnAcceptance)
{
    ask();
    QFileDialog* d = dialog();
    ASSERT_TRUE(d);
    QTest::keyClicks(d->findChild<QLineEdit*>("fileNameEdit"), "a.csv");
    ui::Window* w = test::waitWindowTitled(thread, kCaption);
    for (int field : {3001, 3002, 0}) w->post(EVENT::Accepted, field);  // as toolbar buttons forwarded to it
    test::pump(50);
    EXPECT_FALSE(chosen.has_value());
    EXPECT_TRUE(d->isVisible());
    w->post(EVENT::CloseWindow);
    ASSERT_TRUE(test::waitEnded(thread));
    EXPECT_EQ(chosen, QString());
}

TEST_F(FileDialogTest, ItsButtonsSpeakRussian)
{
    ask();
    QFileDialog* d = dialog();
    ASSERT_TRUE(d);
    auto* buttons = d->findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons);
    const auto shown = [](QAbstractButton* b) { return b ? b->text().remove(QLatin1Char('&')) : QString(); };
    EXPECT_EQ(shown(buttons->button(QDialogButtonBox::Open)), "Открыть");
    EXPECT_EQ(shown(buttons->button(QDialogButtonBox::Cancel)), "Отмена");
}

TEST_F(FileDialogTest, ScriptedNameIsTakenWithoutADialog)
{
    ui::scriptFileName("/data/rates.csv");
    ask();
    ASSERT_TRUE(test::waitEnded(thread));
    EXPECT_EQ(chosen, "/data/rates.csv");
}

}  // namespace
