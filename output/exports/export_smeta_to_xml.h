#pragma once
// `ExportSmetaToXml`: one estimate with its header, sections, work lines, act quantities and
// totals chain as "smeta.xml" (windows-1251), then the XSLT processor on it with the stylesheet
// of the mode (1 the 11-column form, 2 the 7-column form), waited for on the caller's thread.

#include "output/totals/totals_chain.h"

#include <cstdint>
#include <string>
#include <vector>

void ExportSmetaToXml(std::int32_t number, int mode);
// `ExportAktToXml`: the act of the estimate in the same file, its quantities and amounts in place
// of the estimate's and every line written (modes 3 and 4, the act's forms).
void ExportAktToXml(std::int32_t number, int mode);

namespace xml_export {
// The lines of the file (windows-1251) for the estimate or its act; the caller has opened `WrksInSmt` with
// its related files. False when a read failed or a sum does not fit the working values
// (reported).
bool lines(std::int32_t number, TotalsMode mode, std::vector<std::string>& out);
// A text value as element content: markup characters escaped; control characters other than
// TAB, CR and LF, and the byte windows-1251 leaves undefined, as blanks.
std::string escaped(std::string_view cp1251);
}  // namespace xml_export
