#pragma once
// The longest stall of the event loop while an operation runs: a timer that fires as often as
// the loop lets it and keeps the longest gap between two of its shots. Every window of the
// program shares the one loop, so this is how long the program stood still for its user.

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace bench {

class StallMeter {
public:
    StallMeter()
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, double(clock_.nsecsElapsed()) / 1e6);
            clock_.restart();
        });
    }
    void start()
    {
        longest_ = 0;
        clock_.start();
        timer_.start();
    }
    // The longest gap so far, counting the one still open.
    double stop()
    {
        timer_.stop();
        return std::max(longest_, double(clock_.nsecsElapsed()) / 1e6);
    }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    double longest_ = 0;
};

}  // namespace bench
