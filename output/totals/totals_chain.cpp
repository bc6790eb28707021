#include "output/totals/totals_chain.h"

#include "output/totals/working_value.h"
#include "platform/core/picture.h"

#include <array>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kTextWidth = 2000;

QString blanks(int n) { return QString(n, u' '); }

// The totals text: each append first drops the text's trailing blanks.
class TotalsText {
public:
    template <class... Pieces>
    void append(const Pieces&... pieces)
    {
        qsizetype n = text_.size();
        while (n > 0 && text_[n - 1] == u' ') --n;
        text_.truncate(n);
        (text_.append(pieces), ...);
        text_.truncate(kTextWidth);
    }
    const QString& text() const { return text_; }

private:
    QString text_;
};

QString num(const Decimal& v, const char* picture) { return Format(v, QString::fromLatin1(picture)); }

}  // namespace

void TotalsSums::add(TotalsMode mode, const WrksInSmtRecord& line)
{
    constexpr std::int64_t kLimit = 1'000'000'000'000'000;  // 10^15 hundredths: DECIMAL(15,2)
    std::int64_t addends[4];
    if (mode == TotalsMode::Estimate) {
        const DecimalField<11, 2>* amounts[] = {&line.KCHELCHM, &line.VOZVRAT, &line.ITEXPMASH, &line.ITZARPMASH};
        for (int i = 0; i < 4; ++i) addends[i] = amounts[i]->scaled();
    } else {
        // the act quantity times a unit value has 4 places; the new sum is rounded to 2
        const DecimalField<7, 2>* units[] = {&line.CENA_OB, &line.CENA_TZ, &line.EKSPLM, &line.ZARPLM};
        for (int i = 0; i < 4; ++i) {
            const std::int64_t tenThousandths = scaled_[i] * 100 + line.ONAKT.scaled() * units[i]->scaled();
            const std::int64_t half = tenThousandths < 0 ? -50 : 50;
            addends[i] = (tenThousandths + half) / 100 - scaled_[i];
        }
    }
    for (int i = 0; i < 4; ++i) {
        scaled_[i] += addends[i];
        if (scaled_[i] >= kLimit || scaled_[i] <= -kLimit) {
            overflow_ = true;
            scaled_[i] = 0;  // never kept wrapped; the chain is refused anyway
        }
    }
}

