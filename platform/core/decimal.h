#pragma once
// Exact decimal arithmetic: expression values are rationals, stored fields are
// scaled 64-bit integers of a fixed precision and number of places.

#include <gmpxx.h>

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

class QString;

// The value of an expression: exact, division included.
class Decimal {
public:
    Decimal() = default;
    Decimal(int v) : q_(v) {}
    Decimal(long v) : q_(v) {}
    Decimal(long long v);
    Decimal(unsigned v) : q_(v) {}
    explicit Decimal(const mpq_class& q) : q_(q) { q_.canonicalize(); }

    // value = scaled / 10^places
    static Decimal fromScaled(std::int64_t scaled, int places);
    // numerator / denominator, canonicalized; a zero denominator gives 0
    static Decimal fromFraction(const mpz_class& numerator, const mpz_class& denominator);
    // Strict decimal text: optional sign, digits with an optional '.' and fraction.
    // Anything else (blanks included) gives no value.
    static std::optional<Decimal> parse(std::string_view text);

    const mpq_class& rational() const { return q_; }
    int sign() const { return sgn(q_); }
    bool isZero() const { return sign() == 0; }

    // round(value * 10^places), half away from zero
    mpz_class scaledRounded(int places) const;
    // The same in 64 bits, without the big-number library, when the value's numerator and
    // denominator and the result all fit (0 to 18 places); nothing otherwise.
    std::optional<std::int64_t> scaledRoundedFit(int places) const;
    // rounded to places, half away from zero
    Decimal rounded(int places) const;
    // the integer part (truncated toward zero)
    mpz_class integerPart() const;

    // Plain decimal notation, rounded to at most maxPlaces, without trailing zeros or a
    // trailing point: 1.150 -> "1.15", 1 -> "1", 0 -> "0".
    std::string toPlainString(int maxPlaces = 15) const;
    // Fixed number of places: 2.5 with 2 -> "2.50".
    std::string toFixedString(int places) const;

    Decimal operator-() const { return Decimal(mpq_class(-q_)); }
    Decimal& operator+=(const Decimal& o);
    Decimal& operator-=(const Decimal& o);
    Decimal& operator*=(const Decimal& o);
    Decimal& operator/=(const Decimal& o);  // by zero gives 0

private:
    mpq_class q_;
};

Decimal operator+(const Decimal& a, const Decimal& b);
Decimal operator-(const Decimal& a, const Decimal& b);
Decimal operator*(const Decimal& a, const Decimal& b);
Decimal operator/(const Decimal& a, const Decimal& b);
bool operator==(const Decimal& a, const Decimal& b);
std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

// The platform's text-to-number conversion: leading blanks skipped, the longest leading
// number taken ("12.5abc" -> 12.5), nothing numeric gives 0. '.' is the decimal point.
// Independent of the process locale.
Decimal textToNumber(std::string_view text);
Decimal textToNumber(const QString& text);

namespace decimal_detail {
// Keeps the low-order `precision` digits of a scaled value (the sign stays).
std::int64_t keepLowDigits(const mpz_class& scaled, int precision);
bool fitsDigits(const mpz_class& scaled, int precision);
// The same for a value in 64 bits (precision 1 to 18).
std::int64_t keepLowDigits(std::int64_t scaled, int precision);
bool fitsDigits(std::int64_t scaled, int precision);
// 10^n for n from 0 to 18.
std::uint64_t pow10u(int n);
// The decimal digits of a magnitude, written at `out` (20 chars at most); returns their count.
int digitsOf(std::uint64_t magnitude, char* out);
}  // namespace decimal_detail

// A stored DECIMAL(P,S) field: P digits, S of them after the point.
template <int P, int S>
class DecimalField {
    static_assert(P > 0 && P <= 18 && S >= 0 && S <= P, "DECIMAL(p,s) out of range");

public:
    static constexpr int precision = P;
    static constexpr int places = S;

    DecimalField() = default;
    DecimalField(const Decimal& v) { *this = v; }

    // Rounds half away from zero to S places; a value too wide keeps its low-order digits.
    DecimalField& operator=(const Decimal& v)
    {
        if (const std::optional<std::int64_t> fit = v.scaledRoundedFit(S))
            scaled_ = decimal_detail::keepLowDigits(*fit, P);
        else
            scaled_ = decimal_detail::keepLowDigits(v.scaledRounded(S), P);
        return *this;
    }
    template <int P2, int S2>
    DecimalField& operator=(const DecimalField<P2, S2>& o)
    {
        return *this = Decimal(o);
    }

    // Stores like assignment but refuses a value too wide for P digits: returns false and
    // leaves the field unchanged.
    bool checkedStore(const Decimal& v)
    {
        if (const std::optional<std::int64_t> fit = v.scaledRoundedFit(S)) {
            if (!decimal_detail::fitsDigits(*fit, P)) return false;
            scaled_ = *fit;
            return true;
        }
        mpz_class s = v.scaledRounded(S);
        if (!decimal_detail::fitsDigits(s, P)) return false;
        scaled_ = s.get_si();
        return true;
    }

    operator Decimal() const { return Decimal::fromScaled(scaled_, S); }
    Decimal value() const { return Decimal::fromScaled(scaled_, S); }

    std::int64_t scaled() const { return scaled_; }
    void setScaled(std::int64_t s) { scaled_ = s; }
    bool isZero() const { return scaled_ == 0; }

    friend bool operator==(const DecimalField& a, const DecimalField& b) { return a.scaled_ == b.scaled_; }

private:
    std::int64_t scaled_ = 0;
};

// Integer fields (BYTE, SHORT, LONG): the platform's assignment truncates a fraction toward
// zero and keeps the low-order bits of a value too wide; the checked one refuses it.
namespace integer_detail {
std::int64_t lowBits(const mpz_class& v, int bits, bool isSigned);
bool fits(const mpz_class& v, int bits, bool isSigned);
}  // namespace integer_detail

template <class Int>
Int assignInteger(const Decimal& v)
{
    static_assert(std::is_integral_v<Int> && sizeof(Int) <= 4);
    return static_cast<Int>(integer_detail::lowBits(v.integerPart(), int(sizeof(Int) * 8), std::is_signed_v<Int>));
}

template <class Int>
bool checkedAssignInteger(const Decimal& v, Int& out)
{
    static_assert(std::is_integral_v<Int> && sizeof(Int) <= 4);
    mpz_class i = v.integerPart();
    if (!integer_detail::fits(i, int(sizeof(Int) * 8), std::is_signed_v<Int>)) return false;
    out = static_cast<Int>(i.get_si());
    return true;
}
