#include "platform/ui/report/report_process.h"

#include "platform/core/settings_manager.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/window.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace ui::report {

namespace {

enum ControlNumber { Bar = 1, Text, Percent, Cancel };

class ProgressWindow {
public:
    explicit ProgressWindow(const ProcessOptions& o)
        : options_(o), window_(WindowKind::Dialog, o.caption, 142, 59)
    {
        QWidget* content = window_.content();
        content->setFont(QFont(QStringLiteral("MS Sans Serif")));
        bar_ = new QProgressBar(content);
        bar_->setRange(0, 100);
        bar_->setValue(0);
        bar_->setTextVisible(false);
        place(bar_, 15, 15, 111, 10);
        auto* text = new QLabel(o.progressText, content);
        text->setAlignment(Qt::AlignCenter);
        place(text, 0, 3, 141, 10);
        percent_ = new QLabel(content);
        percent_->setAlignment(Qt::AlignCenter);
        place(percent_, 0, 30, 141, 10);
        auto* cancel = new QPushButton(QStringLiteral("Отменить"), content);
        place(cancel, 45, 42, 50, 15);
        window_.add(CREATE::Progress, QStringLiteral("?PROGRESS:THERMOMETER"), bar_, Bar);
        window_.add(CREATE::String, QStringLiteral("?PROGRESS:USERSTRING"), text, Text);
        window_.add(CREATE::String, QStringLiteral("?PROGRESS:PCTTEXT"), percent_, Percent);
        window_.add(CREATE::Button, QStringLiteral("?PROGRESS:CANCEL"), cancel, Cancel);
        show(0);
    }

    ProcessResult run(const std::function<bool()>& opening, const std::function<Step()>& step)
    {
        window_.open();
        wheel_.Attach(window_);
        SettingsManager* settings = settingsManager();
        WindowPlacement p{};
        if (options_.keepPosition && settings && settings->RestoreWindow(options_.procedureName, p))
            window_.setPlacement(p);
        ProcessResult result = ProcessResult::Cancelled;
        bool done = false;
        if (!opening()) {
            result = ProcessResult::Failed;
            done = true;
        }
        window_.setTimer(10);
        while (!done) {
            const Event e = window_.wait();
            if (e.event == EVENT::Timer) {
                const Step s = tick(step);
                if (s != Step::More) {
                    result = s == Step::Done ? ProcessResult::Completed : ProcessResult::Failed;
                    done = true;
                }
            } else if ((e.event == EVENT::Accepted && e.field == Cancel) || e.event == EVENT::CloseWindow) {
                done = true;
            }
        }
        window_.setTimer(0);
        wheel_.Detach();
        if (options_.keepPosition && settings) settings->SaveWindow(options_.procedureName, window_.placement());
        window_.close();
        return result;
    }

private:
    void place(QWidget* w, int x, int y, int width, int height)
    {
        w->setGeometry(window_.duX(x), window_.duY(y), window_.duX(width), window_.duY(height));
    }

    Step tick(const std::function<Step()>& step)
    {
        QElapsedTimer clock;
        clock.start();
        Step s = Step::More;
        for (int n = 0; s == Step::More; ) {
            s = step();
            ++taken_;
            ++n;
            if (options_.recordsPerTick > 0 ? n >= options_.recordsPerTick : clock.elapsed() >= options_.sliceMs) break;
        }
        if (s == Step::More) show(percentDone());
        return s;
    }

    int percentDone() const
    {
        double share = 0;
        if (options_.keyValue && options_.keyHigh > 0)
            share = options_.keyValue() / options_.keyHigh;
        else if (options_.expectedRecords > 0)
            share = double(taken_) / double(options_.expectedRecords);
        return std::clamp(int(std::lround(share * 100)), 0, 100);
    }

    // the bar is driven here, not through a bound variable
    void show(int percent)
    {
        bar_->setValue(percent);
        percent_->setText(QString::number(percent) + options_.percentSuffix);
    }

    const ProcessOptions& options_;
    Window window_;
    vsMouseWheelClass wheel_;
    QProgressBar* bar_ = nullptr;
    QLabel* percent_ = nullptr;
    long taken_ = 0;
};

}  // namespace

ProcessResult runProcess(const ProcessOptions& options, const std::function<bool()>& opening,
                         const std::function<Step()>& step)
{
    ProgressWindow window(options);
    return window.run(opening, step);
}

}  // namespace ui::report
