#pragma once
// The estimate windows as the estimate editor calls them: a small caller on a logical thread of
// its own sets the request (priming or reading the record first) and calls the window by its
// name, then keeps the answer and the estimate numbers. Estimates, sections and lines are
// added and read back on threads of their own.

#include "data/globals.h"
#include "data/thread_data.h"
#include "estimate/headers/update_headers.h"
#include "estimate/list/select_smeta.h"
#include "estimate/sections/update_groups_wks.h"
#include "platform/records/cursor.h"
#include "platform/ui/windows/procedures.h"
#include "platform/ui/windows/window_manager.h"
#include "tests/support/called_window.h"
#include "tests/support/test_threads.h"
#include "tests/support/ui_driver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <functional>

namespace test {

struct Section {
    int estimate, number;
    QString name;
    bool operator==(const Section&) const = default;
};
struct Line {
    int estimate, section, number;
    bool operator==(const Line&) const = default;
};

inline void PrintTo(const Section& s, std::ostream* os) { *os << s.estimate << "/" << s.number << " " << s.name.toStdString(); }
inline void PrintTo(const Line& l, std::ostream* os) { *os << l.estimate << "/" << l.section << "/" << l.number; }

class EstimateWindows : public ThreadsFixture, public CalledWindow {
protected:
    EstimateWindows()
    {
        InitProgramGlobals();
        ui::registerProcedure("SelectSmeta", [](const ui::ProcedureArgs&) { SelectSmeta(); });
        ui::registerProcedure("UpdateHeaders", [](const ui::ProcedureArgs&) { UpdateHeaders(); });
        ui::registerProcedure("UpdateGroupsWks", [](const ui::ProcedureArgs&) { UpdateGroupsWks(); });
    }
    ~EstimateWindows() override
    {
        for (int i = 0; i < 5 && ui::Scheduler::instance().isRunning(thread); ++i) {
            if (window) ui::post(thread, EVENT::CloseWindow);
            waitEnded(thread, 1000);
        }
        for (const char* name : {"SelectSmeta", "UpdateHeaders", "UpdateGroupsWks"}) ui::unregisterProcedure(name);
        InitProgramGlobals();
    }

    // --- records
    void addHeader(int number, const QString& name, int date = 80000)
    {
        addRecords(FileId::Headers, 1, [&](int) {
            DFL().NUMBER = std::int16_t(number);
            DFL().NAME = name;
            DFL().DATEACT = date;
        });
    }
    void addSection(int estimate, int number, const QString& name = "Раздел")
    {
        addRecords(FileId::GroupsWks, 1, [&](int) {
            GRO().NUMSMET = std::int16_t(estimate);
            GRO().NUMINSMETA = std::int16_t(number);
            GRO().NAME = name;
        });
    }
    void addLines(int estimate, int section, int count)
    {
        addRecords(FileId::WrksInSmt, count, [&](int i) {
            NSB().CODER = std::int16_t(estimate);
            NSB().GRINSMETA = std::uint8_t(section);
            NSB().NUMINGROUP = std::int16_t(i + 1);
        });
    }
    std::vector<int> headerNumbers()
    {
        std::vector<int> out;
        for (const QString& n : stored(FileId::Headers, [] { return QString::number(DFL().NUMBER); })) out.push_back(n.toInt());
        return out;
    }
    std::vector<Section> sections()
    {
        std::vector<Section> out;
        stored(FileId::GroupsWks, [&] {
            out.push_back({GRO().NUMSMET, GRO().NUMINSMETA, GRO().NAME.toQString()});
            return QString();
        });
        return out;
    }
    std::vector<Line> lines()
    {
        std::vector<Line> out;
        stored(FileId::WrksInSmt, [&] {
            out.push_back({NSB().CODER, NSB().GRINSMETA, NSB().NUMINGROUP});
            return QString();
        });
        return out;
    }
    // The header of that number read into the thread's buffer, as the editor reads it.
    static bool readHeader(int number)
    {
        DFL().NUMBER = std::int16_t(number);
        return Access(FileId::Headers).file().get(HeadersLayout().keyIndex("DFL:BYNUM")) == records::kNoError;
    }
    // The first section of those numbers.
    static bool readSection(int estimate, int number)
    {
        GRO().NUMSMET = std::int16_t(estimate);
        GRO().NUMINSMETA = std::int16_t(number);
        return Access(FileId::GroupsWks).file().get(GroupsWksLayout().keyIndex("GRO:KeyNumInsmeta")) == records::kNoError;
    }

    // --- the caller
    // Runs `call` on a thread of its own between opening and closing `file` (as the editor has
    // it open), and waits for the window it opens (none: the call ended without one).
    void call(FileId file, std::function<void()> body, bool expectWindow = true)
    {
        response = -1;
        thread = test::start([=, this] {
            Relate(file).Open();
            body();
            response = ProcResponse();
            Relate(file).Close();
        });
        window = expectWindow ? waitWindow(thread) : nullptr;
        settle();
    }

    ui::Window* window = nullptr;
    int response = -1;
};

}  // namespace test
