#include "platform/core/codepage.h"

#include <array>

namespace codepage {
namespace {

// Unicode of bytes 0x80..0xFF; the lower half is ASCII in both code pages.
const char16_t kCp1251[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

const char16_t kCp866[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

// Reverse look-up: Unicode BMP character -> byte, built once from the tables above.
struct Reverse {
    std::array<unsigned char, 0x10000> bytes{};
    explicit Reverse(const char16_t (&upper)[128])
    {
        for (unsigned c = 0; c < 128; ++c) bytes[c] = static_cast<unsigned char>(c);
        for (unsigned c = 0; c < 128; ++c) bytes[upper[c]] = static_cast<unsigned char>(0x80 + c);
    }
    unsigned char operator()(char32_t u) const
    {
        if (u >= 0x10000) return '?';
        unsigned char b = bytes[u];
        return (b == 0 && u != 0) ? '?' : b;
    }
};

const Reverse& reverse1251()
{
    static const Reverse r(kCp1251);
    return r;
}

const Reverse& reverse866()
{
    static const Reverse r(kCp866);
    return r;
}

template <class ToByte>
std::string encode(QStringView text, ToByte toByte)
{
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
            ++i;
        }
        out += static_cast<char>(toByte(u));
    }
    return out;
}

template <class ToUnicode>
QString decode(std::string_view bytes, ToUnicode toUnicode)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (char c : bytes) out += QChar(toUnicode(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

char16_t cp1251ToUnicode(unsigned char c) { return c < 0x80 ? char16_t(c) : kCp1251[c - 0x80]; }
char16_t cp866ToUnicode(unsigned char c) { return c < 0x80 ? char16_t(c) : kCp866[c - 0x80]; }
unsigned char unicodeToCp1251(char32_t u) { return reverse1251()(u); }
unsigned char unicodeToCp866(char32_t u) { return reverse866()(u); }

bool representableInCp1251(char32_t u) { return u == '?' || unicodeToCp1251(u) != '?'; }

QString fromCp1251(std::string_view bytes) { return decode(bytes, cp1251ToUnicode); }
std::string toCp1251(QStringView text) { return encode(text, unicodeToCp1251); }
QString fromCp866(std::string_view bytes) { return decode(bytes, cp866ToUnicode); }
std::string toCp866(QStringView text) { return encode(text, unicodeToCp866); }

std::string cp1251ToUtf8(std::string_view bytes) { return fromCp1251(bytes).toStdString(); }
std::string utf8ToCp1251(std::string_view utf8)
{
    return toCp1251(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

std::string cp1251ToCp866(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) out += static_cast<char>(unicodeToCp866(cp1251ToUnicode(static_cast<unsigned char>(c))));
    return out;
}

std::string cp866ToCp1251(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) out += static_cast<char>(unicodeToCp1251(cp866ToUnicode(static_cast<unsigned char>(c))));
    return out;
}

}  // namespace codepage
