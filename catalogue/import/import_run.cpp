#include "catalogue/import/import_run.h"

#include "catalogue/import/csv_reader.h"
#include "catalogue/import/import_batch.h"
#include "data/thread_data.h"
#include "platform/core/message.h"
#include "platform/core/picture.h"
#include "platform/ui/windows/window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kRecordsPerTick = 25;

enum Control { Thermometer = 1, UserString, PctText, Cancel };

std::function<void(int)> tickObserver;

class ImportRun {
public:
    ImportRun(const std::vector<SourceField>& sources, const std::vector<TargetField>& targets)
        : batches_(sources, targets), window_(ui::WindowKind::Dialog, QStringLiteral("Progress..."), 142, 59)
    {
        build();
    }

    void run(bool stripHeader)
    {
        window_.setTitle(QStringLiteral("Importing Records"));
        window_.control(PctText)->setText(QStringLiteral("0% Completed"));
        window_.control(UserString)->setText(QString());
        window_.open();
        const CsvRead first = batches_.start(stripHeader);
        showPercentage();
        if (first != CsvRead::Line) {
            if (first == CsvRead::Error) ReportImportReadError();
            return;
        }
        window_.setTimer(1);
        for (;;) {
            const ui::Event e = window_.wait();
            if (e.event == EVENT::Timer) {
                if (!tick()) break;
            } else if ((e.event == EVENT::Accepted && e.field == Cancel) || e.event == EVENT::CloseWindow ||
                       e.event == EVENT::CloseDown) {
                break;
            }
        }
        window_.setTimer(0);
    }

private:
    void build()
    {
        auto* layout = new QVBoxLayout(window_.content());
        bar_ = new QProgressBar;
        bar_->setRange(0, 100);
        bar_->setValue(0);
        window_.add(ui::CREATE::Progress, QStringLiteral("?PROGRESS:THERMOMETER"), bar_, Thermometer);
        auto* user = new QLabel;
        window_.add(ui::CREATE::String, QStringLiteral("?PROGRESS:USERSTRING"), user, UserString);
        auto* pct = new QLabel;
        pct->setAlignment(Qt::AlignCenter);
        window_.add(ui::CREATE::String, QStringLiteral("?PROGRESS:PCTTEXT"), pct, PctText);
        auto* cancel = new QPushButton(QStringLiteral("Cancel"));
        window_.add(ui::CREATE::Button, QStringLiteral("?PROGRESS:CANCEL"), cancel, Cancel);
        layout->addWidget(bar_);
        layout->addWidget(user);
        layout->addWidget(pct);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(cancel);
        buttons->addStretch();
        layout->addLayout(buttons);
    }

    // Redrawn only when the whole percentage changes.
    void showPercentage()
    {
        if (percentage_ >= 100) return;
        const std::uint64_t size = ThreadData::current().ImportFileSize;
        percentage_ = size == 0 ? 100 : int(std::min<std::uint64_t>(100, batches_.bytesProcessed() * 100 / size));
        if (percentage_ == bar_->value()) return;
        bar_->setValue(percentage_);
        window_.control(PctText)->setText(Format(Decimal(percentage_), u"@N3") + QStringLiteral("% Completed"));
    }

    // Up to 25 rates; false when the run has finished.
    bool tick()
    {
        const ImportBatches::Batch b = batches_.add(kRecordsPerTick);
        showPercentage();
        if (tickObserver) tickObserver(b.added);
        if (b.failure) {
            Message(QStringLiteral("Cannot add record!||(") + *b.failure + u')', QStringLiteral("Error!"),
                    MessageIcon::Exclamation);
            return false;
        }
        if (b.readFailed) {
            ReportImportReadError();
            return false;
        }
        if (b.more) return true;
        window_.control(PctText)->setText(QStringLiteral("Process Completed"));
        return false;
    }

    ImportBatches batches_;
    ui::Window window_;
    QProgressBar* bar_ = nullptr;
    int percentage_ = 0;
};

}  // namespace

void RunRateImport(const std::vector<SourceField>& sources, const std::vector<TargetField>& targets,
                   bool stripHeader)
{
    ImportRun(sources, targets).run(stripHeader);
    CloseImportFile();
}

void SetImportTickObserver(std::function<void(int added)> observer) { tickObserver = std::move(observer); }
