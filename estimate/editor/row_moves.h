#pragma once
// Moving a section or a work line of an estimate one place down or up: it exchanges its number
// with the neighbour it passes, in one write (a section's lines go with it). The estimate's
// header is never renumbered.

#include "platform/records/record_file.h"

// By the tree level of the row (1 the header, 2 a section, 3 a work line); the record read
// again by its position. False when the record is no longer there.
bool MoveTreeRow(int level, records::Position position, bool down);

// A line holds its section's number in one byte.
inline constexpr int kHighestSectionOfLines = 255;
void RefuseSectionNumber();
