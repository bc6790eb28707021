#include "platform/core/collation.h"

#include "platform/core/codepage.h"

#include <algorithm>
#include <array>

namespace collation {
namespace {

using Table = std::array<unsigned char, 256>;
using Weights = std::array<std::uint16_t, 256>;

struct CasePair {
    unsigned char upper;
    unsigned char lower;
};

// The case pairs of windows-1251 beyond the contiguous A-Z and А-Я ranges.
constexpr CasePair kExtraPairs[] = {
    {0xA8, 0xB8},  // Ё ё
    {0xA5, 0xB4},  // Ґ ґ
    {0xAA, 0xBA},  // Є є
    {0xB2, 0xB3},  // І і
    {0xAF, 0xBF},  // Ї ї
    {0xA1, 0xA2},  // Ў ў
    {0x80, 0x90},  // Ђ ђ
    {0x81, 0x83},  // Ѓ ѓ
    {0x8A, 0x9A},  // Љ љ
    {0x8C, 0x9C},  // Њ њ
    {0x8D, 0x9D},  // Ќ ќ
    {0x8E, 0x9E},  // Ћ ћ
    {0x8F, 0x9F},  // Џ џ
    {0xA3, 0xBC},  // Ј ј
    {0xBD, 0xBE},  // Ѕ ѕ
};

enum class Direction { ToUpper, ToLower };

constexpr Table buildCaseTable(Direction direction)
{
    Table t{};
    for (unsigned b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(b);
    auto pair = [&](unsigned upper, unsigned lower) {
        if (direction == Direction::ToUpper)
            t[lower] = static_cast<unsigned char>(upper);
        else
            t[upper] = static_cast<unsigned char>(lower);
    };
    for (unsigned i = 0; i < 26; ++i) pair('A' + i, 'a' + i);
    for (unsigned i = 0; i < 32; ++i) pair(0xC0 + i, 0xE0 + i);
    for (const CasePair& p : kExtraPairs) pair(p.upper, p.lower);
    return t;
}

constexpr Table kUpper = buildCaseTable(Direction::ToUpper);
constexpr Table kLower = buildCaseTable(Direction::ToLower);

// Capital Cyrillic letters in alphabetical order, each extra letter after its nearest Russian one.
constexpr unsigned char kCyrillicCapitals[] = {
    0xC0, 0xC1, 0xC2,              // А Б В
    0xC3, 0xA5, 0x81,              // Г Ґ Ѓ
    0xC4, 0x80,                    // Д Ђ
    0xC5, 0xA8, 0xAA,              // Е Ё Є
    0xC6, 0xC7, 0xBD,              // Ж З Ѕ
    0xC8, 0xB2, 0xAF, 0xC9, 0xA3,  // И І Ї Й Ј
    0xCA, 0x8D,                    // К Ќ
    0xCB, 0x8A,                    // Л Љ
    0xCC, 0xCD, 0x8C,              // М Н Њ
    0xCE, 0xCF, 0xD0, 0xD1,        // О П Р С
    0xD2, 0x8E,                    // Т Ћ
    0xD3, 0xA1,                    // У Ў
    0xD4, 0xD5, 0xD6, 0xD7, 0x8F,  // Ф Х Ц Ч Џ
    0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF,  // Ш Щ Ъ Ы Ь Э Ю Я
};

// Punctuation and symbols of the upper half, in byte order.
constexpr unsigned char kUpperHalfSymbols[] = {
    0x82, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8B, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x99,
    0x9B, 0xA4, 0xA6, 0xA7, 0xA9, 0xAB, 0xAC, 0xAD, 0xAE, 0xB0, 0xB1, 0xB5, 0xB6, 0xB7, 0xB9, 0xBB,
};

// Weights in ascending groups: control characters, blanks, punctuation and symbols, digits,
// Latin letters, Cyrillic letters. A byte left out or given twice stops the compilation.
constexpr Weights buildWeights()
{
    std::array<int, 256> w{};
    w.fill(-1);
    int next = 0;
    auto put = [&](unsigned b) {
        if (w[b] != -1) throw "byte weighed twice";
        w[b] = next++;
    };
    auto range = [&](unsigned first, unsigned last) {
        for (unsigned b = first; b <= last; ++b) put(b);
    };

    range(0x00, 0x1F);
    put(0x7F);
    put(0x98);  // no character in windows-1251
    put(' ');
    put(0xA0);  // no-break space
    range(0x21, 0x2F);
    range(0x3A, 0x40);
    range(0x5B, 0x60);
    range(0x7B, 0x7E);
    for (unsigned char b : kUpperHalfSymbols) put(b);
    range('0', '9');
    for (unsigned i = 0; i < 26; ++i) {
        put('A' + i);
        put('a' + i);
    }
    for (unsigned char capital : kCyrillicCapitals) {
        put(capital);
        put(kLower[capital]);
    }

    Weights out{};
    for (unsigned b = 0; b < 256; ++b) {
        if (w[b] == -1) throw "byte without weight";
        out[b] = static_cast<std::uint16_t>(w[b]);
    }
    return out;
}

constexpr Weights kWeights = buildWeights();

constexpr Weights buildNoCaseWeights()
{
    Weights out{};
    for (unsigned b = 0; b < 256; ++b) out[b] = kWeights[kUpper[b]];
    return out;
}

constexpr Weights kNoCaseWeights = buildNoCaseWeights();

int sign(int v) { return (v > 0) - (v < 0); }

// Byte texts compared by a weight table, the shorter one padded with blanks.
int compareBy(const Weights& weights, std::string_view a, std::string_view b)
{
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = i < a.size() ? static_cast<unsigned char>(a[i]) : ' ';
        const unsigned char cb = i < b.size() ? static_cast<unsigned char>(b[i]) : ' ';
        if (ca == cb) continue;
        if (int d = int(weights[ca]) - int(weights[cb])) return sign(d);
    }
    return 0;
}

std::string mapBytes(const Table& table, std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return out;
}

QString mapChars(const Table& table, const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        const unsigned char b = codepage::unicodeToCp1251(u);
        if (b == '?' && u != u'?') continue;  // not a windows-1251 character
        const unsigned char mapped = table[b];
        if (mapped != b) c = QChar(codepage::cp1251ToUnicode(mapped));
    }
    return out;
}

// Sort keys of UTF-8 texts: windows-1251 characters first by their case-free weight, then
// the other code points, then bytes that are no valid UTF-8.
constexpr std::uint32_t kBlankKey = kNoCaseWeights[' '];
constexpr std::uint32_t kCodePointBase = 256;
constexpr std::uint32_t kInvalidByteBase = kCodePointBase + 0x110000;

std::uint32_t codePointKey(char32_t u)
{
    if (u < 0x80) return kNoCaseWeights[u];
    if (u >= 0x410 && u <= 0x44F) return kNoCaseWeights[u - 0x410 + 0xC0];  // А..я, the usual case
    const unsigned char b = codepage::unicodeToCp1251(u);
    return b == '?' ? kCodePointBase + u : kNoCaseWeights[b];
}

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The multi-byte UTF-8 sequence at pos: its code point, pos moved past it; false when the
// bytes are no valid sequence.
bool decodeSequence(std::string_view s, std::size_t& pos, char32_t& u)
{
    const unsigned char lead = static_cast<unsigned char>(s[pos]);
    std::size_t length;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
    } else {
        return false;
    }
    if (s.size() - pos < length) return false;
    u = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(s[pos + i]);
        if (!isContinuation(c)) return false;
        u = (u << 6) | (c & 0x3F);
    }
    if (u < minimum || u > 0x10FFFF) return false;
    pos += length;
    return true;
}

