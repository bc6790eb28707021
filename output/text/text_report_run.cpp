#include "output/text/text_report_run.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "output/exports/export_file.h"
#include "output/line_amounts.h"
#include "output/totals/calc_smeta_totals.h"
#include "platform/core/codepage.h"
#include "platform/core/message.h"
#include "platform/core/picture.h"

namespace {

// A field's text at its full width; a control character (DEL among them) would break the line
// or the printer's state, so each becomes a blank.
QString field(std::string_view bytes)
{
    std::string text(bytes);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return codepage::fromCp1251(text);
}

QString dlm() { return field(DLM.bytes()); }
QString dlms(int n) { return dlm().repeated(n); }
QString blanks(int n) { return QString(n, QLatin1Char(' ')); }
QString padded(const QString& text, int width) { return text.leftJustified(width, QLatin1Char(' '), true); }
QString padded(const char* utf8, int width) { return padded(QString::fromUtf8(utf8), width); }
QString num(const Decimal& value, const char* picture) { return Format(value, QString::fromLatin1(picture)); }

// A text right-aligned to end `width` characters after `before`; a longer one takes the blanks at
// the end of `before`, so what follows keeps its column.
QString endingAt(QString before, const QString& text, int width)
{
    for (int extra = int(text.size()) - width; extra > 0 && before.endsWith(QLatin1Char(' ')); --extra) before.chop(1);
    return before + text.rightJustified(width, QLatin1Char(' '));
}

// A rate as the percentage applied: whole where it is whole, else with its decimals.
QString percent(const Decimal& rate) { return QString::fromStdString((rate * Decimal(100)).toPlainString()); }

QString centred(const QString& text, int width)
{
    const QString t = text.trimmed();
    const int left = std::max(0, (width - int(t.size())) / 2);
    return padded(blanks(left) + t, width);
}

HeadersRecord headerOf(std::int32_t estimate)
{
    // a header not found gives blanks and zeros
    totals_detail::readHeader(estimate);
    return DFL();
}

// The rest of a work name under it, in pieces of 60 characters from its 61st (the last piece
// 40), each that has any text on its own; at most `count` pieces.
std::vector<QString> namePieces(const QString& name, int count)
{
    std::vector<QString> out;
    const std::pair<int, int> pieces[] = {{60, 60}, {120, 60}, {180, 40}};
    for (int i = 0; i < count; ++i) {
        const QString piece = name.mid(pieces[i].first, pieces[i].second);
        if (!piece.trimmed().isEmpty()) out.push_back(piece);
    }
    return out;
}

// The amount lines of the totals block: the amount in columns 115-131.
QString amountLine(const QString& text, const Decimal& amount)
{
    return blanks(12) + dlms(2) + text + dlm() + num(amount, "N17.2");
}

}  // namespace

TextReportRun::TextReportRun(std::int32_t estimate, TotalsMode mode)
    : estimate_(estimate), mode_(mode), header_(headerOf(estimate))
{
    const HeadersRecord& h = header_;
    auto name = [&] {
        const QString name = field(h.NAME.clipped());
        if (name.size() > 50) {
            add(centred(name.left(50), 60));
            add(centred(name.mid(50, 50), 60));
        } else {
            add(centred(name, 60) + QChar(0x1B) + QChar(0x46));
        }
    };
    const QString date = num(Decimal(int(h.DATEACT)), "d6");
    if (mode == TotalsMode::Estimate) {
        add(QChar(0x0E) + blanks(14) + QStringLiteral("СМЕТА") + blanks(30) + QStringLiteral("Утверждаю"));
        name();
        add(QChar(0x0F) + field(h.OSNOV.bytes()) + blanks(45) + date);
    } else {
        add(QChar(0x0E) + blanks(14) + QStringLiteral("АКТ"));
        add(blanks(29) + QStringLiteral("к смете № ") + num(Decimal(int(h.NUMBER)), "N_6"));
        name();
        add(field(h.OSNOV.bytes()));
        add(QChar(0x0F) + blanks(5) + QStringLiteral("Составлен в ценах 1984 года с пересчетом на текущие цены") +
            blanks(9) + date);
    }
    const QString rule(182, QLatin1Char('-'));
    add(rule);
    add(QStringLiteral("N пп| Шифр ед. расц. | Наименование работы                                         | Ед. изм.   |Кол-во   |  Стоимость ед.  | Стоим.Экспл.маш |          Общая стоим.                 |"));
    add(QStringLiteral("    |                |                                                             |            |         | Прямая | З/пл   | Прямая |  З/пл. | Всего    |З/пл.    |Э/маш    |З/пмаш  |"));
    add(rule);
    add(QStringLiteral("  1 |        2       |                              3                              |      4     |    5    |    6   |    7   |    8   |    9   |   10     |   11    |    12   |   13   |"));
    add(rule);
}

QString TextReportRun::file() { return QStringLiteral("TEXTREP"); }

