#pragma once
// The two code pages of the system's files: windows-1251 (records, settings, exports) and
// DOS 866 (text reports). The upper halves are tables of our own; a character the target
// code page cannot hold becomes '?'. Byte 0x98 of windows-1251 has no character and decodes
// to U+0098 and back, so no stored byte is changed by a round trip.

#include <QString>

#include <string>
#include <string_view>

namespace codepage {

char16_t cp1251ToUnicode(unsigned char c);
char16_t cp866ToUnicode(unsigned char c);
// '?' when the code page has no such character
unsigned char unicodeToCp1251(char32_t u);
unsigned char unicodeToCp866(char32_t u);

QString fromCp1251(std::string_view bytes);
std::string toCp1251(QStringView text);
QString fromCp866(std::string_view bytes);
std::string toCp866(QStringView text);

std::string cp1251ToUtf8(std::string_view bytes);
std::string utf8ToCp1251(std::string_view utf8);
std::string cp1251ToCp866(std::string_view bytes);
std::string cp866ToCp1251(std::string_view bytes);

// Whether windows-1251 holds the character (entries refuse the others).
bool representableInCp1251(char32_t u);

}  // namespace codepage
