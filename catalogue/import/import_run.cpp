#include "catalogue/import/import_run.h"

#include "catalogue/import/csv_reader.h"
#include "data/thread_data.h"
#include "platform/core/message.h"
#include "platform/core/picture.h"
#include "platform/core/regional.h"
#include "platform/ui/window.h"

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
        : sources_(sources), targets_(targets),
          window_(ui::WindowKind::Dialog, QStringLiteral("Progress..."), 142, 59)
    {
        build();
    }

    void run(bool stripHeader)
    {
        window_.setTitle(QStringLiteral("Importing Records"));
        window_.control(PctText)->setText(QStringLiteral("0% Completed"));
        window_.control(UserString)->setText(QString());
        window_.open();
        if (Access(FileId::Raszenki).UseFile() != records::Level::Benign) return;
        if (!SetQuickScan()) {
            ReportImportReadError();
            return;
        }
        if (stripHeader && readRecord() != CsvRead::Line) return finishRead();
        if (readRecord() != CsvRead::Line) return finishRead();
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
        auto* bar = new QProgressBar;
        bar->setRange(0, 100);
        bar->setValue(0);
        bar_ = bar;
        window_.add(ui::CREATE::Progress, QStringLiteral("?PROGRESS:THERMOMETER"), bar, Thermometer);
        auto* user = new QLabel;
        window_.add(ui::CREATE::String, QStringLiteral("?PROGRESS:USERSTRING"), user, UserString);
        auto* pct = new QLabel;
        pct->setAlignment(Qt::AlignCenter);
        window_.add(ui::CREATE::String, QStringLiteral("?PROGRESS:PCTTEXT"), pct, PctText);
        auto* cancel = new QPushButton(QStringLiteral("Cancel"));
        window_.add(ui::CREATE::Button, QStringLiteral("?PROGRESS:CANCEL"), cancel, Cancel);
        layout->addWidget(bar);
        layout->addWidget(user);
        layout->addWidget(pct);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(cancel);
        buttons->addStretch();
        layout->addLayout(buttons);
    }

    // The next record into the rate buffer; a value that cannot be stored is kept as the
    // record's refusal.
    CsvRead readRecord()
    {
        std::uint64_t bytes = 0;
        const CsvRead r = ReadNextCsvRecord(bytes);
        bytesProcessed_ += bytes;
        showPercentage();
        refusal_.reset();
        if (r != CsvRead::Line) {
            readFailed_ = r == CsvRead::Error;
            return r;
        }
        Access(FileId::Raszenki).PrimeRecord();  // cleared, then the new rate's defaults
        refusal_ = AssignLineFields(sources_, targets_);
        return r;
    }

    void showPercentage()
    {
        if (percentage_ >= 100) return;
        const std::uint64_t size = ThreadData::current().ImportFileSize;
        percentage_ = size == 0 ? 100 : int(std::min<std::uint64_t>(100, bytesProcessed_ * 100 / size));
        if (percentage_ == bar_->value()) return;
        bar_->setValue(percentage_);
        window_.control(PctText)->setText(Format(Decimal(percentage_), u"@N3") + QStringLiteral("% Completed"));
    }

    // The stop after a record that did not come: a failed read is told.
    void finishRead()
    {
        if (readFailed_) ReportImportReadError();
    }

    // Up to 25 rates in one transaction; false when the run has finished.
    bool tick()
    {
        records::RecordFile& file = Access(FileId::Raszenki).file();
        std::optional<QString> failure;
        bool more = true;
        int added = 0;
        if (const int code = file.begin()) {
            failure = errorDetail(code, file);
        } else {
            for (int records = 0; records < kRecordsPerTick;) {
                if (refusal_) {
                    failure = refusal_;
                    break;
                }
                if (const int code = file.add()) {
                    failure = errorDetail(code, file);
                    break;
                }
                ++added;
                const CsvRead r = readRecord();
                if (r != CsvRead::Line) {
                    more = false;
                    break;
                }
                ++records;
            }
            // the rates before a refused one are kept; nothing is held while the message waits
            if (const int code = file.commit()) {
                file.rollback();
                failure = errorDetail(code, file);
            }
        }
        if (tickObserver) tickObserver(added);
        if (failure) {
            Message(QStringLiteral("Cannot add record!||(") + *failure + u')', QStringLiteral("Error!"),
                    MessageIcon::Exclamation);
            return false;
        }
        if (more) return true;
        finishRead();
        if (!readFailed_) window_.control(PctText)->setText(QStringLiteral("Process Completed"));
        return false;
    }

    static QString errorDetail(int code, const records::RecordFile& file)
    {
        const QString text = code == records::kDriverError ? file.lastError().text : ErrorText(code);
        return u'#' + QString::number(code) + QStringLiteral(" - ") + text.trimmed();
    }

    const std::vector<SourceField>& sources_;
    const std::vector<TargetField>& targets_;
    ui::Window window_;
    QProgressBar* bar_ = nullptr;
    std::uint64_t bytesProcessed_ = 0;
    int percentage_ = 0;
    std::optional<QString> refusal_;
    bool readFailed_ = false;
};

}  // namespace

void RunRateImport(const std::vector<SourceField>& sources, const std::vector<TargetField>& targets,
                   bool stripHeader)
{
    ImportRun(sources, targets).run(stripHeader);
    CloseImportFile();
}

void SetImportTickObserver(std::function<void(int added)> observer) { tickObserver = std::move(observer); }
