#pragma once
// The program's global settings and process-wide numbers: one copy shared by every window
// thread, without a lock (the window threads are fibers on one OS thread).

#include "platform/core/decimal.h"
#include "platform/core/fixed_string.h"

#include <array>
#include <cstdint>

// DIM(10) arrays are indexed 1..10 as the program numbers their elements; element 0 is unused.
template <class T>
using Dim10 = std::array<T, 11>;

namespace GLO {
extern std::int32_t CurrentSmeta;  // 0 for none
extern DecimalField<9, 3> MaterCoeff;
extern DecimalField<9, 3> ZarpCoeff;
extern DecimalField<9, 3> ZarpMashCoeff;
extern Dim10<DecimalField<11, 4>> Nakrutki;
extern Dim10<FixedString<30>> NakrutkiName;
}  // namespace GLO

namespace PREF {
extern FixedString<100> XMLFileName;
extern FixedString<20> XMLprocessor;
extern FixedString<20> XSL11file;
extern FixedString<20> XSL7file;
extern FixedString<20> XSLA11file;
extern FixedString<20> XSLA7file;
extern FixedString<20> XSLARPS;
}  // namespace PREF

extern FixedString<30> FirmName;
extern FixedString<100> FirmAddress;
extern FixedString<50> FirmPhone;
extern FixedString<20> Director;
extern FixedString<1> DLM;  // column separator of the text reports
// The rate catalogue's category and tab, for its next opening within this run.
extern FixedString<8> LastRateCategory;
extern std::int32_t LastRateTab;  // 1..4; 0: none yet
extern std::int32_t NumSmeta;  // the estimate that reports and the act window work on

// Start values: texts blank (DLM one blank), numbers 0.
void InitProgramGlobals();
