// A nested Qt event loop inside a logical thread breaks Qt's loop stack; dialogs, menus and
// file dialogs are shown non-modal and waited for instead. This test keeps such calls out of
// the sources.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace {

TEST(Sources, RunNoNestedEventLoop)
{
    namespace fs = std::filesystem;
    const std::regex forbidden(
        R"((\.|->)exec\s*\(\s*\)|\bQEventLoop\b|QFileDialog::get(Open|Save|Existing)|)"
        R"(QMessageBox::(information|warning|question|critical|about)\s*\(|QInputDialog::get|QColorDialog::getColor|QFontDialog::getFont)");
    const std::regex allowed(R"(\b(app|application|qApp)\.exec\(\))");
    const fs::path self = fs::path(__FILE__).filename();
    for (const char* dir : {"platform", "data", "app", "estimate", "output", "catalogue", "tests"}) {
        fs::path root = fs::path(TOLVEX_SOURCE_DIR) / dir;
        if (!fs::exists(root)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const auto ext = entry.path().extension();
            if (ext != ".cpp" && ext != ".h") continue;
            if (entry.path().filename() == self) continue;
            std::ifstream in(entry.path());
            std::string line;
            for (int n = 1; std::getline(in, line); ++n) {
                if (std::regex_search(line, forbidden) && !std::regex_search(line, allowed))
                    ADD_FAILURE() << entry.path().string() << ":" << n << ": " << line;
            }
        }
    }
}

}  // namespace
