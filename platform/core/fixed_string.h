#pragma once
// STRING(n): n windows-1251 characters, blank-padded; compared without trailing blanks.

#include "platform/core/codepage.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace fixed_string_detail {
inline std::string_view clip(std::string_view s)
{
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}
}  // namespace fixed_string_detail

template <std::size_t N>
class FixedString {
public:
    static constexpr std::size_t width = N;

    FixedString() { bytes_.fill(' '); }
    FixedString(const QString& text) { *this = text; }
    FixedString(const char* utf8) { *this = QString::fromUtf8(utf8); }

    // windows-1251 bytes, cut to the width or padded with blanks
    void setBytes(std::string_view cp1251)
    {
        std::size_t n = std::min(cp1251.size(), N);
        std::copy_n(cp1251.data(), n, bytes_.data());
        std::fill(bytes_.begin() + std::ptrdiff_t(n), bytes_.end(), ' ');
    }
    FixedString& operator=(const QString& text)
    {
        setBytes(codepage::toCp1251(text));
        return *this;
    }
    FixedString& operator=(const char* utf8) { return *this = QString::fromUtf8(utf8); }
    template <std::size_t M>
    FixedString& operator=(const FixedString<M>& o)
    {
        setBytes(o.bytes());
        return *this;
    }
    void clear() { bytes_.fill(' '); }

    // all N bytes, blanks included
    std::string_view bytes() const { return std::string_view(bytes_.data(), N); }
    // without the trailing blanks
    std::string_view clipped() const { return fixed_string_detail::clip(bytes()); }
    // the text without its trailing blanks
    QString toQString() const { return codepage::fromCp1251(clipped()); }
    bool isBlank() const { return clipped().empty(); }

    char& operator[](std::size_t i) { return bytes_[i]; }
    char operator[](std::size_t i) const { return bytes_[i]; }

    template <std::size_t M>
    bool operator==(const FixedString<M>& o) const
    {
        return clipped() == o.clipped();
    }
    bool operator==(const QString& text) const { return toQString() == trimRight(text); }

private:
    static QString trimRight(const QString& s)
    {
        qsizetype n = s.size();
        while (n > 0 && s[n - 1] == u' ') --n;
        return s.left(n);
    }
    std::array<char, N> bytes_;
};
