// A nested Qt event loop inside a logical thread breaks Qt's loop stack, and a modal window
// blocks every thread's windows; dialogs, menus and file dialogs are shown non-modal and
// waited for instead. Running Qt's events by hand (processEvents, sendPostedEvents) inside a
// thread runs the scheduler's turn nested. This test keeps such calls out of the sources;
// tests may run Qt's events by hand on the main stack.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace {

// Running Qt's posted events by hand: allowed only in tests, on the main stack.
bool runsEventsByHand(const std::string& line)
{
    static const std::regex byHand(R"(\b(processEvents|sendPostedEvents)\s*\()");
    return std::regex_search(line, byHand);
}

bool runsNestedLoop(const std::string& line)
{
    // exec with or without arguments (QDialog, QMenu, QDrag, ...); an exec of SQL text is not one
    static const std::regex forbidden(
        R"((\.|->|::)exec\s*\((?!\s*("|$))|\bQEventLoop\b|QFileDialog::get\w+|)"
        R"(QMessageBox::(information|warning|question|critical|about\w*)\s*\(|QInputDialog::get|)"
        R"(QColorDialog::getColor|QFontDialog::getFont|Qt::(Application|Window)Modal\b|setModal\s*\(\s*true)");
    static const std::regex allowed(R"(\b(app|application|qApp)\.exec\(\)|QCoreApplication::exec\(\))");
    return std::regex_search(line, forbidden) && !std::regex_search(line, allowed);
}

TEST(Sources, TheCheckKnowsEachWayToANestedLoop)
{
    const std::pair<const char*, bool> lines[] = {
        {"dialog.exec();", true},
        {"menu->exec(QCursor::pos());", true},
        {"QMenu::exec(actions, pos);", true},
        {"drag->exec(Qt::CopyAction);", true},
        {"QEventLoop loop;", true},
        {"auto name = QFileDialog::getOpenFileName(this);", true},
        {"QMessageBox::question(this, a, b);", true},
        {"box->setWindowModality(Qt::ApplicationModal);", true},
        {"dialog->setModal(true);", true},
        {"return app.exec();", false},
        {"raw.exec(\"BEGIN IMMEDIATE\");", false},
        {"    .exec(", false},
        {"dialog->setWindowModality(Qt::NonModal);", false},
        {"sqlite3_exec(db, sql, nullptr, nullptr, nullptr);", false},
    };
    for (const auto& [line, forbidden] : lines) EXPECT_EQ(runsNestedLoop(line), forbidden) << line;

    const std::pair<const char*, bool> byHand[] = {
        {"QCoreApplication::processEvents();", true},
        {"qApp->processEvents(QEventLoop::AllEvents, 5);", true},
        {"QCoreApplication::sendPostedEvents(nullptr, 0);", true},
        {"QApplication::sendEvent(focus, &press);", false},
        {"// no processEvents here", false},
    };
    for (const auto& [line, forbidden] : byHand) EXPECT_EQ(runsEventsByHand(line), forbidden) << line;
}

TEST(Sources, RunNoNestedEventLoop)
{
    namespace fs = std::filesystem;
    const fs::path self = fs::path(__FILE__).filename();
    for (const char* dir : {"platform", "data", "app", "estimate", "output", "catalogue", "tests"}) {
        fs::path root = fs::path(TOLVEX_SOURCE_DIR) / dir;
        if (!fs::exists(root)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const auto ext = entry.path().extension();
            if (ext != ".cpp" && ext != ".h") continue;
            if (entry.path().filename() == self) continue;
            const bool test = std::string(dir) == "tests";
            std::ifstream in(entry.path());
            std::string line;
            for (int n = 1; std::getline(in, line); ++n)
                if (runsNestedLoop(line) || (!test && runsEventsByHand(line)))
                    ADD_FAILURE() << entry.path().string() << ":" << n << ": " << line;
        }
    }
}

}  // namespace