bool TextReportRun::write() const
{
    // the record's width; the widest line has 183 characters
    return writeExportFile(file(), LineCodePage::Cp866, lines_, 200);
}

void TextReportRun::add(const QString& line) { lines_.push_back(codepage::toCp1251(line)); }

void TextReportRun::addSums(Sums& into, const Sums& values)
{
    working_.set(into.total, into.total + values.total);
    working_.set(into.wages, into.wages + values.wages);
    working_.set(into.machines, into.machines + values.machines);
    working_.set(into.machWages, into.machWages + values.machWages);
}

void TextReportRun::sectionHeading(const GroupsWksRecord& section)
{
    add(QString());
    add(blanks(11) + QStringLiteral("Раздел") + blanks(2) + num(Decimal(int(section.NUMINSMETA)), "n_4") + blanks(4) +
        field(section.NAME.bytes()));
}

void TextReportRun::beginSection(int section)
{
    sectionNumber_ = section;
    section_ = Sums{};
}

void TextReportRun::workLine(const WrksInSmtRecord& w)
{
    ++lineNo_;
    if (mode_ == TotalsMode::Estimate)
        estimateLine(w);
    else
        actLine(w);
}

void TextReportRun::estimateLine(const WrksInSmtRecord& w)
{
    const QString d = dlm();
    const QString name = field(w.NAME.bytes());
    add(num(Decimal(lineNo_), "N_3") + d + field(w.NRAS.bytes()).left(16) + d + name.left(60) + d +
        field(w.EDIZM.bytes()).left(15) + d + num(w.CHELCH.value(), "n-8.2") + d + num(w.CENA_OB.value(), "n-8.2") + d +
        num(w.CENA_TZ.value(), "n-8.2") + d + num(w.EKSPLM.value(), "n-8.2") + d + num(w.ZARPLM.value(), "n-8.2") + d +
        num(w.KCHELCHM.value(), "n-10.2") + d + num(w.VOZVRAT.value(), "n-9.2") + d + num(w.ITEXPMASH.value(), "n-9.2") +
        d + num(w.ITZARPMASH.value(), "n-8.2") + d);
    for (const QString& piece : namePieces(name, 3))
        add(blanks(3) + d + blanks(16) + d + padded(piece, 60) + d);
    addSums(section_, {w.KCHELCHM.value(), w.VOZVRAT.value(), w.ITEXPMASH.value(), w.ITZARPMASH.value()});
}

void TextReportRun::actLine(const WrksInSmtRecord& w)
{
    // an act quantity of 0.0001 or less is not done work
    if (!(w.ONAKT.value() > Decimal::fromScaled(1, 4))) return;
    const LineAmounts act = actAmounts(w);
    const QString name = field(w.NAME.bytes());
    add(num(Decimal(lineNo_), "N_3") + blanks(1) + padded(field(w.NRAS.bytes()), 15) + name.left(60) + blanks(1) +
        padded(field(w.EDIZM.bytes()), 16) + num(w.ONAKT.value(), "n-10.2") + num(w.CENA_OB.value(), "n-9.2") +
        num(w.CENA_TZ.value(), "n-9.2") + num(w.EKSPLM.value(), "n-9.2") + num(w.ZARPLM.value(), "n-9.2") +
        num(act.total, "n-11.2") + num(act.wages, "n-10.2") + num(act.machines, "n-10.2") +
        num(act.machinistWages, "n-9.2"));
    for (const QString& piece : namePieces(name, 2)) add(blanks(19) + padded(piece, 60) + blanks(1));
    addSums(section_, {act.total, act.wages, act.machines, act.machinistWages});
}

void TextReportRun::endSection()
{
    QString line = blanks(5) + dlms(2) + QStringLiteral(" Итого по разделу ") + num(Decimal(sectionNumber_), "n_4") +
                   blanks(99) + dlms(7);
    for (const Decimal& sum : {section_.total, section_.wages, section_.machines, section_.machWages})
        line += num(sum, "N11.2") + dlm();
    add(line);
    addSums(totals_, section_);
}

