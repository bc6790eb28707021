#include "platform/core/ini_file.h"

#include "tests/support/cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    static void writeBytes(const QString& file, const std::string& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes.data(), qint64(bytes.size()));
    }
    static std::string readBytes(const QString& file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return "<missing>";
        const QByteArray data = f.readAll();
        return std::string(data.constData(), std::size_t(data.size()));
    }
    static std::string joined(std::initializer_list<const char*> utf8Lines, const char* lineEnd = "\r\n")
    {
        std::string bytes;
        for (const char* line : utf8Lines) bytes += cp(line) + lineEnd;
        return bytes;
    }
    static mode_t modeOf(const QString& file)
    {
        struct stat st {};
        ::stat(QFile::encodeName(file).constData(), &st);
        return st.st_mode & 07777;
    }

    QTemporaryDir dir;
};

struct LookupCase {
    const char* section;
    const char* key;
    const char* defaultValue;
    const char* expected;
};

TEST_F(IniFileTest, LooksUpFirstMatchIgnoringCaseWithTrimmedValuesAndQuotesKept)
{
    const auto content = {
        "; settings of the program",
        "[Preserved]",
        "  FirmName = \"ООО Ромашка\"   ",
        "DLM=",
        "GLO:CurrentSmeta=12",
        "firmname=second",
        "odd line without equals",
        "[preserved]",
        "Director=in a later section of the same name",
        " [ Пресеты ] ",
        "Ключ=значение=с равенством",
        "[Empty]",
    };
    const LookupCase cases[] = {
        {"preserved", "FIRMNAME", "d", "\"ООО Ромашка\""},
        {"PRESERVED", "dlm", "d", ""},
        {"Preserved", "GLO:CurrentSmeta", "d", "12"},
        {"Preserved", "Director", "d", "d"},
        {"пресеты", "КЛЮЧ", "d", "значение=с равенством"},
        {"Preserved", "odd line without equals", "d", "d"},
        {"Missing", "FirmName", "d", "d"},
        {"Preserved", "Missing", "d", "d"},
        {"Empty", "Key", "d", "d"},
    };
    for (const char* lineEnd : {"\r\n", "\n"}) {
        const QString file = path(lineEnd[0] == '\r' ? "crlf.ini" : "lf.ini");
        writeBytes(file, joined(content, lineEnd));
        const IniFile& ini = IniFile::at(file);
        for (const auto& c : cases)
            EXPECT_EQ(ini.value(QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.defaultValue)),
                      QString::fromUtf8(c.expected))
                << c.section << "/" << c.key << (lineEnd[0] == '\r' ? " (CR LF)" : " (LF)");
    }
}

TEST_F(IniFileTest, MissingFileGivesDefaultsAndFirstWriteCreatesIt)
{
    IniFile& ini = IniFile::at(path("tolvex.ini"));
    EXPECT_EQ(ini.value("Preserved", "FirmName"), QString());
    EXPECT_EQ(ini.value("Preserved", "FirmName", "x"), "x");

    ini.setValue("presets", "FirmName", "Firm   ");
    ini.setValue("presets", "DIrector", "");
    EXPECT_EQ(readBytes(path("tolvex.ini")), "[presets]\r\nFirmName=Firm\r\nDIrector=\r\n");
}

TEST_F(IniFileTest, WritesInPlaceAndKeepsEveryUnknownLine)
{
    const QString file = path("tolvex.ini");
    writeBytes(file, joined({
                         "; head comment  ",
                         "[A]",
                         "a1=1",
                         "  ; note inside A",
                         "a2=2",
                         "",
                         "[b]",
                         "B1 = x",
                         "odd line  ",
                     }));
    IniFile& ini = IniFile::at(file);
    ini.setValue("A", "A3", "new key");
    ini.setValue("a", "A1", "  leading kept, trailing not  ");
    ini.setValue("B", "b1", "y");
    ini.setValue("Окна", "Ширина", "10");

    EXPECT_EQ(readBytes(file), joined({
                                   "; head comment  ",
                                   "[A]",
                                   "a1=  leading kept, trailing not",
                                   "  ; note inside A",
                                   "a2=2",
                                   "A3=new key",
                                   "",
                                   "[b]",
                                   "B1=y",
                                   "odd line  ",
                                   "",
                                   "[Окна]",
                                   "Ширина=10",
                               }));
    EXPECT_EQ(ini.value("A", "a1"), "leading kept, trailing not");
}

TEST_F(IniFileTest, Cp1251TextWithCommasAndQuotesRoundTripsByteForByte)
{
    const QString file = path("tolvex.ini");
    // 0x98 is no character of windows-1251 and must survive all the same
    const std::string firm = cp("ООО \"Ромашка\", г. Москва; \"офис\" 5, ") + "\x98" + cp("«ёЁ»");
    writeBytes(file, "[Preserved]\r\nFirmName=" + firm + "\r\n");
    IniFile& ini = IniFile::at(file);
    const QString read = ini.value("Preserved", "FirmName");
    EXPECT_EQ(codepage::toCp1251(read), firm);

    ini.setValue("presets", "FirmName", read);
    EXPECT_EQ(readBytes(file), "[Preserved]\r\nFirmName=" + firm + "\r\n\r\n[presets]\r\nFirmName=" + firm + "\r\n");
}

