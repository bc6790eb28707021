#include "platform/ui/browse/browse_thumb.h"

#include "platform/core/codepage.h"
#include "platform/core/collation.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ui::thumb {

namespace {

// Characters that place a text: enough to tell rows apart on any scroll bar.
constexpr int kPlacingCharacters = 4;

// The text's first characters as a number in base 256 of their case-free weights.
std::int64_t placeOf(const QString& text)
{
    const std::string bytes = collation::toUpper(codepage::toCp1251(text));
    std::int64_t v = 0;
    for (int i = 0; i < kPlacingCharacters; ++i) {
        const unsigned char c = i < int(bytes.size()) ? static_cast<unsigned char>(bytes[std::size_t(i)]) : ' ';
        v = v * 256 + collation::weight(c);
    }
    return v;
}

// The byte of each weight.
const std::array<unsigned char, 256>& byteOfWeight()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int b = 0; b < 256; ++b) t[collation::weight(static_cast<unsigned char>(b))] = static_cast<unsigned char>(b);
        return t;
    }();
    return table;
}

int clampPercent(std::int64_t p) { return int(std::clamp<std::int64_t>(p, kTop, kBottom)); }

}  // namespace

int alphabeticPercent(const QString& text, const QString& first, const QString& last)
{
    const std::int64_t lo = placeOf(first), hi = placeOf(last);
    if (hi <= lo) return kTop;
    return clampPercent((placeOf(text) - lo) * 100 / (hi - lo));
}

QString alphabeticAt(int percent, const QString& first, const QString& last)
{
    const std::int64_t lo = placeOf(first), hi = placeOf(last);
    std::int64_t v = lo + (std::max(hi, lo) - lo) * clampPercent(percent) / 100;
    std::string bytes(kPlacingCharacters, ' ');
    for (int i = kPlacingCharacters - 1; i >= 0; --i) {
        bytes[std::size_t(i)] = static_cast<char>(byteOfWeight()[std::size_t(v % 256)]);
        v /= 256;
    }
    bytes.erase(bytes.find_last_not_of(' ') + 1);
    return codepage::fromCp1251(bytes);
}

int numericPercent(const Decimal& value, const Decimal& first, const Decimal& last)
{
    if (last <= first) return kTop;
    const mpz_class p = ((value - first) * 100 / (last - first)).integerPart();
    if (p < kTop) return kTop;
    if (p > kBottom) return kBottom;
    return int(p.get_si());
}

Decimal numericAt(int percent, const Decimal& first, const Decimal& last)
{
    if (last <= first) return first;
    return first + (last - first) * clampPercent(percent) / 100;
}

}  // namespace ui::thumb
