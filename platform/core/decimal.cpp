#include "platform/core/decimal.h"

#include <QString>

#include <array>
#include <charconv>
#include <limits>
#include <numeric>

namespace {

// The most places the 64-bit paths take (10^18 still fits).
constexpr int kMaxFitPlaces = 18;

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
    if (places < 0 || places > kMaxFitPlaces) return fromFraction(mpz_class(static_cast<long>(scaled)), pow10(places));
    // reduced in 64 bits: no gcd of big numbers for every stored field read
    const std::uint64_t magnitude = scaled < 0 ? 0 - std::uint64_t(scaled) : std::uint64_t(scaled);
    const std::uint64_t divisor = std::gcd(magnitude, decimal_detail::pow10u(places));
    Decimal d;
    mpz_set_ui(d.q_.get_num_mpz_t(), magnitude / divisor);
    if (scaled < 0) mpz_neg(d.q_.get_num_mpz_t(), d.q_.get_num_mpz_t());
    mpz_set_ui(d.q_.get_den_mpz_t(), decimal_detail::pow10u(places) / divisor);
    return d;
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

std::optional<std::int64_t> Decimal::scaledRoundedFit(int places) const
{
    const mpz_srcptr num = q_.get_num_mpz_t(), den = q_.get_den_mpz_t();
    if (places < 0 || places > kMaxFitPlaces || !mpz_fits_slong_p(num) || !mpz_fits_ulong_p(den)) return std::nullopt;
    // |n| * 10^places < 2^63 * 10^18 < 2^124: the doubled sum below stays within 128 bits
    using Wide = unsigned __int128;
    const long n = mpz_get_si(num);
    const Wide magnitude = n < 0 ? Wide(0 - std::uint64_t(n)) : Wide(std::uint64_t(n));
    const Wide d = mpz_get_ui(den);
    const Wide r = (2 * magnitude * decimal_detail::pow10u(places) + d) / (2 * d);
    if (r > Wide(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
    return n < 0 ? -std::int64_t(r) : std::int64_t(r);
}

mpz_class Decimal::scaledRounded(int places) const
{
    if (const std::optional<std::int64_t> fit = scaledRoundedFit(places)) return mpz_class(static_cast<long>(*fit));
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
    bool negative;
    std::string digits;
    if (const std::optional<std::int64_t> fit = scaledRoundedFit(places)) {
        negative = *fit < 0;
        char buffer[20];
        digits.assign(buffer, std::size_t(decimal_detail::digitsOf(negative ? 0 - std::uint64_t(*fit) : std::uint64_t(*fit), buffer)));
    } else {
        mpz_class s = scaledRounded(places);
        negative = s < 0;
        digits = mpz_class(abs(s)).get_str();
    }
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

std::uint64_t pow10u(int n)
{
    static constexpr auto table = [] {
        std::array<std::uint64_t, kMaxFitPlaces + 1> t{};
        t[0] = 1;
        for (std::size_t i = 1; i < t.size(); ++i) t[i] = t[i - 1] * 10;
        return t;
    }();
    return table[std::size_t(n)];
}

int digitsOf(std::uint64_t magnitude, char* out)
{
    return int(std::to_chars(out, out + 20, magnitude).ptr - out);
}

bool fitsDigits(std::int64_t scaled, int precision)
{
    return precision > kMaxFitPlaces || (scaled < 0 ? 0 - std::uint64_t(scaled) : std::uint64_t(scaled)) < pow10u(precision);
}

std::int64_t keepLowDigits(std::int64_t scaled, int precision)
{
    // the remainder truncated toward zero, as mpz_tdiv_r
    return precision > kMaxFitPlaces ? scaled : scaled % std::int64_t(pow10u(precision));
}

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
