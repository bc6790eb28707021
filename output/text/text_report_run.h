#pragma once
// One run of a text report, of the estimate or of its act: its lines (windows-1251) and its
// totals. The state belongs to the run, and only one text report runs at a time: a second one
// would otherwise reset the first's totals and write into the same file.

#include "data/files/headers.h"
#include "output/totals/totals_chain.h"
#include "output/totals/working_value.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

struct GroupsWksRecord;
struct WrksInSmtRecord;

// The act's report writes the lines with an act quantity, with the act's amounts, in columns
// of its own and without separators.
class TextReportRun {
public:
    // Reads the header once (blanks and zeros when there is none) and writes the heading.
    explicit TextReportRun(std::int32_t estimate, TotalsMode mode = TotalsMode::Estimate);

    std::int32_t estimate() const { return estimate_; }

    void sectionHeading(const GroupsWksRecord& section);
    // The inner part: the lines of one section, then its total, added into the report's totals.
    void beginSection(int section);
    void workLine(const WrksInSmtRecord& work);
    void endSection();
    void totalsBlock();

    // A sum too large for the working values: the report must not be shown.
    bool overflow() const { return overflow_; }
    // "TEXTREP" emptied or created and written in the DOS code page; false after a failure,
    // which has been reported.
    bool write() const;
    static QString file();

private:
    struct Sums {
        Decimal total, wages, machines, machWages;
    };
    void add(const QString& line);
    void addSums(Sums& into, const Sums& values);
    void estimateLine(const WrksInSmtRecord& work);
    void actLine(const WrksInSmtRecord& work);

    std::int32_t estimate_;
    TotalsMode mode_;
    HeadersRecord header_;  // as it was when the run began
    std::vector<std::string> lines_;
    bool overflow_ = false;
    Working working_{overflow_};
    Sums totals_;
    Sums section_;
    int sectionNumber_ = 0;
    int lineNo_ = 0;
};

// Held by the text report that runs; a second one is refused while it is held.
class TextReportSlot {
public:
    TextReportSlot();
    ~TextReportSlot();
    TextReportSlot(const TextReportSlot&) = delete;
    TextReportSlot& operator=(const TextReportSlot&) = delete;
    // False when another text report already runs (its message has been shown).
    bool taken() const { return taken_; }

private:
    bool taken_ = false;
};
