// Texts are stored as UTF-8 without trailing blanks, so that other tools read them and the
// NoCase collation compares them; record buffers hold them as blank-padded windows-1251.
#include "platform/records/layout.h"

#include "platform/core/codepage.h"
#include "platform/core/fixed_string.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>

namespace records::binding {
namespace {

bool isAscii(const unsigned char* bytes, std::size_t size)
{
    unsigned char all = 0;
    for (std::size_t i = 0; i < size; ++i) all |= bytes[i];
    return all < 0x80;
}

bool isAscii(std::string_view bytes)
{
    return isAscii(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// One character of stored UTF-8, decoded as SQLite decodes it when it turns text into UTF-16
// (a stray continuation byte stands for itself; an overlong form, a surrogate or U+FFFE/FFFF
// becomes U+FFFD), so that reading the bytes ourselves gives what SQLite's UTF-16 gave.
char32_t nextUtf8(const unsigned char*& p, const unsigned char* end)
{
    char32_t c = *p++;
    if (c < 0xC0) return c;
    static constexpr unsigned char kLeadBits[64] = {
        0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
        0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x1b, 0x1c, 0x1d, 0x1e, 0x1f,
        0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
        0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x00, 0x01, 0x02, 0x03, 0x00, 0x01, 0x00, 0x00,
    };
    c = kLeadBits[c - 0xC0];
    while (p < end && (*p & 0xC0) == 0x80) c = (c << 6) + (*p++ & 0x3F);
    if (c < 0x80 || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE) c = 0xFFFD;
    return c;
}

}  // namespace

void bindInteger(sqlite3_stmt* s, int index, std::int64_t v) { sqlite3_bind_int64(s, index, v); }

std::int64_t readInteger(sqlite3_stmt* s, int column) { return sqlite3_column_int64(s, column); }

void bindText(sqlite3_stmt* s, int index, std::string_view cp1251)
{
    cp1251 = fixed_string_detail::clip(cp1251);
    if (isAscii(cp1251)) {
        sqlite3_bind_text(s, index, cp1251.data(), int(cp1251.size()), SQLITE_TRANSIENT);
        return;
    }
    // SQLite turns UTF-16 into the file's UTF-8 itself; the buffer is reused so that a row
    // costs no allocation of ours.
    thread_local std::u16string wide;
    wide.resize(cp1251.size());
    for (std::size_t i = 0; i < cp1251.size(); ++i)
        wide[i] = codepage::cp1251ToUnicode(static_cast<unsigned char>(cp1251[i]));
    sqlite3_bind_text16(s, index, wide.data(), int(wide.size() * sizeof(char16_t)), SQLITE_TRANSIENT);
}

void readText(sqlite3_stmt* s, int column, char* out, std::size_t width)
{
    const unsigned char* utf8 = sqlite3_column_text(s, column);
    const std::size_t size = std::size_t(sqlite3_column_bytes(s, column));
    std::size_t n = 0;
    if (isAscii(utf8, size)) {
        n = std::min(size, width);
        std::copy_n(utf8, n, out);
    } else {
        // decoded here rather than through SQLite's UTF-16, which would copy every row's text
        for (const unsigned char *p = utf8, *end = utf8 + size; p < end && n < width;) {
            const char32_t u = nextUtf8(p, end);
            // the letters А..я, the bulk of stored texts, are 0xC0..0xFF in windows-1251
            out[n++] = static_cast<char>(u >= 0x0410 && u <= 0x044F ? u - 0x0410 + 0xC0 : codepage::unicodeToCp1251(u));
        }
    }
    std::fill(out + n, out + width, ' ');
}

void bindBlob(sqlite3_stmt* s, int index, std::string_view bytes)
{
    // an empty view may have no data pointer, which SQLite would store as NULL
    if (bytes.empty())
        sqlite3_bind_zeroblob(s, index, 0);
    else
        sqlite3_bind_blob(s, index, bytes.data(), int(bytes.size()), SQLITE_TRANSIENT);
}

std::string_view readBlob(sqlite3_stmt* s, int column)
{
    const void* data = sqlite3_column_blob(s, column);
    const int size = sqlite3_column_bytes(s, column);
    if (!data) return {};
    return std::string_view(static_cast<const char*>(data), std::size_t(size));
}

}  // namespace records::binding
