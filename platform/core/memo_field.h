#pragma once
// MEMO(n): up to n bytes of windows-1251 text kept with the record, stored exactly.

#include "platform/core/codepage.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

template <std::size_t N>
class MemoField {
public:
    static constexpr std::size_t capacity = N;

    MemoField() { bytes_.fill(0); }

    // cut to the capacity
    void setBytes(std::string_view bytes)
    {
        length_ = static_cast<std::uint32_t>(std::min(bytes.size(), N));
        std::copy_n(bytes.data(), length_, bytes_.data());
        std::fill(bytes_.begin() + length_, bytes_.end(), 0);
    }
    MemoField& operator=(const QString& text)
    {
        setBytes(codepage::toCp1251(text));
        return *this;
    }
    void clear() { setBytes({}); }

    std::string_view bytes() const { return std::string_view(bytes_.data(), length_); }
    QString toQString() const { return codepage::fromCp1251(bytes()); }
    bool isEmpty() const { return length_ == 0; }

    friend bool operator==(const MemoField& a, const MemoField& b) { return a.bytes() == b.bytes(); }

private:
    std::uint32_t length_ = 0;
    std::array<char, N> bytes_;
};
