#include "platform/core/settings_manager.h"

#include "platform/core/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        manager.Init(".\\tolvex.ini");
    }
    void TearDown() override
    {
        manager.Kill();
        QDir::setCurrent(previous);
    }
    static QByteArray fileBytes()
    {
        QFile f("tolvex.ini");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir;
    QString previous;
    SettingsManager manager;
};

TEST_F(SettingsManagerTest, SavesWindowKeysInOrderAndRestoresThem)
{
    const WindowPlacement saved{-12, 340, 629, 233, true, false};
    manager.SaveWindow("BrowseRaszenki", saved);

    EXPECT_EQ(fileBytes(),
              "[BrowseRaszenki]\r\nMaximize=Yes\r\nMinimize=No\r\nXPos=-12\r\nYPos=340\r\nWidth=629\r\nHeight=233\r\n");

    WindowPlacement restored{};
    ASSERT_TRUE(manager.RestoreWindow("BrowseRaszenki", restored));
    EXPECT_EQ(restored.x, -12);
    EXPECT_EQ(restored.y, 340);
    EXPECT_EQ(restored.width, 629);
    EXPECT_EQ(restored.height, 233);
    EXPECT_TRUE(restored.maximized);
    EXPECT_FALSE(restored.minimized);

    // A later close of the same procedure replaces the keys in place.
    manager.SaveWindow("BrowseRaszenki", {1, 2, 3, 4, false, true});
    ASSERT_TRUE(manager.RestoreWindow("BrowseRaszenki", restored));
    EXPECT_EQ(restored.x, 1);
    EXPECT_EQ(restored.height, 4);
    EXPECT_FALSE(restored.maximized);
    EXPECT_TRUE(restored.minimized);
    EXPECT_EQ(fileBytes().count("XPos="), 1);
}

TEST_F(SettingsManagerTest, RestoreLeavesPlacementAloneWhenSectionOrKeyIsMissing)
{
    IniFile::at("tolvex.ini").setValue("ShwNaz", "XPos", "10");  // the other five missing
    const WindowPlacement untouched{7, 8, 9, 10, false, true};
    for (const char* procedure : {"Main", "ShwNaz"}) {
        WindowPlacement placement = untouched;
        EXPECT_FALSE(manager.RestoreWindow(procedure, placement)) << procedure;
        EXPECT_EQ(placement.x, 7) << procedure;
        EXPECT_EQ(placement.height, 10) << procedure;
        EXPECT_TRUE(placement.minimized) << procedure;
    }
}

TEST_F(SettingsManagerTest, SharesTheFileWithDirectIniWrites)
{
    IniFile& direct = IniFile::at("./tolvex.ini");
    manager.Update("presets", "FirmName", "Ромашка   ");
    direct.setValue("presets", "DIrector", "Иванов");
    manager.Update("Preserved", "DLM", ";");
    direct.setValue("presets", "GLO:Nakrutki1", "1.5");

    EXPECT_EQ(manager.Fetch("presets", "DIrector"), "Иванов");
    EXPECT_EQ(manager.Fetch("presets", "GLO:Nakrutki1"), "1.5");
    EXPECT_EQ(direct.value("presets", "FirmName"), "Ромашка");
    EXPECT_EQ(direct.value("Preserved", "DLM"), ";");
    EXPECT_EQ(manager.Fetch("presets", "missing"), "");
    EXPECT_EQ(manager.Fetch("missing", "FirmName"), "");

    // The file itself holds every key once, trailing blanks removed.
    const QByteArray bytes = fileBytes();
    EXPECT_EQ(bytes.count("FirmName="), 1);
    EXPECT_TRUE(bytes.contains("GLO:Nakrutki1=1.5\r\n"));
    EXPECT_TRUE(bytes.contains("[Preserved]\r\nDLM=;\r\n"));
}

// Init hands the file to LoadPreserved; after Kill nothing reaches it.
class RecordingManager : public SettingsManager {
public:
    void LoadPreserved() override { loaded = Fetch("Preserved", "FirmName"); }
    QString loaded = "<not loaded>";
};

TEST_F(SettingsManagerTest, InitLoadsFromTheNamedFileAndKillForgetsIt)
{
    QDir().mkdir("sub");
    IniFile::at("sub/other.ini").setValue("Preserved", "FirmName", "Ромашка");

    RecordingManager recording;
    recording.Init(".\\sub\\other.ini");
    EXPECT_EQ(recording.loaded, "Ромашка");

    recording.Kill();
    recording.Update("Preserved", "FirmName", "changed");
    EXPECT_EQ(recording.Fetch("Preserved", "FirmName"), "");
    EXPECT_EQ(IniFile::at("sub/other.ini").value("Preserved", "FirmName"), "Ромашка");
    EXPECT_FALSE(QFile::exists("tolvex.ini"));
}

}  // namespace
