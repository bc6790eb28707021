#include "platform/core/settings_manager.h"

#include "platform/core/decimal.h"
#include "platform/core/ini_file.h"

#include <cstdint>

namespace {

SettingsManager* currentManager = nullptr;

QString yesNo(bool on) { return on ? QStringLiteral("Yes") : QStringLiteral("No"); }

}  // namespace

QString localFileName(const QString& programName)
{
    QString name = programName;
    name.replace(u'\\', u'/');
    return name;
}

void SettingsManager::Init(const QString& fileName)
{
    fileName_ = localFileName(fileName);
    LoadPreserved();
}

void SettingsManager::Kill() { fileName_.clear(); }

IniFile* SettingsManager::file() const { return fileName_.isEmpty() ? nullptr : &IniFile::at(fileName_); }

QString SettingsManager::Fetch(const QString& section, const QString& key) const
{
    const IniFile* ini = file();
    return ini ? ini->value(section, key) : QString();
}

void SettingsManager::Update(const QString& section, const QString& key, const QString& value)
{
    if (IniFile* ini = file()) ini->setValue(section, key, value);
}

bool SettingsManager::RestoreWindow(const QString& procedure, WindowPlacement& placement) const
{
    const QString maximize = Fetch(procedure, QStringLiteral("Maximize"));
    const QString minimize = Fetch(procedure, QStringLiteral("Minimize"));
    const QString x = Fetch(procedure, QStringLiteral("XPos"));
    const QString y = Fetch(procedure, QStringLiteral("YPos"));
    const QString width = Fetch(procedure, QStringLiteral("Width"));
    const QString height = Fetch(procedure, QStringLiteral("Height"));
    for (const QString* value : {&maximize, &minimize, &x, &y, &width, &height})
        if (value->isEmpty()) return false;

    const auto whole = [](const QString& text) { return int(assignInteger<std::int32_t>(textToNumber(text))); };
    const auto isYes = [](const QString& text) { return text.compare(yesNo(true), Qt::CaseInsensitive) == 0; };
    placement = {whole(x), whole(y), whole(width), whole(height), isYes(maximize), isYes(minimize)};
    return true;
}

void SettingsManager::SaveWindow(const QString& procedure, const WindowPlacement& placement)
{
    IniFile* ini = file();
    if (!ini) return;
    IniFile::Batch batch(*ini);
    Update(procedure, QStringLiteral("Maximize"), yesNo(placement.maximized));
    Update(procedure, QStringLiteral("Minimize"), yesNo(placement.minimized));
    Update(procedure, QStringLiteral("XPos"), QString::number(placement.x));
    Update(procedure, QStringLiteral("YPos"), QString::number(placement.y));
    Update(procedure, QStringLiteral("Width"), QString::number(placement.width));
    Update(procedure, QStringLiteral("Height"), QString::number(placement.height));
}

SettingsManager* settingsManager() { return currentManager; }

void setSettingsManager(SettingsManager* manager) { currentManager = manager; }
