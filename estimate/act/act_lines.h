#pragma once
// What the act window reads and writes of an estimate's work lines, on the calling thread's
// WrksInSmt file and buffer.

#include "platform/core/decimal.h"

#include <cstdint>

// The act quantity of every line of the estimate set to FillValue of its plan, in one write:
// a failure leaves every line as it was and is reported ("Запись не обновляется"). False then.
// The thread's line buffer and the file's position are left as they were.
bool FillAct(std::int32_t estimate, const Decimal& share);

// The exact sum of the act quantities of a section's lines; false when a read failed, which is
// not reported (the caller decides whether to say so).
bool SectionActSum(std::int32_t estimate, std::int32_t section, Decimal& sum);

// For a write-back over the line as the file holds it (RelationManager::Update): the buffer's
// line keeps the act quantity stored then, or takes the stored line and keeps only its own act
// quantity.
void KeepStoredAct(const void* stored);
void KeepStoredLineButAct(const void* stored);
