#include "platform/ui/addons/system_events.h"

#include "platform/ui/addons/system_event_sources.h"
#include "platform/ui/addons/system_messages.h"
#include "platform/ui/windows/event.h"
#include "platform/ui/windows/window.h"
#include "tests/support/ui_driver.h"

#include <QMainWindow>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <vector>

namespace {

using ui::WM::DEVICECHANGE;
using ui::WM::ENDSESSION;
using ui::WM::POWERBROADCAST;
using ui::WM::QUERYENDSESSION;

TEST(SystemEvents, MessageToEventTable)
{
    struct Row {
        unsigned message, wParam;
        bool normal, extended;
        int event;
    } rows[] = {
        {QUERYENDSESSION, 0, true, false, EVENT::QueryEndSession},
        {ENDSESSION, 1, true, false, EVENT::EndSession},
        {POWERBROADCAST, 10, false, true, EVENT::PowerStatusChange},
        {POWERBROADCAST, 9, false, true, EVENT::PowerBatteryLow},
        {POWERBROADCAST, 5, false, true, EVENT::PowerStandby},
        {POWERBROADCAST, 4, false, true, EVENT::PowerSuspend},
        {POWERBROADCAST, 1, false, true, EVENT::PowerQueryStandby},
        {POWERBROADCAST, 0, false, true, EVENT::PowerQuerySuspend},
        {POWERBROADCAST, 7, false, true, EVENT::PowerOther},
        {POWERBROADCAST, 0x12, false, true, EVENT::PowerOther},
        {DEVICECHANGE, 0x8000, false, true, EVENT::DeviceChange},
        // each flag covers only its own messages
        {QUERYENDSESSION, 0, false, true, 0},
        {ENDSESSION, 1, false, true, 0},
        {POWERBROADCAST, 4, true, false, 0},
        {DEVICECHANGE, 7, true, false, 0},
        {0x10, 0, true, true, 0},  // other messages post nothing
    };
    for (const Row& r : rows)
        EXPECT_EQ(ui::eventForMessage(r.message, r.wParam, r.normal, r.extended), r.event)
            << std::hex << r.message << " " << r.wParam << " " << r.normal << r.extended;
}

// A handler that was in place before the add-on.
class RecordingHandler : public ui::SystemMessageHandler {
public:
    explicit RecordingHandler(std::int32_t answer) : answer_(answer) {}
    std::int32_t handle(ui::Window&, unsigned message, unsigned wParam) override
    {
        seen.push_back({message, wParam});
        return answer_;
    }
    std::vector<std::pair<unsigned, unsigned>> seen;

private:
    std::int32_t answer_;
};

constexpr int kMarker = EVENT::User + 1;

// The frame on a thread of its own with the add-on attached; it keeps the user events it takes.
class FrameThread {
public:
    struct Options {
        std::int32_t query = 1, end = 1;
        bool extended = true, normal = true;
        ui::SystemMessageHandler* before = nullptr;
    };

    explicit FrameThread(Options o)
    {
        thread_ = test::start([this, o] {
            QMainWindow main;
            ui::Window window(ui::WindowKind::Frame, &main);
            window.open();
            if (o.before) ui::setSystemMessageHandler(window, *o.before);
            ui::SystemEventsClass addOn;
            addOn.Attach(window, o.query, o.end, o.extended, o.normal);
            frame = &window;
            this->addOn = &addOn;
            while (!stop_) {
                ui::Event e = window.wait();
                if (e.event >= EVENT::User) taken_.push_back(e.event);
            }
            addOn.Detach();
            frame = nullptr;
            this->addOn = nullptr;
            window.close();
        });
        EXPECT_TRUE(test::pumpUntil([this] { return frame != nullptr; }));
    }

    ~FrameThread()
    {
        stop_ = true;
        if (frame) frame->post(EVENT::Timer);
        EXPECT_TRUE(test::waitEnded(thread_));
    }

    // The events the frame took, up to a marker posted now: everything posted before it.
    std::vector<int> taken()
    {
        frame->post(kMarker);
        EXPECT_TRUE(test::pumpUntil([this] { return !taken_.empty() && taken_.back() == kMarker; }));
        std::vector<int> events(taken_.begin(), taken_.end() - 1);
        taken_.clear();
        return events;
    }
    bool tookNothingYet() const { return taken_.empty(); }

