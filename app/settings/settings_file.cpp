#include "app/settings/settings_file.h"

#include "data/globals.h"
#include "platform/core/ini_file.h"

#include <cstdint>

namespace {

const char* const preserved = "Preserved";
const char* const presets = "presets";

// Texts are cut to their global's width; numbers take the leading number of the text, 0 when
// there is none; decimals are rounded to the field's places.
template <std::size_t N>
void readInto(FixedString<N>& global, const QString& text)
{
    global = text;
}
void readInto(std::int32_t& global, const QString& text) { global = assignInteger<std::int32_t>(textToNumber(text)); }
template <int P, int S>
void readInto(DecimalField<P, S>& global, const QString& text)
{
    global = textToNumber(text);
}

template <std::size_t N>
QString asText(const FixedString<N>& global)
{
    return global.toQString();
}
QString asText(std::int32_t global) { return QString::number(global); }
template <int P, int S>
QString asText(const DecimalField<P, S>& global)
{
    return QString::fromStdString(global.value().toPlainString());
}

// The keys of "Preserved" with their globals, in the order they are read and written.
template <class Visit>
void forEachPreserved(Visit&& visit)
{
    visit("FirmName", FirmName);
    visit("FirmAddress", FirmAddress);
    visit("FirmPhone", FirmPhone);
    visit("DIrector", Director);
    visit("DLM", DLM);
    visit("GLO:CurrentSmeta", GLO::CurrentSmeta);
    visit("GLO:MaterCoeff", GLO::MaterCoeff);
    visit("GLO:Zarpcoeff", GLO::ZarpCoeff);
    visit("GLO:ZarpMashCoeff", GLO::ZarpMashCoeff);
    visit("PREF:XMLFileName", PREF::XMLFileName);
    visit("PREF:XMLprocessor", PREF::XMLprocessor);
    visit("PREF:XSL11file", PREF::XSL11file);
    visit("PREF:XSL7file", PREF::XSL7file);
    visit("PREF:XSLA11file", PREF::XSLA11file);
    visit("PREF:XSLA7file", PREF::XSLA7file);
    visit("PREF:XSLARPS", PREF::XSLARPS);
}

QString nakrutkiKey(int n) { return QStringLiteral("GLO:Nakrutki%1").arg(n); }
QString nakrutkiNameKey(int n) { return QStringLiteral("GLO:NakrutkiName%1").arg(n); }

// Only elements 1..9 of the charge arrays are kept; element 10 never reaches the file.
constexpr int presetCharges = 9;

IniFile& presetsFile() { return IniFile::at(localFileName(settingsFileName)); }

}  // namespace

void SettingsFile::LoadPreserved()
{
    forEachPreserved([this](const char* key, auto& global) { readInto(global, Fetch(preserved, key)); });
}

void SettingsFile::SavePreserved()
{
    IniFile* ini = file();
    if (!ini) return;
    IniFile::Batch batch(*ini);
    forEachPreserved([this](const char* key, const auto& global) { Update(preserved, key, asText(global)); });
}

SettingsFile& TheSettingsFile()
{
    static SettingsFile instance;
    return instance;
}

void ReadPresets()
{
    const IniFile& ini = presetsFile();
    for (int n = 1; n <= presetCharges; ++n) readInto(GLO::Nakrutki[n], ini.value(presets, nakrutkiKey(n), "0"));
    for (int n = 1; n <= presetCharges; ++n) {
        readInto(GLO::NakrutkiName[n], ini.value(presets, nakrutkiNameKey(n)));
        // The frame has always read the fourth name twice; the second read changes nothing
        // unless the file changed in between.
        if (n == 4) readInto(GLO::NakrutkiName[n], ini.value(presets, nakrutkiNameKey(n)));
    }
    readInto(FirmName, ini.value(presets, "FirmName"));
    readInto(Director, ini.value(presets, "DIrector"));
}

void WritePresets()
{
    IniFile& ini = presetsFile();
    IniFile::Batch batch(ini);
    for (int n = 1; n <= presetCharges; ++n) ini.setValue(presets, nakrutkiKey(n), asText(GLO::Nakrutki[n]));
    for (int n = 1; n <= presetCharges; ++n) ini.setValue(presets, nakrutkiNameKey(n), asText(GLO::NakrutkiName[n]));
    ini.setValue(presets, "FirmName", asText(FirmName));
    ini.setValue(presets, "DIrector", asText(Director));
}
