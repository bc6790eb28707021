#include "app/settings/settings_file.h"

#include "data/globals.h"
#include "platform/core/ini_file.h"
#include "tests/support/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        InitProgramGlobals();
    }
    void TearDown() override
    {
        TheSettingsFile().Kill();
        QDir::setCurrent(previous);
    }

    // Start-up and exit as the program runs them around the main frame.
    static void startUp()
    {
        InitProgramGlobals();
        TheSettingsFile().Init(settingsFileName);
        ReadPresets();
    }
    static void exitProgram()
    {
        WritePresets();
        TheSettingsFile().SavePreserved();
        TheSettingsFile().Kill();
    }

    static void writeFile(std::initializer_list<const char*> utf8Lines)
    {
        std::string bytes;
        for (const char* line : utf8Lines) bytes += cp(line) + "\r\n";
        QFile f("tolvex.ini");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes.data(), qint64(bytes.size()));
    }
    static std::string fileBytes()
    {
        QFile f("tolvex.ini");
        if (!f.open(QIODevice::ReadOnly)) return "<missing>";
        return f.readAll().toStdString();
    }
    static QString stored(const char* section, const char* key)
    {
        return IniFile::at("tolvex.ini").value(section, key, "<missing>");
    }

    QTemporaryDir dir;
    QString previous;
};

TEST_F(SettingsFileTest, FirstRunWritesEveryKeyInOrderAndReadsBackTheStartValues)
{
    startUp();
    EXPECT_TRUE(FirmName.isBlank());
    EXPECT_EQ(std::string(DLM.bytes()), " ");
    EXPECT_EQ(GLO::MaterCoeff.scaled(), 0);
    exitProgram();

    std::string expected = "[presets]\r\n";
    for (int n = 1; n <= 9; ++n) expected += "GLO:Nakrutki" + std::to_string(n) + "=0\r\n";
    for (int n = 1; n <= 9; ++n) expected += "GLO:NakrutkiName" + std::to_string(n) + "=\r\n";
    expected += "FirmName=\r\nDIrector=\r\n"
                "\r\n"
                "[Preserved]\r\n"
                "FirmName=\r\nFirmAddress=\r\nFirmPhone=\r\nDIrector=\r\nDLM=\r\n"
                "GLO:CurrentSmeta=0\r\nGLO:MaterCoeff=0\r\nGLO:Zarpcoeff=0\r\nGLO:ZarpMashCoeff=0\r\n"
                "PREF:XMLFileName=\r\nPREF:XMLprocessor=\r\nPREF:XSL11file=\r\nPREF:XSL7file=\r\n"
                "PREF:XSLA11file=\r\nPREF:XSLA7file=\r\nPREF:XSLARPS=\r\n";
    EXPECT_EQ(fileBytes(), expected);

    DLM = ";";
    TheSettingsFile().Init(settingsFileName);
    EXPECT_EQ(std::string(DLM.bytes()), " ");
}

