#include "catalogue/import/text/import_decimal.h"

#include <gmpxx.h>

#include <algorithm>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isE(char c) { return c == 'e' || c == 'E'; }

}  // namespace

std::string NormalizeDecimal(std::string_view fieldText)
{
    std::size_t end = fieldText.size();
    while (end > 0 && fieldText[end - 1] == ' ') --end;
    std::size_t begin = 0;
    // a padded " -3,5" keeps its sign
    while (begin < end && fieldText[begin] == ' ') ++begin;
    const std::string_view text = fieldText.substr(begin, end - begin);
    if (text.empty()) return {};

    std::string t;
    t.reserve(text.size() + 1);
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        t = text;
    } else if (comma == 0) {
        t = "0.";
        t.append(text.substr(1));
    } else {
        t = text.substr(0, comma);
        if (comma + 1 < text.size()) {
            t += '.';
            t.append(text.substr(comma + 1));
        }
    }

    std::string out;
    out.reserve(t.size());
    bool point = false;
    std::size_t exponentAt = std::string::npos;  // in t
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        const bool afterExponent = exponentAt != std::string::npos && i == exponentAt + 1;
        if (isDigit(c) || (c == '-' && (i == 0 || afterExponent)) || (c == '+' && afterExponent)) {
            out += c;
        } else if (c == '.' && !point) {
            point = true;
            out += c;
        } else if (isE(c) && exponentAt == std::string::npos) {
            exponentAt = i;
            out += c;
        }
    }
    return out;
}

bool ConvertDecimal(std::string_view text, int precision, int places, std::int64_t& scaled)
{
    scaled = 0;
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative || (i < text.size() && text[i] == '+')) ++i;
    std::string digits;  // of the mantissa, without leading zeros
    long long fraction = 0;
    bool anyDigit = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        anyDigit = true;
        if (!digits.empty() || text[i] != '0') digits += text[i];
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            anyDigit = true;
            if (!digits.empty() || text[i] != '0') digits += text[i];
            ++fraction;
        }
    }
    if (!anyDigit || digits.empty()) return true;  // no number, or zero whatever its exponent

    // The exponent counts only when digits follow it ("1e" is 1); its size is capped, as any
    // value beyond a few thousand digits is out of range or rounds to zero alike.
    long long exponent = 0;
    if (i < text.size() && isE(text[i])) {
        std::size_t j = i + 1;
        const bool expNegative = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            constexpr long long kCap = 1'000'000'000;
            for (; j < text.size() && isDigit(text[j]); ++j) exponent = std::min(kCap, exponent * 10 + (text[j] - '0'));
            if (expNegative) exponent = -exponent;
        }
    }

    // value = digits * 10^shift / 10^places
    const long long shift = exponent - fraction + places;
    const long long length = static_cast<long long>(digits.size());
    mpz_class value(digits, 10);
    if (shift >= 0) {
        if (length + shift > precision) return false;
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(shift));
        value *= power;
    } else {
        if (-shift > length) return true;  // below half a unit of the last place
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(-shift));
        mpz_class quotient, remainder;
        mpz_tdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), value.get_mpz_t(), power.get_mpz_t());
        if (2 * remainder >= power) ++quotient;
        value = quotient;
    }
    if (value != 0 && static_cast<long long>(value.get_str().size()) > precision) return false;
    scaled = value.get_si();
    if (negative) scaled = -scaled;
    return true;
}
