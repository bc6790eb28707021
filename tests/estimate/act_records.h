#pragma once
// Work lines with their plan and act quantities, added on a thread of their own as another
// window would store them.

#include "data/thread_data.h"
#include "tests/support/test_threads.h"

#include <vector>

namespace test {

struct ActLine {
    int estimate, section, number;
    const char *plan, *act;
    const char* name = "Работа";
};

class ActRecords : public ThreadsFixture {
protected:
    void addLines(const std::vector<ActLine>& lines)
    {
        addRecords(FileId::WrksInSmt, int(lines.size()), [&](int i) {
            const ActLine& l = lines[std::size_t(i)];
            NSB().CODER = std::int16_t(l.estimate);
            NSB().GRINSMETA = std::uint8_t(l.section);
            NSB().NUMINGROUP = std::int16_t(l.number);
            NSB().CHELCH = *Decimal::parse(l.plan);
            NSB().ONAKT = *Decimal::parse(l.act);
            NSB().NAME = QString::fromUtf8(l.name);
            NSB().EDIZM = QStringLiteral("м2");
        });
    }
};

}  // namespace test
