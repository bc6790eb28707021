#include "platform/core/line_file.h"

#include "platform/core/codepage.h"
#include "tests/support/cp1251.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

using Read = LineFileReader::Read;

class LineFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    std::string contents(const QString& file) const
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return f.readAll().toStdString();
    }

    void putContents(const QString& file, const std::string& bytes) const
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
    }

    // Every line up to End; a read error fails the test.
    std::vector<std::string> readAll(const QString& file, LineCodePage codePage) const
    {
        LineFileReader reader;
        EXPECT_TRUE(reader.open(file, codePage));
        std::vector<std::string> lines;
        std::string line;
        Read r;
        while ((r = reader.readLine(line)) == Read::Line) lines.push_back(line);
        EXPECT_EQ(r, Read::End);
        EXPECT_EQ(reader.readLine(line), Read::End);  // and stays there
        return lines;
    }

    QTemporaryDir dir_;
};

TEST_F(LineFileTest, WrittenLinesAreCutTrimmedAndEndInCrLf)
{
    const QString file = path("tlx_exp.txt");
    LineFileWriter writer;
    ASSERT_TRUE(writer.open(file, LineCodePage::Cp1251));
    EXPECT_TRUE(writer.writeLine(cp("Смета №1   "), 20));
    EXPECT_TRUE(writer.writeLine("     ", 20));        // all blanks: an empty line
    EXPECT_TRUE(writer.writeLine("abcdef  gh", 8));    // cut, then the blanks of the cut go too
    EXPECT_TRUE(writer.writeLine("\x0E\x1B\x46x", 8)); // printer control bytes pass
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(contents(file), cp("Смета №1") + "\r\n\r\nabcdef\r\n\x0E\x1B\x46x\r\n");
}

TEST_F(LineFileTest, DosLinesHoldCp866Bytes)
{
    const QString file = path("TEXTREP");
    LineFileWriter writer;
    ASSERT_TRUE(writer.open(file, LineCodePage::Cp866));
    ASSERT_TRUE(writer.writeLine(cp("Итого: 5 руб. Ёё"), 200));
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(contents(file), "\x88\xE2\xAE\xA3\xAE: 5 \xE0\xE3\xA1. \xF0\xF1\r\n");
    EXPECT_EQ(readAll(file, LineCodePage::Cp866), std::vector<std::string>{cp("Итого: 5 руб. Ёё")});
}

TEST_F(LineFileTest, OpeningTruncatesUnlessAppending)
{
    const QString file = path("out.txt");
    LineFileWriter writer;
    for (const char* line : {"old", "new"}) {
        ASSERT_TRUE(writer.open(file, LineCodePage::Cp1251));
        ASSERT_TRUE(writer.writeLine(line, 10));
        ASSERT_TRUE(writer.close());
    }
    ASSERT_TRUE(writer.open(file, LineCodePage::Cp1251, true));
    ASSERT_TRUE(writer.writeLine("more", 10));
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(contents(file), "new\r\nmore\r\n");
}

TEST_F(LineFileTest, FailuresAreReturnedWithErrno)
{
    LineFileWriter writer;
    EXPECT_FALSE(writer.open(path("missing/out.txt"), LineCodePage::Cp1251));
    EXPECT_EQ(writer.error(), ENOENT);
    EXPECT_FALSE(writer.writeLine("x", 1));

    LineFileReader reader;
    std::string line = "stale";
    EXPECT_FALSE(reader.open(path("missing.csv"), LineCodePage::Cp1251));
    EXPECT_EQ(reader.readLine(line), Read::Error);
    EXPECT_EQ(line, "");
}

TEST_F(LineFileTest, ReadsLinesWhateverTheirEnds)
{
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"\n\n", {"", ""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},  // an empty line, then a last line without an end
        {"a\nb\r\nc\r", {"a", "b", "c"}},
        {"x y  \r\n", {"x y  "}},        // blanks are the file's own
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString file = path(("case" + std::to_string(n++)).c_str());
        putContents(file, c.bytes);
        EXPECT_EQ(readAll(file, LineCodePage::Cp1251), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST_F(LineFileTest, LongFilesReadBackAsWritten)
{
    // First lines whose CR sits just before a power of two (a CR LF split between two reads
    // of any power-of-two buffer), then many short lines.
    const QString file = path("long.txt");
    std::vector<std::string> written;
    std::size_t offset = 0;
    for (int bit = 10; bit <= 21; ++bit) {
        const std::size_t crAt = (std::size_t(1) << bit) - 1;
        written.emplace_back(crAt - offset, char('a' + bit));
        offset = crAt + 2;
    }
    for (int i = 0; i < 100000; ++i) written.push_back(std::to_string(i) + std::string(std::size_t(i % 61), '-'));

    LineFileWriter writer;
    ASSERT_TRUE(writer.open(file, LineCodePage::Cp1251));
    for (const std::string& line : written) ASSERT_TRUE(writer.writeLine(line, line.size()));
    ASSERT_TRUE(writer.close());
    ASSERT_EQ(contents(file).substr((1 << 16) - 1, 2), "\r\n");
    EXPECT_EQ(readAll(file, LineCodePage::Cp1251), written);
}

}  // namespace

TEST_F(LineFileTest, Utf8LinesReadAsCp1251WithoutTheByteOrderMark)
{
    const QString file = path("utf8.csv");
    putContents(file, "\xEF\xBB\xBF" "Кладка,12\r\nм³ €\n");
    EXPECT_EQ(readAll(file, LineCodePage::Utf8), (std::vector<std::string>{cp("Кладка,12"), cp("м? €")}));
    putContents(file, "\xEF\xBB\xBF");  // the mark alone: one empty line
    EXPECT_EQ(readAll(file, LineCodePage::Utf8), std::vector<std::string>{""});
}

// Line lengths with their line ends add up to the file size, also for cut lines, whose rest is
// skipped; rewinding reads the first line again, the mark skipped again.
TEST_F(LineFileTest, LongLinesAreCutAndLengthsAddUpToTheFile)
{
    const QString file = path("long.csv");
    const std::string longLine(70000, 'x');
    const std::string text = "\xEF\xBB\xBF" "ab\r\n" + longLine + "\r\n\nЖж\r\n" + longLine;
    putContents(file, text);
    for (LineCodePage page : {LineCodePage::Cp1251, LineCodePage::Utf8}) {
        LineFileReader reader;
        ASSERT_TRUE(reader.open(file, page));
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<std::string> lines;
            std::uint64_t total = 0;
            std::string line;
            while (reader.readLine(line, 5) == Read::Line) {
                lines.push_back(line);
                total += reader.lineBytes();
            }
            EXPECT_EQ(total, text.size());
            const std::string first = page == LineCodePage::Utf8 ? "ab" : "\xEF\xBB\xBF" "ab";
            const std::string cyrillic = page == LineCodePage::Utf8 ? cp("Жж") : "Жж";
            EXPECT_EQ(lines, (std::vector<std::string>{first.substr(0, 5), "xxxxx", "", cyrillic.substr(0, 5), "xxxxx"}));
            ASSERT_TRUE(reader.rewind());
        }
    }
}