TEST_F(IniFileTest, ReadOnlyFileStaysUntouched)
{
    const QString file = path("tolvex.ini");
    const std::string before = "[Preserved]\r\nDLM=\r\n";
    writeBytes(file, before);
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0444), 0);

    IniFile::at(file).setValue("Preserved", "DLM", "|");
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(modeOf(file), mode_t(0444));
}

TEST_F(IniFileTest, ReplacingFollowsTheLinkAndKeepsTheMode)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("real"));
    const QString target = path("real/settings.ini");
    writeBytes(target, "[A]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    const QString link = path("tolvex.ini");
    ASSERT_TRUE(QFile::link("real/settings.ini", link));

    IniFile::at(link).setValue("A", "k", "2");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(target), "[A]\r\nk=2\r\n");
    EXPECT_EQ(modeOf(target), mode_t(0640));
    EXPECT_EQ(QDir(dir.filePath("real")).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.ini"});
}

TEST_F(IniFileTest, RootSavingAUsersFileLeavesItTheirs)
{
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file away";
    const QString file = path("tolvex.ini");
    writeBytes(file, "[A]\r\nk=1\r\n");
    const QByteArray name = QFile::encodeName(file);
    ASSERT_EQ(::chown(name.constData(), 4321, 4322), 0);
    ASSERT_EQ(::chmod(name.constData(), 0600), 0);

    IniFile::at(file).setValue("A", "k", "2");
    struct stat st {};
    ASSERT_EQ(::stat(name.constData(), &st), 0);
    EXPECT_EQ(readBytes(file), "[A]\r\nk=2\r\n");
    EXPECT_EQ(st.st_uid, uid_t(4321));
    EXPECT_EQ(st.st_gid, gid_t(4322));
    EXPECT_EQ(st.st_mode & 07777, mode_t(0600));
}

TEST_F(IniFileTest, WriteFailingPartWayLeavesTheOldFileWhole)
{
    const QString file = path("tolvex.ini");
    const std::string before = "[Preserved]\r\nFirmName=old\r\n";
    writeBytes(file, before);
    IniFile& ini = IniFile::at(file);

    // A file-size limit makes the write stop part-way, as a full disk would.
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ini.setValue("Preserved", "FirmAddress", QString(200, u'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tolvex.ini"});
}

TEST_F(IniFileTest, TemporaryFileLeftByACrashChangesNothing)
{
    const QString file = path("tolvex.ini");
    writeBytes(file, "[A]\r\nk=1\r\n");
    writeBytes(path(".tolvex.ini.1x2y3z"), "[A]\r\nk=half writ");
    IniFile& ini = IniFile::at(file);
    EXPECT_EQ(ini.value("A", "k"), "1");
    ini.setValue("A", "k", "2");
    EXPECT_EQ(readBytes(file), "[A]\r\nk=2\r\n");
}

TEST_F(IniFileTest, OneInstancePerFileThatSeesChangesOnDisk)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    IniFile& ini = IniFile::at(path("tolvex.ini"));
    EXPECT_EQ(&ini, &IniFile::at(path("sub/../tolvex.ini")));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(&ini, &IniFile::at("./tolvex.ini"));
    QDir::setCurrent(previous);
    EXPECT_NE(&ini, &IniFile::at(path("other.ini")));

    ini.setValue("A", "k", "mine");
    writeBytes(path("tolvex.ini"), "[A]\r\nk=written by another program\r\n");
    EXPECT_EQ(ini.value("A", "k"), "written by another program");
    ini.setValue("A", "second", "2");
    EXPECT_EQ(readBytes(path("tolvex.ini")), "[A]\r\nk=written by another program\r\nsecond=2\r\n");
}

TEST_F(IniFileTest, BatchWritesOnceWhenTheLastOneEnds)
{
    const QString file = path("tolvex.ini");
    const std::string before = "[presets]\r\n";
    writeBytes(file, before);
    IniFile& ini = IniFile::at(file);
    {
        IniFile::Batch outer(ini);
        ini.setValue("presets", "GLO:Nakrutki1", "1.5");
        {
            IniFile::Batch inner(ini);
            ini.setValue("presets", "GLO:Nakrutki2", "0");
        }
        ini.setValue("presets", "FirmName", "Firm");
        EXPECT_EQ(readBytes(file), before);
        EXPECT_EQ(ini.value("presets", "GLO:Nakrutki1"), "1.5");
    }
    EXPECT_EQ(readBytes(file), "[presets]\r\nGLO:Nakrutki1=1.5\r\nGLO:Nakrutki2=0\r\nFirmName=Firm\r\n");
}

}  // namespace