TotalsResult chainTotals(const TotalsSums& sums, const HeadersRecord& h)
{
    TotalsResult r;
    r.overflow = sums.overflow();
    Working w(r.overflow);
    TotalsText t;
    const Decimal coefficientThreshold = Decimal::fromScaled(1, 4);  // 0.0001
    const Decimal rateThreshold = Decimal::fromScaled(1, 3);         // 0.001

    Decimal total = sums.costs(), wages = sums.wages(), machines = sums.machines(),
            machinistWages = sums.machinistWages();
    Decimal materials, overheads, vat;
    // the overheads bases are as wide as the wages they copy, so they never wrap
    Decimal wageBase = wages, machinistBase = machinistWages;
    w.set(materials, total - wages - machines);

    const Decimal k = h.KSTESN_EM.value();
    if (k > coefficientThreshold) {
        t.append(QStringLiteral("СТЕСНЕННОСТЬ"), blanks(70), kCrLf);
        t.append(QStringLiteral(" на стесненность от рабочей силы"), blanks(7), num(k, "N9.4"), blanks(8),
                 num(wages * k, "N9.2"), kCrLf);
        w.set(wages, wages * k + wages);
        t.append(QStringLiteral(" на стесненность от экспл. машин"), blanks(7), num(k, "N9.4"), blanks(8),
                 num(machines * k, "N9.2"), kCrLf);
        w.set(machines, machines * k + machines);
        t.append(QStringLiteral(" на стесненность от зарплаты машинистов"), num(k, "N9.4"), blanks(8),
                 num(machinistWages * k, "N9.2"), kCrLf);
        w.set(machinistWages, machinistWages * k + machinistWages);
        t.append(QStringLiteral(" ИТОГО"), blanks(14), QStringLiteral("З/П="), num(wages, "N11.2"),
                 QStringLiteral(" Э/М="), num(machines, "N11.2"), QStringLiteral("("), num(machinistWages, "N12.2"),
                 QStringLiteral(")"), kCrLf, kCrLf);
        machinistBase = machinistWages;
        wageBase = wages;
    }

    t.append(QStringLiteral("Рыночное удорожание работ"), kCrLf);
    if (const Decimal index = h.KIND_TZ.value(); index > coefficientThreshold) {
        w.set(wages, wages * index);
        t.append(QStringLiteral(" Заработная плата с к ="), blanks(18), num(index, "N9.2"), num(wages, "N15.2"), kCrLf);
    }
    if (const Decimal index = h.KIND_EM.value(); index > coefficientThreshold) {
        w.set(machines, machines * index);
        t.append(QStringLiteral(" Эксплуатация машин и механизмов с к ="), blanks(3), num(index, "N9.2"),
                 num(machines, "N15.2"), kCrLf);
    }
    if (const Decimal index = h.KIND_MAT.value(); index > coefficientThreshold) {
        w.set(materials, materials * index);
        t.append(QStringLiteral(" Материалы с к ="), blanks(25), num(index, "N9.2"), num(materials, "N15.2"), kCrLf);
    }
    w.set(total, materials + machines + wages);
    t.append(QStringLiteral(" ИТОГО"), blanks(44), num(total, "N15.2"), kCrLf, kCrLf);

    if (const Decimal rate = h.DOPNACH9_1.value(); rate > rateThreshold) {
        Decimal wageIndex = h.KIND_TZ.value();
        if (wageIndex.isZero()) {
            wageIndex = 1;
            r.wageIndexSetToOne = true;
        }
        w.set(overheads, (wageBase + machinistBase) * wageIndex * rate);
        t.append(QStringLiteral("Накладные расходы ("), num(wageBase, "N8.2"), QStringLiteral("+"),
                 num(machinistBase, "N8.2"), QStringLiteral(")*"), num(wageIndex, "N8.2"), QStringLiteral("*"),
                 num(rate, "N4.2"), QStringLiteral("="), num(overheads, "N13.2"), kCrLf);
        w.set(total, total + overheads);
        t.append(QStringLiteral("ИТОГО"), blanks(45), num(total, "N15.2"), kCrLf);
    }

    const std::array<std::pair<const FixedString<30>*, const DecimalField<11, 4>*>, 9> charges = {{
        {&h.CDOPNACH1, &h.DOPNACH1}, {&h.CDOPNACH2, &h.DOPNACH2}, {&h.CDOPNACH3, &h.DOPNACH3},
        {&h.CDOPNACH4, &h.DOPNACH4}, {&h.CDOPNACH5, &h.DOPNACH5}, {&h.CDOPNACH6, &h.DOPNACH6},
        {&h.CDOPNACH7, &h.DOPNACH7}, {&h.CDOPNACH8, &h.DOPNACH8}, {&h.CDOPNACH9, &h.DOPNACH9},
    }};
    for (const auto& [name, rateField] : charges) {
        const Decimal rate = rateField->value();
        if (!(rate > rateThreshold)) continue;
        w.set(total, total * rate);
        // the name with all its blanks, so that the rate columns line up
        t.append(codepage::fromCp1251(name->bytes()), QStringLiteral(" с к = "), num(rate, "N12.4"),
                 num(total, "N-16.2"), kCrLf);
    }

    if (const Decimal rate = h.KNDS.value(); rate > rateThreshold) {
        w.set(vat, total * rate);
        t.append(QStringLiteral("НДС . . . . . . . . . . . . . . . . ."), num(rate, "N12.4"), num(vat, "N16.2"), kCrLf);
    }
    w.set(total, total + vat);
    t.append(QStringLiteral("ВСЕГО . . . . . . . . . . . . . . . . . . . . . ."), blanks(1), num(total, "N15.2"),
             kCrLf);

    if (!DecimalField<13, 2>().checkedStore(total)) r.overflow = true;
    r.text = t.text();
    r.grandTotal = total;
    return r;
}
