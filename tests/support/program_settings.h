#pragma once
// The program's settings file as the windows' settings manager, for the length of a test.

#include "app/settings/settings_file.h"
#include "platform/core/ini_file.h"

namespace test {

struct ProgramSettings {
    ProgramSettings()
    {
        file.Init(settingsFileName);
        setSettingsManager(&file);
    }
    ~ProgramSettings()
    {
        setSettingsManager(nullptr);
        file.Kill();
    }
    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;

    static IniFile& ini() { return IniFile::at(QStringLiteral("tolvex.ini")); }

    SettingsFile file;
};

}  // namespace test