    ui::Window* frame = nullptr;
    ui::SystemEventsClass* addOn = nullptr;

private:
    ui::ThreadId thread_ = 0;
    bool stop_ = false;
    std::vector<int> taken_;
};

TEST(SystemEvents, LogOffIsAnsweredAtOnceAndThenReachesTheFrame)
{
    FrameThread f({});
    EXPECT_EQ(ui::injectSystemMessage(QUERYENDSESSION, 0), 1);
    EXPECT_EQ(ui::injectSystemMessage(ENDSESSION, 1), 1);
    EXPECT_TRUE(f.tookNothingYet());  // the answers came before the frame saw anything
    EXPECT_EQ(f.taken(), (std::vector<int>{EVENT::QueryEndSession, EVENT::EndSession}));
}

TEST(SystemEvents, WithoutFlagsNothingIsPostedAndTheAnswersStay)
{
    RecordingHandler before(5);
    FrameThread f({.query = 0, .end = 7, .extended = false, .normal = false, .before = &before});
    EXPECT_EQ(ui::injectSystemMessage(QUERYENDSESSION, 0), 0);
    EXPECT_EQ(ui::injectSystemMessage(ENDSESSION, 1), 7);
    EXPECT_EQ(ui::injectSystemMessage(POWERBROADCAST, ui::PBT::APMSUSPEND), 5);
    EXPECT_EQ(ui::injectSystemMessage(DEVICECHANGE, 7), 5);
    EXPECT_TRUE(f.taken().empty());
    // the log-off and shut-down messages are answered, never passed on
    EXPECT_EQ(before.seen, (std::vector<std::pair<unsigned, unsigned>>{{POWERBROADCAST, 4}, {DEVICECHANGE, 7}}));
}

TEST(SystemEvents, PowerAndDeviceMessagesPostAndStillReachThePreviousHandler)
{
    RecordingHandler before(42);
    FrameThread f({.before = &before});
    struct Row {
        unsigned message, wParam;
        int event;
    } rows[] = {
        {POWERBROADCAST, ui::PBT::APMQUERYSUSPEND, EVENT::PowerQuerySuspend},
        {POWERBROADCAST, 0x12, EVENT::PowerOther},
        {DEVICECHANGE, 0x8004, EVENT::DeviceChange},
    };
    for (const Row& r : rows) {
        before.seen.clear();
        EXPECT_EQ(ui::injectSystemMessage(r.message, r.wParam), 42);
        EXPECT_EQ(before.seen, (std::vector<std::pair<unsigned, unsigned>>{{r.message, r.wParam}}));
        EXPECT_EQ(f.taken(), std::vector<int>{r.event});
    }
}

TEST(SystemEvents, DetachPutsThePreviousHandlerBackUnlessAnotherReplacedTheAddOn)
{
    RecordingHandler before(42);
    {
        FrameThread f({.before = &before});
        f.addOn->Detach();
        EXPECT_EQ(&ui::systemMessageHandler(*f.frame), &before);
        EXPECT_EQ(ui::injectSystemMessage(QUERYENDSESSION, 0), 42);
        EXPECT_TRUE(f.taken().empty());
        f.addOn->Detach();  // twice: nothing more
        EXPECT_EQ(&ui::systemMessageHandler(*f.frame), &before);
    }
    RecordingHandler later(9);
    FrameThread f({.before = &before});
    ui::setSystemMessageHandler(*f.frame, later);
    f.addOn->Detach();
    EXPECT_EQ(&ui::systemMessageHandler(*f.frame), &later);
}

TEST(SystemEvents, TheInstanceAttachedLastIsCurrentUntilItEnds)
{
    ui::Window first(ui::WindowKind::Dialog, "first", 50, 20);
    ui::Window second(ui::WindowKind::Dialog, "second", 50, 20);
    const ui::ThreadId thread = first.thread();
    {
        ui::SystemEventsClass outer;
        outer.Attach(first, 1, 1, true, true);
        EXPECT_EQ(ui::SystemEventsClass::current(thread), &outer);
        EXPECT_EQ(outer.PREVIOUSCLASS, nullptr);
        {
            ui::SystemEventsClass inner;
            inner.Attach(second, 0, 0, false, false);
            EXPECT_EQ(ui::SystemEventsClass::current(thread), &inner);
            EXPECT_EQ(inner.PREVIOUSCLASS, &outer);
            inner.Detach();
        }
        EXPECT_EQ(ui::SystemEventsClass::current(thread), &outer);
        // attaching again neither makes the instance its own previous one nor passes on to itself
        outer.Attach(first, 1, 1, true, true);
        EXPECT_EQ(outer.PREVIOUSCLASS, nullptr);
        EXPECT_EQ(ui::sendSystemMessage(first, POWERBROADCAST, 4), ui::defaultSystemAnswer(POWERBROADCAST));
        outer.Detach();
    }
    EXPECT_EQ(ui::SystemEventsClass::current(thread), nullptr);
}

TEST(SystemEvents, SigtermEndsTheSessionOfTheFrame)
{
    FrameThread f({});
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_TRUE(test::pumpUntil([&] { return !f.tookNothingYet(); }));
    EXPECT_EQ(f.taken(), std::vector<int>{EVENT::EndSession});
}

}  // namespace
