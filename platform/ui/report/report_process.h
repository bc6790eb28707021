#pragma once
// The process component of reports: a progress window ("Создаю Отчет...", a bar from 0 to
// 100, the progress text, the percentage done and "Отменить") and a timer of 10 hundredths;
// each tick takes the records that fit a short time slice (or a fixed number), so the cancel
// button is seen between ticks. Runs on the calling thread and waits there; an inner process
// holds the outer one until it ends.

#include <QString>

#include <functional>

namespace ui::report {

enum class Step { More, Done, Failed };
enum class ProcessResult { Completed, Cancelled, Failed };

struct ProcessOptions {
    QString procedureName;      // the window's position is kept under it
    bool keepPosition = true;
    QString caption = QStringLiteral("Создаю Отчет...");
    QString progressText;
    QString percentSuffix = QStringLiteral("% Готово");
    // Progress by a key field of the record just taken against its highest value, or else by
    // the records taken against an expected count.
    std::function<double()> keyValue;
    double keyHigh = 0;
    long expectedRecords = 0;
    int recordsPerTick = 0;  // 0: as many as fit the time slice
    int sliceMs = 40;
};

// `opening` runs once the window is open, before the first record (false fails the run);
// `step` takes one record. Failed when either failed, Cancelled by "Отменить" or by closing.
ProcessResult runProcess(const ProcessOptions& options, const std::function<bool()>& opening,
                         const std::function<Step()>& step);

}  // namespace ui::report