// The key of the character at pos, pos moved past it; a text at its end gives a blank.
std::uint32_t nextKey(std::string_view s, std::size_t& pos)
{
    if (pos >= s.size()) return kBlankKey;
    const unsigned char lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        ++pos;
        return kNoCaseWeights[lead];
    }
    if (char32_t u; decodeSequence(s, pos, u)) return codePointKey(u);
    ++pos;
    return kInvalidByteBase + lead;
}

}  // namespace

unsigned char toUpper(unsigned char c) { return kUpper[c]; }
unsigned char toLower(unsigned char c) { return kLower[c]; }
std::string toUpper(std::string_view cp1251) { return mapBytes(kUpper, cp1251); }
std::string toLower(std::string_view cp1251) { return mapBytes(kLower, cp1251); }
QString toUpper(const QString& text) { return mapChars(kUpper, text); }
QString toLower(const QString& text) { return mapChars(kLower, text); }

namespace {

// What the windows-1251 tables make of a code point; one they cannot hold stays.
char32_t upperCodePoint(char32_t u)
{
    const unsigned char b = codepage::unicodeToCp1251(u);
    return b == '?' ? u : char32_t(codepage::cp1251ToUnicode(kUpper[b]));
}

void appendUtf8(std::string& out, char32_t u)
{
    if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}

// The Cyrillic block U+0400..U+047F, where nearly every letter of a stored text lies, ready
// made: searches fold every name they pass.
const std::array<char32_t, 0x80>& cyrillicUpper()
{
    static const std::array<char32_t, 0x80> table = [] {
        std::array<char32_t, 0x80> t{};
        for (char32_t u = 0; u < 0x80; ++u) t[u] = upperCodePoint(0x400 + u);
        return t;
    }();
    return table;
}

}  // namespace

