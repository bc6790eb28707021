#pragma once
// `ExportSmetaToExcel`: one estimate as tab-separated text, "tlx_exp.txt" in windows-1251, for a
// spreadsheet with Russian settings: a row per section and work line, the line totals and the
// estimate's totals as formulas ("СУММ", decimal commas). The spreadsheet program is then
// started on it without waiting. Runs on the caller's thread and record buffers.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

void ExportSmetaToExcel(std::int32_t number);

namespace excel_export {
// The lines of the file (windows-1251) for the estimate; the caller has opened `WrksInSmt` with
// its related files. False when a read failed (reported).
bool lines(std::int32_t number, std::vector<std::string>& out);
// A text cell as written: a TAB, CR, LF, DEL (any control character) would split the cell or
// the row, shifting every formula below, so each becomes a blank; a text that begins with "=",
// "+", "-" or "@" would be taken for a formula, so it gets a leading blank. Only the cells the
// export itself writes as formulas begin with "=".
std::string textCell(std::string_view cp1251);
}  // namespace excel_export
