#pragma once
// The program's settings file: section "Preserved" kept by the manager at start-up and exit,
// section "presets" read and written by the main frame.

#include "platform/core/settings_manager.h"

inline constexpr char settingsFileName[] = ".\\tolvex.ini";

class SettingsFile : public SettingsManager {
public:
    void LoadPreserved() override;
    void SavePreserved() override;
};

// The process's one settings file.
SettingsFile& TheSettingsFile();

// Section "presets" of settingsFileName: the default charges, FirmName and Director.
void ReadPresets();
void WritePresets();