void TextReportRun::totalsBlock()
{
    const HeadersRecord& h = header_;
    const QString d = dlm();
    Sums& t = totals_;
    add(QString(182, QLatin1Char('-')));
    add(blanks(11) + dlms(2) + padded(mode_ == TotalsMode::Estimate ? "Итого прямые затраты по смете" : "Итого прямые затраты", 114) + dlms(7) + num(t.total, "N11.2") + d +
        num(t.wages, "N11.2") + d + num(t.machines, "N11.2") + d + num(t.machWages, "N12.2") + d);
    Decimal wageBase = t.wages, machinistBase = t.machWages;

    // cramped conditions, at the coefficient's stored places
    const Decimal k = h.KSTESN_EM.value();
    if (k > Decimal(0)) {
        Decimal wages, machines, machWages;
        working_.set(wages, t.wages * k);
        working_.set(machines, t.machines * k);
        working_.set(machWages, t.machWages * k);
        const QString p = percent(k);
        auto cramped = [&](const char* label) { return endingAt(padded(label, 40), p, 3) + QStringLiteral("%") + d; };
        add(blanks(11) + dlms(2) + cramped("   Стесненность от рабочей силы") + blanks(81) + d + num(wages, "N17.2") + d);
        add(blanks(11) + dlms(2) + cramped("   Стесненность от эксплуатации машин") + blanks(92) + dlms(2) +
            num(machines, "N17.2"));
        add(blanks(11) + dlms(2) + cramped("   Стесненность от зарплаты машинистов") + blanks(104) + dlms(3) +
            num(machWages, "N17.2"));
        // machinists' wages are a part of machine operation: not added to the total again
        working_.set(t.total, t.total + wages + machines);
        working_.set(t.machWages, t.machWages + machWages);
        working_.set(t.wages, t.wages + wages);
        working_.set(t.machines, t.machines + machines);
        add(blanks(10) + dlms(2) + padded(" ИТОГО", 123) + d + num(t.total, "N11.2") + d + num(t.wages, "N11.2") + d +
            num(t.machines, "N11.2") + d + num(t.machWages, "N11.2"));
        wageBase = t.wages;
        machinistBase = t.machWages;
    }

    // market prices
    add(blanks(11) + dlms(2) + QStringLiteral("Рыночное удорожание работ"));
    const Decimal threshold = *Decimal::parse("0.001");
    auto indexed = [&](const Decimal& base, const Decimal& index, const char* caption) {
        Decimal part;
        working_.set(part, index > threshold ? base * index : base);
        if (index > threshold)
            add(amountLine(QString::fromUtf8(caption) + num(index, "N12.2") + blanks(60), part));
        return part;
    };
    const Decimal wagePart = indexed(t.wages, h.KIND_TZ.value(), "а) Зарплата           с К= ");
    const Decimal machinePart = indexed(t.machines, h.KIND_EM.value(), "б) Эксплуатация машин с К= ");
    Decimal materials;
    working_.set(materials, t.total - t.wages - t.machines);
    const Decimal materialsPart = indexed(materials, h.KIND_MAT.value(), "в) Материалы          с К= ");
    working_.set(t.total, wagePart + machinePart + materialsPart);
    add(amountLine(padded("ИТОГО", 99), t.total));
    Decimal running = t.total;

    // overheads
    const Decimal rate = h.DOPNACH9_1.value();
    if (rate >= *Decimal::parse("0.0001")) {
        const Decimal f = h.KIND_TZ.value().isZero() ? Decimal(1) : h.KIND_TZ.value();
        working_.set(t.total, (wageBase + machinistBase) * f * rate);
        add(amountLine(QStringLiteral(" Накладные расходы (") + num(wageBase, "N9.2") + QStringLiteral("+") +
                           num(machinistBase, "N9.2") + QStringLiteral("*") + num(f, "N9.2") + QStringLiteral("*") +
                           num(rate, "N12.2") + blanks(37),
                       t.total));
        working_.set(running, running + t.total);
        add(amountLine(padded("ИТОГО", 99), running));
    }

    // charges, compounding
    const std::pair<const FixedString<30>*, Decimal> charges[] = {
        {&h.CDOPNACH1, h.DOPNACH1.value()}, {&h.CDOPNACH2, h.DOPNACH2.value()}, {&h.CDOPNACH3, h.DOPNACH3.value()},
        {&h.CDOPNACH4, h.DOPNACH4.value()}, {&h.CDOPNACH5, h.DOPNACH5.value()}, {&h.CDOPNACH6, h.DOPNACH6.value()},
        {&h.CDOPNACH7, h.DOPNACH7.value()}, {&h.CDOPNACH8, h.DOPNACH8.value()}, {&h.CDOPNACH9, h.DOPNACH9.value()}};
    for (const auto& [name, factor] : charges) {
        if (factor < *Decimal::parse("0.0001")) continue;
        working_.set(running, running * factor);
        add(amountLine(field(name->bytes()) + num(factor, "N-9.4") + blanks(60), running));
    }

    // VAT at its stored places
    const Decimal vatRate = h.KNDS.value();
    Decimal vat;
    if (vatRate > threshold) {
        working_.set(vat, running * vatRate);
        add(amountLine(endingAt(QStringLiteral("НДС "), percent(vatRate), 4) + QStringLiteral("%") + blanks(90), vat));
    }
    working_.set(running, running + vat);
    add(amountLine(padded("ВСЕГО", 99), running));
}

namespace {
bool textReportRuns = false;
}

TextReportSlot::TextReportSlot()
{
    if (textReportRuns) {
        Message(QStringLiteral("Текстовый отчет уже формируется."), QStringLiteral("Отчет"), MessageIcon::Information,
                BUTTON_OK);
        return;
    }
    textReportRuns = true;
    taken_ = true;
}

TextReportSlot::~TextReportSlot()
{
    if (taken_) textReportRuns = false;
}
