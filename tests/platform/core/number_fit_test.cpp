// The 64-bit paths of the decimals and of the number pictures give exactly what the
// big-number paths give, over a large random table and at the edges of every width.

#include "platform/core/decimal.h"
#include "platform/core/picture.h"
#include "platform/core/picture_number.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using picture_detail::NumberPicture;

namespace {

// Every number picture the program formats with.
const char* const kSystemPictures[] = {
    "@n-10.2", "n-10.2", "N9.2",   "N11.2",  "n-9.2",   "n-8.2",   "n_6",    "N17.2",  "N15.2",   "n9.2",
    "n-15.2",  "N_4",    "N_3",    "N12.2",  "@n-13.4", "n_4",     "n_3",    "N_9`2B", "N_6",     "N9.4",
    "N8.2",    "N04",    "@n_6",   "@n_3",   "@n-15.2", "N_9`3B",  "N_6`2",  "N12.4",  "@n-_6",   "@n-13.2",
    "n-19.2",  "n-14.2", "n-11.2", "N_9`2",  "N4.2",    "N17.2B",  "N16.2",  "N13.2",  "N03",     "N-9.4",
    "N-16.2",  "@n_14",  "@n-17.2B", "@n-14.2", "@n-11.3", "@n-10.4", "@N_6", "@N_13B", "@N6.2",  "@N30.9",
    "@N3",     "@N-12.2",
};

NumberPicture parsed(const char* text)
{
    QString picture = QString::fromLatin1(text);
    if (picture.startsWith(u'@')) picture.remove(0, 1);
    const std::optional<NumberPicture> p = picture_detail::parseNumberPicture(QStringView(picture).sliced(1));
    EXPECT_TRUE(p) << text;
    return p.value_or(NumberPicture{});
}

mpz_class pow10(int n)
{
    mpz_class r;
    mpz_ui_pow_ui(r.get_mpz_t(), 10, static_cast<unsigned long>(n));
    return r;
}

mpz_class big(std::int64_t v) { return mpz_class(static_cast<long>(v)); }

// The values to try: integers and scaled values of every digit count up to 19 and past 64
// bits, of both signs, halves just at and beside the rounding, and thirds and sevenths.
std::vector<Decimal> randomTable(int count)
{
    std::mt19937_64 random(20261211);
    std::vector<Decimal> values;
    for (int i = 0; i < count; ++i) {
        const int digits = int(random() % 22) + 1;
        mpz_class n = 0;
        for (int d = 0; d < digits; ++d) n = n * 10 + long(random() % 10);
        if (random() % 2) n = -n;
        const int places = int(random() % 7);
        switch (random() % 4) {
        case 0: values.push_back(Decimal::fromFraction(n, pow10(places))); break;
        case 1: values.push_back(Decimal::fromFraction(n * 10 + 5 * (n < 0 ? -1 : 1), pow10(places + 1))); break;
        case 2: values.push_back(Decimal::fromFraction(n, long(3 + random() % 5))); break;
        default: values.push_back(Decimal::fromFraction(n * 2 + 1, 2 * pow10(places) + (random() % 3))); break;
        }
    }
    return values;
}

// The values at the edges of a picture: as many integer digits as the width leaves, one fewer
// and one more, at a grouping separator, and beside each edge by the smallest step or half of it.
std::vector<Decimal> edgesOf(const NumberPicture& picture)
{
    std::vector<Decimal> values{Decimal(0)};
    const int room = std::max(picture.width - (picture.places > 0 ? picture.places + 1 : 0), 1);
    for (int digits = std::max(room - 4, 1); digits <= std::min(room + 2, 18 - picture.places); ++digits) {
        const mpz_class top = pow10(digits + picture.places);  // first value with one digit more
        for (const mpz_class& scaled : {mpz_class(top - 1), top, mpz_class(top + 1), mpz_class(top / 10)})
            for (int sign : {1, -1}) {
                values.push_back(Decimal::fromFraction(sign * scaled, pow10(picture.places)));
                values.push_back(Decimal::fromFraction(sign * (scaled * 2 - 1), 2 * pow10(picture.places)));
            }
    }
    // the last 64-bit values and the first past them
    const std::int64_t most = std::numeric_limits<std::int64_t>::max();
    for (const mpz_class& scaled : {big(most), mpz_class(big(most) + 1), big(-most), mpz_class(big(-most) - 1)})
        values.push_back(Decimal::fromFraction(scaled, pow10(picture.places)));
    return values;
}

mpz_class exactScaled(const Decimal& v, int places)
{
    mpz_class n = abs(v.rational().get_num()) * pow10(places);
    const mpz_class& d = v.rational().get_den();
    mpz_class r = (2 * n + d) / (2 * d);
    return v.sign() < 0 ? mpz_class(-r) : r;
}

// Where the 64-bit path must answer: numerator, denominator and result within 64 bits.
bool fitsIn64Bits(const Decimal& v, int places)
{
    return v.rational().get_num().fits_slong_p() && v.rational().get_den().fits_ulong_p() &&
           abs(exactScaled(v, places)) <= big(std::numeric_limits<std::int64_t>::max());
}

}  // namespace

TEST(NumberFit, EveryPictureFormatsAsTheExactPath)
{
    const std::vector<Decimal> table = randomTable(20000);
    int fitted = 0, fellBack = 0;
    for (const char* text : kSystemPictures) {
        const NumberPicture picture = parsed(text);
        std::vector<Decimal> values = edgesOf(picture);
        values.insert(values.end(), table.begin(), table.end());
        for (const Decimal& v : values) {
            const QString exact = picture_detail::formatNumberExact(picture, v);
            const std::optional<QString> fit = picture_detail::formatNumberFit(picture, v);
            ASSERT_EQ(fit.has_value(), fitsIn64Bits(v, picture.places)) << text << " " << v.toPlainString(20);
            (fit ? fitted : fellBack)++;
            if (fit) {
                ASSERT_EQ(*fit, exact) << text << " " << v.toPlainString(20);
            }
            ASSERT_EQ(Format(v, QString::fromLatin1(text)), exact) << text << " " << v.toPlainString(20);
        }
    }
    // both paths were taken
    EXPECT_GT(fitted, 100000);
    EXPECT_GT(fellBack, 10000);
}

TEST(NumberFit, ScaledValuesAndTextsAsTheExactPath)
{
    for (const Decimal& v : randomTable(20000))
        for (int places : {0, 1, 2, 3, 4, 6, 9, 18}) {
            const mpz_class exact = exactScaled(v, places);
            const std::optional<std::int64_t> fit = v.scaledRoundedFit(places);
            ASSERT_EQ(fit.has_value(), fitsIn64Bits(v, places)) << v.toPlainString(20) << " at " << places;
            if (fit) {
                ASSERT_EQ(big(*fit), exact) << v.toPlainString(20) << " at " << places;
            }
            ASSERT_EQ(v.scaledRounded(places), exact);
        }
    // a stored value read back is the same reduced rational as the exact one
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const std::int64_t scaled = std::int64_t(random()) >> (random() % 64);
        const int places = int(random() % 19);
        const Decimal fast = Decimal::fromScaled(scaled, places);
        const Decimal exact = Decimal::fromFraction(big(scaled), pow10(places));
        ASSERT_EQ(fast.rational().get_num(), exact.rational().get_num());
        ASSERT_EQ(fast.rational().get_den(), exact.rational().get_den());
        ASSERT_EQ(fast.toFixedString(places), exact.toFixedString(places));
    }
}