std::string toUpperUtf8(std::string_view s)
{
    std::string out;
    toUpperUtf8(s, out);
    return out;
}

void toUpperUtf8(std::string_view s, std::string& out)
{
    const auto& cyrillic = cyrillicUpper();
    out.clear();
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const unsigned char lead = static_cast<unsigned char>(s[pos]);
        if (lead < 0x80) {
            out += char(kUpper[lead]);
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        char32_t u;
        if (!decodeSequence(s, pos, u)) {
            out += char(lead);
            pos = start + 1;
            continue;
        }
        const char32_t upper = u >= 0x400 && u < 0x480 ? cyrillic[u - 0x400] : upperCodePoint(u);
        if (upper == u)
            out.append(s.substr(start, pos - start));
        else
            appendUtf8(out, upper);
    }
}

std::uint16_t weight(unsigned char c) { return kWeights[c]; }

int compare(std::string_view a, std::string_view b) { return compareBy(kWeights, a, b); }
int compareNoCase(std::string_view a, std::string_view b) { return compareBy(kNoCaseWeights, a, b); }

int compareNoCaseUtf8(std::string_view a, std::string_view b)
{
    // Equal leading bytes are equal characters: start at the last character boundary before
    // the first difference (a byte that is no continuation byte always begins a character).
    std::size_t start = std::size_t(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    auto isBoundary = [&start](std::string_view s) {
        return start == s.size() || !isContinuation(static_cast<unsigned char>(s[start]));
    };
    while (start > 0 && !(isBoundary(a) && isBoundary(b))) --start;
    std::size_t i = start;
    std::size_t j = start;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size()) {
            const unsigned char ca = static_cast<unsigned char>(a[i]);
            const unsigned char cb = static_cast<unsigned char>(b[j]);
            if (ca < 0x80 && cb < 0x80) {  // ASCII needs no decoding
                if (ca != cb) {
                    if (int d = int(kNoCaseWeights[ca]) - int(kNoCaseWeights[cb])) return sign(d);
                }
                ++i;
                ++j;
                continue;
            }
        }
        const std::uint32_t ka = nextKey(a, i);
        const std::uint32_t kb = nextKey(b, j);
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    return 0;
}

}  // namespace collation
