#include "output/exports/export_smeta_to_xml.h"

#include "data/thread_data.h"
#include "output/estimate_reads.h"
#include "output/exports/export_file.h"
#include "output/exports/xslt_run.h"
#include "output/totals/calc_smeta_totals.h"
#include "output/totals/working_value.h"
#include "platform/core/codepage.h"
#include "platform/core/picture.h"

#include <QString>

#include <array>
#include <limits>

namespace {

const QString kFile = QStringLiteral("smeta.xml");
// escaped lines are never cut, so no entity is split
constexpr std::size_t kNoWidth = std::numeric_limits<std::size_t>::max();
constexpr std::size_t kMemoLength = 800;

std::string cp(const char* utf8) { return codepage::toCp1251(QString::fromUtf8(utf8)); }
std::string plain(const Decimal& v) { return v.toPlainString(); }
std::string pictured(const Decimal& v, const char* picture)
{
    return codepage::toCp1251(Format(v, QString::fromLatin1(picture)));
}
std::string quantity(const Decimal& v) { return pictured(v, "N_9`3B"); }
std::string amount(const Decimal& v) { return pictured(v, "N_9`2B"); }
std::string text(std::string_view bytes) { return xml_export::escaped(bytes); }
std::string clipped(const auto& field) { return text(field.clipped()); }

std::string rightTrimmed(std::string s)
{
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The four sums of a section, or of the estimate (costs stored, the others products).
struct Sums {
    Decimal costs, wages, machines, machinistWages;
};

// The act writes its quantities and amounts in place of the estimate's, its sums from them.
class XmlWriter {
public:
    XmlWriter(std::vector<std::string>& lines, Working& w, TotalsMode mode) : lines_(lines), w_(w), mode_(mode) {}

    void add(std::string line) { lines_.push_back(std::move(line)); }

    void head(std::int32_t number)
    {
        const HeadersRecord& h = DFL();
        add(R"(<?xml version="1.0" encoding="windows-1251" ?>)");
        add(R"(<?xml-stylesheet type="text/html" href="tolvex.xslt"?>)");
        add("<smeta>");
        add(cp("<sheader><!-- Заголовок сметы -->"));
        add("<DFL_CODE>" + pictured(Decimal(int(h.CODE)), "N_6") + "</DFL_CODE>");
        add("<DFL_NUMBER>" + pictured(Decimal(number), "N_6") + "</DFL_NUMBER>");
        // the act's with all its blanks
        add("<DFL_NAME>" + (mode_ == TotalsMode::Estimate ? clipped(h.NAME) : text(h.NAME.bytes())) + "</DFL_NAME>");
        add("<DFL_NAMEOBJECT>" + clipped(h.NAMEOBJECT) + "</DFL_NAMEOBJECT>");
        add("<DFL_OSNOV>" + clipped(h.OSNOV) + "</DFL_OSNOV>");
        add("<DFL_ZAKAZCHIK>" + clipped(h.ZAKAZCHIK) + "</DFL_ZAKAZCHIK>");
        add("<DFL_ZAK_DOL>" + clipped(h.ZAK_DOL) + "</DFL_ZAK_DOL>");
        add("<DFL_ZAK_FIO>" + clipped(h.ZAK_FIO) + "</DFL_ZAK_FIO>");
        add("<DFL_PODRJADCHI>" + clipped(h.PODRJADCHI) + "</DFL_PODRJADCHI>");
        add("<DFL_POD_DOL>" + clipped(h.POD_DOL) + "</DFL_POD_DOL>");
        add("<DFL_POD_FIO>" + clipped(h.POD_FIO) + "</DFL_POD_FIO>");
        add("<DFL_DATEACT>" + rightTrimmed(pictured(Decimal(int(h.DATEACT)), "D6")) + "</DFL_DATEACT>");
        add("<DFL_NDOG>" + plain(Decimal(int(h.NDOG))) + "</DFL_NDOG>");
        add("<DFL_DATEDOG>" + pictured(Decimal(int(h.DATEDOG)), "D6") + "</DFL_DATEDOG>");
        add("<DFL_TOTALSUM>" + plain(h.TOTALSUM.value()) + "</DFL_TOTALSUM>");
        add(cp("<!-- Сметные Коэффициенты -->"));
        add("<KOEFF>");
        add("<DFL_KIND_MAT>" + plain(h.KIND_MAT.value()) + "</DFL_KIND_MAT>");
        add("<DFL_KIND_TZ>" + plain(h.KIND_TZ.value()) + "</DFL_KIND_TZ>");
        add("<DFL_KIND_EM>" + plain(h.KIND_EM.value()) + "</DFL_KIND_EM>");
        add("<DFL_KSTESN_EM>" + plain(h.KSTESN_EM.value()) + "</DFL_KSTESN_EM>");
        add("<DFL_KNDS>" + plain(h.KNDS.value()) + "</DFL_KNDS>");
        add("</KOEFF>");
        add("</sheader>");
        add(cp("<!-- заголовок таблицы --><htable>"));
        add(cp("<num>№п.п.</num><code>Шифр ед. расценок</code><name>Наименование работ</name><edizm>Ед. Измерения</edizm>"
               "<kolvo>Кол-во</kolvo><price>Цена ед.</price><total>Всего на</total><zpl>З.Плата</zpl>"));
        add(cp("</htable><!-- разделы в смете -->"));
    }

    void sectionStart(int ordinal, const GroupsWksRecord& s)
    {
        add("<razdel><razdelID>" + rightTrimmed(pictured(Decimal(ordinal), "N_4")) + "</razdelID><razdelName>" +
            clipped(s.NAME) + "</razdelName><works>");
        section_ = Sums{};
    }

    void work(int ordinal, const WrksInSmtRecord& l)
    {
        if (mode_ == TotalsMode::Estimate)
            estimateWork(ordinal, l);
        else
            actWork(ordinal, l);
    }

    void sectionEnd()
    {
        const std::string sums = "</works><r_total>" + plain(section_.costs) + "</r_total><r_total_zpl>" +
                                 plain(section_.wages) + "</r_total_zpl><r_total_emm>" + plain(section_.machines) +
                                 "</r_total_emm><r_total_zplemm>" + plain(section_.machinistWages) + "</r_total_zplemm>";
        if (mode_ == TotalsMode::Estimate) {
            add(sums + "</razdel>");
            return;
        }
        add(sums);
        add("</razdel>");
        w_.set(estimate_.costs, estimate_.costs + section_.costs);
        w_.set(estimate_.wages, estimate_.wages + section_.wages);
        w_.set(estimate_.machines, estimate_.machines + section_.machines);
        w_.set(estimate_.machinistWages, estimate_.machinistWages + section_.machinistWages);
    }

    // The totals line and the footer: the export's own chain, with no overheads and the charges
    // and VAT applied above 0.
    void footer()
    {
        const HeadersRecord& h = DFL();
        Sums s = estimate_;
        Decimal materials;
        w_.set(materials, s.costs - s.wages - s.machines);
        add(cp("<!-- общий итог по смете -->"));
        add("<stotal>" + plain(s.costs) + "</stotal><szpltotal>" + plain(s.wages) + "</szpltotal><szplmtotal>" +
            plain(s.machinistWages) + "</szplmtotal><smashmehtotal>" + plain(s.machines) + "</smashmehtotal><smaterTotal>" +
            plain(materials) + "</smaterTotal>");
        add("<FOOTER>");
        add(cp("<!-- Рыночное удорожание работ -->"));
        if (const Decimal k = h.KSTESN_EM.value(); k > 0) {
            Decimal wageRise, machineRise, machinistRise;
            w_.set(wageRise, s.wages * k);
            w_.set(machineRise, s.machines * k);
            w_.set(machinistRise, s.machinistWages * k);
            w_.set(s.costs, s.costs + wageRise + machineRise);
            w_.set(s.wages, s.wages + wageRise);
            w_.set(s.machines, s.machines + machineRise);
            w_.set(s.machinistWages, s.machinistWages + machinistRise);
            const std::string percent = pictured(k * 100, "N9.2");
            add(cp("<stesn><!-- Стесненность --><row><name>от рабочей силы</name><value1>") + percent + "%</value1><value2>" +
                pictured(wageRise, "N17.2B") + "</value2></row>");
            add(cp("<row><name>от эксплуатации машин</name><value1>") + percent + "%</value1><value2>" +
                pictured(machineRise, "N17.2") + "</value2></row>");
            add(cp("<row><name>от зарплаты машинистов</name><value1>") + percent + "%</value1><value2>" +
                pictured(machinistRise, "N17.2") + "</value2></row>");
            add("<totStesn><total>" + plain(s.costs) + "</total><zpl>" + plain(s.wages) + "</zpl><emm>" +
                plain(s.machines) + "</emm><zplemm>" + plain(s.machinistWages) + "</zplemm></totStesn></stesn>");
        }
        add(cp("<!-- переход к текущим ценам --><real_prices>"));
        const Decimal threshold = Decimal::fromScaled(1, 4);
        if (const Decimal index = h.KIND_TZ.value(); index > threshold) {
            w_.set(s.wages, s.wages * index);
            add("<kzpltotal>" + plain(index) + "</kzpltotal>");
            add("<zpltotal>" + plain(s.wages) + "</zpltotal>");
        }
        if (const Decimal index = h.KIND_MAT.value(); index > threshold) {
            w_.set(materials, materials * index);
            add("<kmatertotal>" + plain(index) + "</kmatertotal>");
            add("<matertotal>" + plain(materials) + "</matertotal>");
        }
        if (const Decimal index = h.KIND_EM.value(); index > threshold) {
            w_.set(s.machines, s.machines * index);
            add("<kemmtotal>" + plain(index) + "</kemmtotal>");
            add("<emmtotal>" + plain(s.machines) + "</emmtotal>");
        }
        Decimal total;
        w_.set(total, s.machines + materials + s.wages);
        add("<alltotal>" + plain(total) + "</alltotal>");
        add(cp("</real_prices><!-- Налоги и коэффициенты--><nalogi>"));
        const std::array<std::pair<const FixedString<30>*, const DecimalField<11, 4>*>, 9> charges = {{
            {&h.CDOPNACH1, &h.DOPNACH1}, {&h.CDOPNACH2, &h.DOPNACH2}, {&h.CDOPNACH3, &h.DOPNACH3},
            {&h.CDOPNACH4, &h.DOPNACH4}, {&h.CDOPNACH5, &h.DOPNACH5}, {&h.CDOPNACH6, &h.DOPNACH6},
            {&h.CDOPNACH7, &h.DOPNACH7}, {&h.CDOPNACH8, &h.DOPNACH8}, {&h.CDOPNACH9, &h.DOPNACH9},
        }};
        for (std::size_t n = 0; n < charges.size(); ++n) {
            const Decimal rate = charges[n].second->value();
            if (!(rate > 0)) continue;
            w_.set(total, total * rate);
            const std::string name = clipped(*charges[n].first);
            if (n == 0)
                add("<K> <name>" + name + "</name><value>" + plain(rate) + "</value><value2>" + plain(total) +
                    "</value2> </K>");
            else if (n == 1)
                add("<K><name>" + name + "</name><value>" + plain(rate) + "</value><value2>" + plain(total) +
                    "</value2></K>");
            else
                chargeElement(name, rate, total);
        }
        if (const Decimal rate = h.KNDS.value(); rate > 0) {
            Decimal vat;
            w_.set(vat, total * rate);
            w_.set(total, total + vat);
            chargeElement(cp("НДС"), rate, vat);
        }
        add("</nalogi>");
        add("<ItogoPoSMete>" + plain(total) + "</ItogoPoSMete>");
        add("</FOOTER>");
    }

    void memo()
    {
        add("<memo>");
        const std::string_view memo = DFL().Primechanie.bytes();
        add(text(rightTrimmed(std::string(memo.substr(0, kMemoLength)))));
        add("</memo>");
        add("</smeta>");
    }

private:
    void workHead(int ordinal, const WrksInSmtRecord& l)
    {
        add("<WORK><ID>" + rightTrimmed(pictured(Decimal(ordinal), "N_4")) + "</ID><code>" + clipped(l.NRAS) + "</code>");
    }
    std::string prices(const WrksInSmtRecord& l)
    {
        return "<price><totprice>" + amount(l.CENA_OB.value()) + "</totprice><zarpl>" + amount(l.CENA_TZ.value()) +
               "</zarpl><eksplm>" + amount(l.EKSPLM.value()) + "</eksplm><zarplm>" + amount(l.ZARPLM.value()) +
               "</zarplm></price>";
    }

    // The sums add the exact products and round when stored, as the act's totals chain does.
    void actWork(int ordinal, const WrksInSmtRecord& l)
    {
        const Decimal a = l.ONAKT.value();
        const Decimal total = a * l.CENA_OB.value(), wages = a * l.CENA_TZ.value(), machines = a * l.EKSPLM.value(),
                      machinistWages = a * l.ZARPLM.value();
        w_.set(section_.costs, section_.costs + total);
        w_.set(section_.wages, section_.wages + wages);
        w_.set(section_.machines, section_.machines + machines);
        w_.set(section_.machinistWages, section_.machinistWages + machinistWages);
        workHead(ordinal, l);
        add("<wname>" + clipped(l.NAME) + "</wname><edizm>" + clipped(l.EDIZM) + "</edizm><kolvo>" + quantity(a) +
            "</kolvo>" + prices(l));
        add("<itogo><total>" + amount(total) + "</total><zarpl>" + amount(wages) + "</zarpl><eksplm>" +
            amount(machines) + "</eksplm><zarplm>" + amount(machinistWages) + "</zarplm></itogo>");
        add("</WORK>");
    }

    void estimateWork(int ordinal, const WrksInSmtRecord& l)
    {
        const Decimal q = l.CHELCH.value(), a = l.ONAKT.value();
        const Decimal price = l.CENA_OB.value(), wages = l.CENA_TZ.value(), machines = l.EKSPLM.value(),
                      machinists = l.ZARPLM.value();
        workHead(ordinal, l);
        add("<wname>" + clipped(l.NAME) + "</wname><edizm>" + clipped(l.EDIZM) + "</edizm><kolvo>" + quantity(q) +
            "</kolvo><a_kolvo>" + quantity(a) + "</a_kolvo>" + prices(l));
        w_.set(estimate_.costs, estimate_.costs + l.KCHELCHM.value());
        w_.set(estimate_.wages, estimate_.wages + q * wages);
        w_.set(estimate_.machinistWages, estimate_.machinistWages + l.ITZARPMASH.value());
        w_.set(estimate_.machines, estimate_.machines + machines * q);
        w_.set(section_.costs, section_.costs + q * price);
        w_.set(section_.wages, section_.wages + q * wages);
        w_.set(section_.machines, section_.machines + machines * q);
        w_.set(section_.machinistWages, section_.machinistWages + l.ITZARPMASH.value());
        add("<itogo><total>" + amount(q * price) + "</total><zarpl>" + amount(q * wages) + "</zarpl><eksplm>" +
            amount(q * machines) + "</eksplm><zarplm>" + amount(q * machinists) + "</zarplm></itogo>");
        add("<akt><total>" + amount(a * price) + "</total><zarpl>" + amount(a * wages) + "</zarpl><eksplm>" +
            amount(a * machines) + "</eksplm><zarplm>" + amount(a * machinists) + "</zarplm></akt></WORK>");
    }

    void chargeElement(const std::string& name, const Decimal& rate, const Decimal& value)
    {
        add("<K>");
        add("<name>" + name + "</name>");
        add("<value>" + plain(rate) + "</value>");
        add("<value2>" + plain(value) + "</value2>");
        add("</K>");
    }

    std::vector<std::string>& lines_;
    Working& w_;
    TotalsMode mode_;
    Sums estimate_, section_;
};

}  // namespace

namespace xml_export {

std::string escaped(std::string_view cp1251)
{
    std::string out;
    out.reserve(cp1251.size());
    for (const char c : cp1251) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if ((b < 0x20 && c != '\t' && c != '\r' && c != '\n') || b == 0x7f || b == 0x98) out += ' ';
        else out += c;
    }
    return out;
}

bool lines(std::int32_t number, TotalsMode mode, std::vector<std::string>& out)
{
    out.clear();
    bool overflow = false;
    Working w(overflow);
    XmlWriter xml(out, w, mode);
    // a header not found gives blanks and zeros
    totals_detail::readHeader(number);
    xml.head(number);

    const bool read = walkEstimate(number, {
        .section = [&](int n, const GroupsWksRecord& section) { xml.sectionStart(n, section); },
        .work = [&](int n, const WrksInSmtRecord& line) { xml.work(n, line); },
        .sectionEnd = [&] { xml.sectionEnd(); },
    });
    if (!read) return false;
    xml.footer();
    xml.memo();
    if (overflow) {
        ShowTotalsOverflow();
        return false;
    }
    return true;
}

}  // namespace xml_export

namespace {

void exportToXml(std::int32_t number, TotalsMode of, int mode)
{
    removeExportFile(kFile);
    std::vector<std::string> lines;
    Relate(FileId::WrksInSmt).Open();
    const bool made = xml_export::lines(number, of, lines);
    Relate(FileId::WrksInSmt).Close();
    if (made && writeExportFile(kFile, LineCodePage::Cp1251, lines, kNoWidth)) RunXsltProcessor(mode);
}

}  // namespace

void ExportSmetaToXml(std::int32_t number, int mode) { exportToXml(number, TotalsMode::Estimate, mode); }

void ExportAktToXml(std::int32_t number, int mode) { exportToXml(number, TotalsMode::Act, mode); }
