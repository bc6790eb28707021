#include "output/exports/export_smeta_to_excel.h"

#include "data/thread_data.h"
#include "output/estimate_reads.h"
#include "output/exports/export_file.h"
#include "output/exports/spreadsheet_program.h"
#include "output/totals/calc_smeta_totals.h"
#include "platform/core/codepage.h"
#include "platform/core/picture.h"

#include <QString>

namespace {

using excel_export::textCell;

const QString kFile = QStringLiteral("tlx_exp.txt");
constexpr std::size_t kLineWidth = 500;

std::string cp(const char* utf8) { return codepage::toCp1251(QString::fromUtf8(utf8)); }

std::string pictured(const Decimal& value, const char* picture)
{
    return codepage::toCp1251(Format(value, QString::fromLatin1(picture)));
}

// An amount that is zero is an empty cell: nine blanks would be text the formulas cannot multiply.
std::string amountCell(const Decimal& value, const char* picture)
{
    return value.isZero() ? std::string() : pictured(value, picture);
}

std::string row(std::initializer_list<std::string> cells)
{
    std::string line;
    for (const std::string& cell : cells) {
        if (&cell != cells.begin()) line += '\t';
        line += cell;
    }
    return line;
}

class Sheet {
public:
    explicit Sheet(std::vector<std::string>& lines) : lines_(lines) {}

    int nextRow() const { return int(lines_.size()) + 1; }
    void add(std::string line) { lines_.push_back(std::move(line)); }

    void heading()
    {
        const HeadersRecord& h = DFL();
        add(row({"", "", "", cp("СМЕТА №") + pictured(Decimal(int(h.NUMBER)), "N_3")}));
        add(row({"", "", textCell(h.NAME.clipped())}));
        add(row({"", textCell(cp("Объект:") + "  " + std::string(h.NAMEOBJECT.bytes()))}));
        add(row({"", textCell(cp("Основание составления сметы:") + "  " + std::string(h.OSNOV.bytes()))}));
        add(row({cp("№п.п."), cp("Шифр ед. расценок"), cp("Наименование работ"), cp("Ед. Измерения"), cp("Кол-во"),
                 cp("Цена ед."), " ", cp("Всего на"), cp("З/Пл")}));
    }

    void section(int ordinal, const GroupsWksRecord& s)
    {
        add(row({"", textCell(cp("Группа№") + pictured(Decimal(ordinal), "N_4") + "   " + std::string(s.NAME.bytes()))}));
    }

    void work(int ordinal, const WrksInSmtRecord& w)
    {
        const std::string r = pictured(Decimal(nextRow()), "N03");
        add(row({pictured(Decimal(ordinal), "N_4"), textCell(" " + std::string(w.NRAS.bytes())), textCell(w.NAME.bytes()),
                 textCell(w.EDIZM.bytes()), amountCell(w.CHELCH.value(), "N_9`3B"), amountCell(w.CENA_OB.value(), "N_9`2B"),
                 pictured(w.CENA_TZ.value(), "N_9`2"), "=E" + r + "*F" + r, "=E" + r + "*G" + r}));
        ++works_;
    }

    // The totals row and the market lines after it.
    void totals()
    {
        const int last = nextRow() - 1;
        const std::string l = pictured(Decimal(last), "N04");
        // without a work line the range would be empty or take in rows above the works
        const bool any = works_ > 0;
        add(row({"", cp("Итого по смете"), "", "", "", "", "", any ? cp("=СУММ(H7:H") + l + ")" : "0",
                 any ? cp("=СУММ(I7:I") + l + ")" : "0", "", "", "", ""}));
        const std::string t = pictured(Decimal(last + 1), "N04");
        const HeadersRecord& h = DFL();
        const Decimal threshold = *Decimal::parse("0.0001");
        add(row({"", cp("Рыночное удорожание работ")}));
        // the totals row holds the direct costs in H and the wages in I
        if (h.KIND_TZ.value() > threshold)
            add(row({"", cp(" Заработная плата с к = "), "", "=I" + t + "*" + pictured(h.KIND_TZ.value(), "N_6`2")}));
        if (h.KIND_MAT.value() > threshold)
            add(row({"", cp(" Материалы с к ="), "",
                     "=(H" + t + "- I" + t + ")*" + pictured(h.KIND_MAT.value(), "N_6`2")}));
    }

private:
    std::vector<std::string>& lines_;
    int works_ = 0;
};

}  // namespace

namespace excel_export {

std::string textCell(std::string_view cp1251)
{
    std::string cell(cp1251);
    for (char& c : cell)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    if (!cell.empty() && std::string_view("=+-@").find(cell.front()) != std::string_view::npos) cell.insert(0, 1, ' ');
    return cell;
}

bool lines(std::int32_t number, std::vector<std::string>& out)
{
    out.clear();
    Sheet sheet(out);
    // a header not found gives blanks and zeros
    totals_detail::readHeader(number);
    sheet.heading();

    const bool read = walkEstimate(number, {
        .section = [&](int n, const GroupsWksRecord& section) { sheet.section(n, section); },
        .work = [&](int n, const WrksInSmtRecord& line) { sheet.work(n, line); },
    });
    if (!read) return false;
    sheet.totals();
    return true;
}

}  // namespace excel_export

void ExportSmetaToExcel(std::int32_t number)
{
    removeExportFile(kFile);
    std::vector<std::string> lines;
    Relate(FileId::WrksInSmt).Open();
    const bool read = excel_export::lines(number, lines);
    Relate(FileId::WrksInSmt).Close();
    if (read && writeExportFile(kFile, LineCodePage::Cp1251, lines, kLineWidth)) openInSpreadsheet(kFile);
}
