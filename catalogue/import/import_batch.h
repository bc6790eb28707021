#pragma once
// The work of the import run without its window: records read into the rate buffer and added in
// batches, each batch in one transaction, with the bytes of the file read so far.

#include "catalogue/import/csv_reader.h"
#include "catalogue/import/import_mapping.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class ImportBatches {
public:
    ImportBatches(const std::vector<SourceField>& sources, const std::vector<TargetField>& targets)
        : sources_(sources), targets_(targets)
    {
    }

    // From the first line, the header dropped when asked, to the first record; Line when there
    // is one to add.
    CsvRead start(bool stripHeader);

    struct Batch {
        int added = 0;
        bool more = true;                 // records are left to add
        std::optional<QString> failure;  // why a rate was refused: "#40 - ...", "line 4, ..."
        bool readFailed = false;          // the batch ended at a failed read
    };
    // Adds up to `count` rates, committed together before this returns.
    Batch add(int count);

    std::uint64_t bytesProcessed() const { return bytesProcessed_; }

private:
    // The next record into the rate buffer; a value that cannot be stored is kept as the
    // record's refusal.
    CsvRead readRecord();

    const std::vector<SourceField>& sources_;
    const std::vector<TargetField>& targets_;
    std::uint64_t bytesProcessed_ = 0;
    std::optional<QString> refusal_;
};
