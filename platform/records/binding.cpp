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

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u < 0xDC00; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u < 0xE000; }

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
        const auto* wide = static_cast<const char16_t*>(sqlite3_column_text16(s, column));
        const std::size_t units = std::size_t(sqlite3_column_bytes16(s, column)) / sizeof(char16_t);
        for (std::size_t i = 0; i < units && n < width; ++i) {
            char32_t u = wide[i];
            if (isHighSurrogate(wide[i]) && i + 1 < units && isLowSurrogate(wide[i + 1])) {
                u = 0x10000 + ((char32_t(wide[i]) - 0xD800) << 10) + (char32_t(wide[i + 1]) - 0xDC00);
                ++i;
            }
            out[n++] = static_cast<char>(codepage::unicodeToCp1251(u));
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
