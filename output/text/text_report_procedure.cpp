#include "output/text/text_report_procedure.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "output/estimate_reads.h"
#include "output/exports/export_file.h"
#include "output/text/text_report_run.h"
#include "output/totals/calc_smeta_totals.h"
#include "platform/core/thread_state.h"
#include "platform/ui/report/report_process.h"
#include "platform/ui/windows/procedures.h"

#include <QApplication>

namespace {

using namespace ui::report;

ProcessOptions progress(const QString& procedureName, bool keepPosition, long expectedRecords)
{
    ProcessOptions o;
    o.procedureName = procedureName;
    o.keepPosition = keepPosition;
    o.caption = QStringLiteral("Processing Records");
    o.progressText = QStringLiteral("Печатаю...");
    o.percentSuffix = QStringLiteral("% Completed");
    o.expectedRecords = expectedRecords;
    return o;
}

// A procedure's set-up and tear-down: its name to the error reporter, the request taken.
class Procedure {
public:
    explicit Procedure(const QString& name) : thread_(ThreadState::current()), previous_(thread_.procedureName)
    {
        thread_.procedureName = name;
        ProcRequest() = 0;
        ProcResponse() = 0;
    }
    ~Procedure() { thread_.procedureName = previous_; }

private:
    ThreadState& thread_;
    QString previous_;
};

void setResponse(ProcessResult result) { ProcResponse() = result == ProcessResult::Completed ? 1 : 2; }

// The lines of one section, in line order; a cancel ends the section with what was written.
bool sectionLines(const TextReportForm& form, TextReportRun& run, const GroupsWksRecord& section)
{
    Procedure procedure(form.innerName);
    std::vector<WrksInSmtRecord> works;
    std::size_t next = 0;
    run.beginSection(section.NUMINSMETA);
    const ProcessResult result = runProcess(
        progress(form.innerName, true, 300),
        [&] { return readSectionWorks(section, works); },
        [&] {
            if (next == works.size()) return Step::Done;
            NSB() = works[next++];
            run.workLine(NSB());
            return Step::More;
        });
    run.endSection();
    setResponse(result);
    return result != ProcessResult::Failed;
}

// The report into its lines; false when a read failed (reported).
bool report(const TextReportForm& form, TextReportRun& run)
{
    std::vector<GroupsWksRecord> sections;
    std::size_t next = 0;
    bool read = true;
    const ProcessResult result = runProcess(
        progress(form.outerName, false, form.outerExpectedRecords),
        [&] { return readEstimateSections(run.estimate(), sections); },
        [&] {
            if (next == sections.size()) return Step::Done;
            GRO() = sections[next++];
            run.sectionHeading(GRO());
            // an inner cancel ends only its section
            if (!sectionLines(form, run, GRO())) read = false;
            return read ? Step::More : Step::Failed;
        });
    // an outer cancel still gives the totals of the sections done
    setResponse(result);
    if (result == ProcessResult::Failed) return false;
    run.totalsBlock();
    return read;
}

}  // namespace

void runTextReport(const TextReportForm& form)
{
    Procedure procedure(form.outerName);
    const TextReportSlot slot;
    if (!slot.taken()) return;
    removeExportFile(TextReportRun::file());
    Relate(FileId::WrksInSmt).Open();
    TextReportRun run(NumSmeta, form.mode);
    const bool complete = report(form, run);
    Relate(FileId::WrksInSmt).Close();
    if (!complete) return;
    if (run.overflow()) {
        ShowTotalsOverflow();
        return;
    }
    if (!run.write()) return;
    QApplication::beep();
    ui::startProcedure(QStringLiteral("ShowTextFile"), {TextReportRun::file()});
    QApplication::beep();
}
