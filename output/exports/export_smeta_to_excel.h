#pragma once
// `ExportSmetaToExcel`: one estimate as tab-separated text, "tlx_exp.txt" in windows-1251, for a
// spreadsheet with Russian settings: a row per section and work line, the line totals and the
// estimate's totals as formulas ("СУММ", decimal commas). The spreadsheet program is then
// started on it without waiting. Runs on the caller's thread and record buffers.

#include <cstdint>
#include <string>
#include <vector>

void ExportSmetaToExcel(std::int32_t number);

namespace excel_export {
// The lines of the file (windows-1251) for the estimate; the caller has opened `WrksInSmt` with
// its related files. False when a read failed (reported).
bool lines(std::int32_t number, std::vector<std::string>& out);
}  // namespace excel_export
