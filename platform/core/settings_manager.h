#pragma once
// The program's settings file: plain values by section and key, and the windows' positions.
// Every read and write goes through the file's one in-process IniFile, so direct users of
// the same file and the manager never overwrite each other's keys.

#include <QString>

class IniFile;

// A file name as the program writes it (".\tolvex.ini") in this platform's form
// ("./tolvex.ini"): relative names stay relative to the current directory.
QString localFileName(const QString& programName);

struct WindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
    bool minimized = false;
};

class SettingsManager {
public:
    SettingsManager() = default;
    SettingsManager(const SettingsManager&) = delete;
    SettingsManager& operator=(const SettingsManager&) = delete;
    virtual ~SettingsManager() = default;

    // Remembers the file, then loads what the program keeps there.
    void Init(const QString& fileName);
    // Forgets the file: later reads give empty values and writes are dropped.
    void Kill();

    virtual void LoadPreserved() {}
    virtual void SavePreserved() {}

    // Empty when the file, the section or the key is missing.
    QString Fetch(const QString& section, const QString& key) const;
    // The value is written without its trailing blanks.
    void Update(const QString& section, const QString& key, const QString& value);

    // False, leaving placement as it was, when the section or one of its keys is missing.
    bool RestoreWindow(const QString& procedure, WindowPlacement& placement) const;
    void SaveWindow(const QString& procedure, const WindowPlacement& placement);

protected:
    // Null before Init and after Kill.
    IniFile* file() const;

private:
    QString fileName_;
};

// The manager through which windows keep their positions; null keeps none.
SettingsManager* settingsManager();
void setSettingsManager(SettingsManager* manager);
