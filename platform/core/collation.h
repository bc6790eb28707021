#pragma once
// Case conversion and text order of windows-1251 texts: fixed tables of our own, so the
// process locale never changes how texts are upper-cased, compared or sorted. Every byte
// has its own weight (a total order); letters of a case pair are adjacent, capital first.
// Comparisons treat the shorter text as padded with blanks, so trailing blanks never count.

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace collation {

// Stored with keys built by this order; raise it whenever a table below changes.
constexpr int kVersion = 1;

unsigned char toUpper(unsigned char c);
unsigned char toLower(unsigned char c);
std::string toUpper(std::string_view cp1251);
std::string toLower(std::string_view cp1251);
// Characters that windows-1251 cannot hold stay as they are.
QString toUpper(const QString& text);
QString toLower(const QString& text);
// toUpper over UTF-8 text: what the windows-1251 tables make of each character; characters
// windows-1251 cannot hold and bytes that are no valid UTF-8 stay as they are.
std::string toUpperUtf8(std::string_view utf8);
// The same into `out` (replaced), for callers that fold text after text into one buffer.
void toUpperUtf8(std::string_view utf8, std::string& out);

std::uint16_t weight(unsigned char c);

// Negative, zero or positive as a sorts before, with or after b.
int compare(std::string_view a, std::string_view b);
// Upper-cased texts compared by the same weights; letters that differ (Е and Ё) still differ.
int compareNoCase(std::string_view a, std::string_view b);
// compareNoCase over UTF-8 texts. A character windows-1251 cannot hold sorts after all of
// its characters, by code point; a byte that is no valid UTF-8 sorts after every character.
int compareNoCaseUtf8(std::string_view a, std::string_view b);

}  // namespace collation
