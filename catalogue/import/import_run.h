#pragma once
// The import run: "Importing Records" adds a rate per record of the open source, up to 25 per
// tick of a hundredth of a second, each tick in one transaction, with the share of the file read
// shown; a refused rate or a failed read stops it with a message, after the rates before it are
// committed. "Cancel" keeps what was added.

#include "catalogue/import/import_mapping.h"

#include <functional>
#include <vector>

void RunRateImport(const std::vector<SourceField>& sources, const std::vector<TargetField>& targets,
                   bool stripHeader);

// For tests: called after each tick with the number of rates it added.
void SetImportTickObserver(std::function<void(int added)> observer);