TEST_F(SettingsFileTest, ValuesRoundTripInShortestFormAndBothSectionsAgree)
{
    startUp();
    FirmName = "ООО Ромашка";
    FirmAddress = "г. Москва";
    FirmPhone = "123-45-67";
    Director = "Иванов И.И.";
    DLM = "|";
    GLO::CurrentSmeta = 42;
    GLO::MaterCoeff = Decimal::fromScaled(1150, 3);
    GLO::ZarpCoeff = Decimal(2);
    GLO::ZarpMashCoeff = Decimal::fromScaled(-5, 3);
    PREF::XMLprocessor = "msxsl.exe";
    PREF::XSLARPS = "arps.xsl";
    GLO::Nakrutki[1] = Decimal::fromScaled(125, 1);
    GLO::Nakrutki[9] = Decimal::fromScaled(10001, 4);
    GLO::NakrutkiName[4] = "Накладные расходы";
    GLO::Nakrutki[10] = Decimal(7);
    GLO::NakrutkiName[10] = "десятый";
    exitProgram();

    const struct {
        const char* section;
        const char* key;
        const char* text;
    } written[] = {
        {"Preserved", "GLO:MaterCoeff", "1.15"},
        {"Preserved", "GLO:Zarpcoeff", "2"},
        {"Preserved", "GLO:ZarpMashCoeff", "-0.005"},
        {"Preserved", "GLO:CurrentSmeta", "42"},
        {"Preserved", "DLM", "|"},
        {"Preserved", "FirmName", "ООО Ромашка"},
        {"presets", "FirmName", "ООО Ромашка"},
        {"Preserved", "DIrector", "Иванов И.И."},
        {"presets", "DIrector", "Иванов И.И."},
        {"presets", "GLO:Nakrutki1", "12.5"},
        {"presets", "GLO:Nakrutki9", "1.0001"},
        {"presets", "GLO:NakrutkiName4", "Накладные расходы"},
        {"presets", "GLO:Nakrutki10", "<missing>"},
        {"presets", "GLO:NakrutkiName10", "<missing>"},
    };
    for (const auto& w : written) EXPECT_EQ(stored(w.section, w.key), w.text) << w.section << " " << w.key;

    startUp();
    EXPECT_EQ(FirmName, QString("ООО Ромашка"));
    EXPECT_EQ(FirmAddress, QString("г. Москва"));
    EXPECT_EQ(FirmPhone, QString("123-45-67"));
    EXPECT_EQ(Director, QString("Иванов И.И."));
    EXPECT_EQ(std::string(DLM.bytes()), "|");
    EXPECT_EQ(GLO::CurrentSmeta, 42);
    EXPECT_EQ(GLO::MaterCoeff.scaled(), 1150);
    EXPECT_EQ(GLO::ZarpCoeff.scaled(), 2000);
    EXPECT_EQ(GLO::ZarpMashCoeff.scaled(), -5);
    EXPECT_EQ(PREF::XMLprocessor, QString("msxsl.exe"));
    EXPECT_EQ(PREF::XSLARPS, QString("arps.xsl"));
    EXPECT_EQ(GLO::Nakrutki[1].scaled(), 125000);
    EXPECT_EQ(GLO::Nakrutki[9].scaled(), 10001);
    EXPECT_EQ(GLO::NakrutkiName[4], QString("Накладные расходы"));
    EXPECT_TRUE(GLO::Nakrutki[10].isZero());
    EXPECT_TRUE(GLO::NakrutkiName[10].isBlank());
}

TEST_F(SettingsFileTest, ReadingRoundsNumbersCutsTextsAndIgnoresElementTen)
{
    writeFile({
        "[Preserved]",
        "FirmName=Общество с ограниченной ответственностью",
        "FirmPhone=  8-800  ",
        "DLM=;;",
        "GLO:CurrentSmeta=17.9 и ещё",
        "GLO:MaterCoeff=2.0005",
        "GLO:Zarpcoeff=-2.0005",
        "GLO:ZarpMashCoeff=нет",
        "PREF:XSL7file=a-very-long-stylesheet-name.xsl",
        "",
        "[presets]",
        "GLO:Nakrutki1=1.23456",
        "GLO:Nakrutki2=",
        "GLO:Nakrutki10=5",
        "GLO:NakrutkiName4=Прочие",
        "GLO:NakrutkiName10=десятый",
        "FirmName=Ромашка",
    });
    startUp();

    EXPECT_EQ(FirmName, QString("Ромашка"));  // "presets" wins over "Preserved"
    EXPECT_EQ(FirmPhone, QString("8-800"));
    EXPECT_EQ(std::string(DLM.bytes()), ";");
    EXPECT_EQ(GLO::CurrentSmeta, 17);
    EXPECT_EQ(GLO::MaterCoeff.scaled(), 2001);
    EXPECT_EQ(GLO::ZarpCoeff.scaled(), -2001);
    EXPECT_EQ(GLO::ZarpMashCoeff.scaled(), 0);
    EXPECT_EQ(PREF::XSL7file, QString("a-very-long-styleshe"));
    EXPECT_EQ(GLO::Nakrutki[1].scaled(), 12346);
    EXPECT_TRUE(GLO::Nakrutki[2].isZero());
    EXPECT_EQ(GLO::NakrutkiName[4], QString("Прочие"));
    EXPECT_TRUE(GLO::Nakrutki[10].isZero());
    EXPECT_TRUE(GLO::NakrutkiName[10].isBlank());

    // The firm name of "Preserved" alone, cut to the global's thirty characters.
    TheSettingsFile().Init(settingsFileName);
    EXPECT_EQ(FirmName, QString("Общество с ограниченной ответс"));
}

TEST_F(SettingsFileTest, MissingPresetsBlankTheFirmDetailsOfPreserved)
{
    writeFile({"[Preserved]", "FirmName=Ромашка", "DIrector=Иванов"});
    TheSettingsFile().Init(settingsFileName);
    EXPECT_EQ(FirmName, QString("Ромашка"));
    EXPECT_EQ(Director, QString("Иванов"));

    ReadPresets();
    EXPECT_TRUE(FirmName.isBlank());
    EXPECT_TRUE(Director.isBlank());
}

}  // namespace
