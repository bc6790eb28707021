#include "platform/core/decimal.h"

#include <QString>

namespace {

mpz_class pow10(int n)
{
    mpz_class r;
    mpz_ui_pow_ui(r.get_mpz_t(), 10, static_cast<unsigned long>(n));
    return r;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Parses [sign] digits [. digits] from the start of text; returns the characters used
// (0 when no digit was found).
std::size_t parseLeadingNumber(std::string_view text, Decimal& out)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string digits;
    int places = 0;
    bool anyDigit = false;
    while (i < text.size() && isDigit(text[i])) {
        digits += text[i++];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        std::string fraction;
        while (j < text.size() && isDigit(text[j])) fraction += text[j++];
        if (anyDigit || !fraction.empty()) {
            digits += fraction;
            places = int(fraction.size());
            anyDigit = true;
            i = j;
        }
    }
    if (!anyDigit) return 0;
    mpz_class n(digits, 10);
    if (negative) n = -n;
    out = Decimal::fromFraction(n, pow10(places));
    return i;
}

}  // namespace

Decimal::Decimal(long long v) : q_(static_cast<long>(v)) {}

Decimal Decimal::fromScaled(std::int64_t scaled, int places)
{
    return fromFraction(mpz_class(static_cast<long>(scaled)), pow10(places));
}

Decimal Decimal::fromFraction(const mpz_class& numerator, const mpz_class& denominator)
{
    if (denominator == 0) return Decimal();
    mpq_class q(numerator, denominator);
    q.canonicalize();
    Decimal d;
    d.q_ = q;
    return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text)
{
    Decimal d;
    std::size_t used = parseLeadingNumber(text, d);
    if (used == 0 || used != text.size()) return std::nullopt;
    return d;
}

mpz_class Decimal::scaledRounded(int places) const
{
    // |n| * 10^places / d, rounded half up, then the sign back: half away from zero.
    mpz_class n = abs(q_.get_num()) * pow10(places);
    const mpz_class& d = q_.get_den();
    mpz_class r = (2 * n + d) / (2 * d);
    return sign() < 0 ? mpz_class(-r) : r;
}

Decimal Decimal::rounded(int places) const
{
    return fromFraction(scaledRounded(places), pow10(places));
}

mpz_class Decimal::integerPart() const
{
    mpz_class r;
    mpz_tdiv_q(r.get_mpz_t(), q_.get_num_mpz_t(), q_.get_den_mpz_t());
    return r;
}

std::string Decimal::toFixedString(int places) const
{
    mpz_class s = scaledRounded(places);
    bool negative = s < 0;
    std::string digits = mpz_class(abs(s)).get_str();
    if (places > 0) {
        if (int(digits.size()) <= places) digits.insert(0, std::size_t(places + 1 - int(digits.size())), '0');
        digits.insert(digits.size() - std::size_t(places), 1, '.');
    }
    return negative ? "-" + digits : digits;
}

std::string Decimal::toPlainString(int maxPlaces) const
{
    std::string s = toFixedString(maxPlaces);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

Decimal& Decimal::operator+=(const Decimal& o)
{
    q_ += o.q_;
    return *this;
}

Decimal& Decimal::operator-=(const Decimal& o)
{
    q_ -= o.q_;
    return *this;
}

Decimal& Decimal::operator*=(const Decimal& o)
{
    q_ *= o.q_;
    return *this;
}

Decimal& Decimal::operator/=(const Decimal& o)
{
    if (o.isZero())
        q_ = 0;
    else
        q_ /= o.q_;
    return *this;
}

Decimal operator+(const Decimal& a, const Decimal& b) { return Decimal(a) += b; }
Decimal operator-(const Decimal& a, const Decimal& b) { return Decimal(a) -= b; }
Decimal operator*(const Decimal& a, const Decimal& b) { return Decimal(a) *= b; }
Decimal operator/(const Decimal& a, const Decimal& b) { return Decimal(a) /= b; }
bool operator==(const Decimal& a, const Decimal& b) { return a.rational() == b.rational(); }

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    int c = cmp(a.rational(), b.rational());
    return c < 0 ? std::strong_ordering::less : c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal;
}

Decimal textToNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    Decimal d;
    parseLeadingNumber(text.substr(i), d);
    return d;
}

Decimal textToNumber(const QString& text) { return textToNumber(text.toLatin1().toStdString()); }

namespace decimal_detail {

bool fitsDigits(const mpz_class& scaled, int precision) { return abs(scaled) < pow10(precision); }

std::int64_t keepLowDigits(const mpz_class& scaled, int precision)
{
    mpz_class r;
    mpz_tdiv_r(r.get_mpz_t(), scaled.get_mpz_t(), pow10(precision).get_mpz_t());
    return r.get_si();
}

}  // namespace decimal_detail

namespace integer_detail {

bool fits(const mpz_class& v, int bits, bool isSigned)
{
    if (isSigned) {
        mpz_class limit = mpz_class(1) << (bits - 1);
        return v >= -limit && v < limit;
    }
    return v >= 0 && v < (mpz_class(1) << bits);
}

std::int64_t lowBits(const mpz_class& v, int bits, bool isSigned)
{
    mpz_class modulus = mpz_class(1) << bits;
    mpz_class r;
    mpz_fdiv_r(r.get_mpz_t(), v.get_mpz_t(), modulus.get_mpz_t());  // 0 <= r < 2^bits
    if (isSigned && r >= (modulus >> 1)) r -= modulus;
    return r.get_si();
}

}  // namespace integer_detail
