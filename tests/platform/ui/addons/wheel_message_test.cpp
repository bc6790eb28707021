#include "platform/ui/addons/wheel_message.h"

#include "platform/ui/windows/window.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Step {
    int window;  // 1 or 2
    int delta;
    int delivered;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
};

TEST(WheelAccumulator, DeliversWholeNotchesAndKeepsTheRestWhileNothingChanges)
{
    const ui::Window one(ui::WindowKind::Dialog, "1", 20, 20), two(ui::WindowKind::Dialog, "2", 20, 20);
    const ui::Window* windows[] = {nullptr, &one, &two};
    const Case cases[] = {
        {"touchpad units add up", {{1, 40, 0}, {1, 40, 0}, {1, 40, 120}}},
        {"whole notches at once", {{1, 240, 240}, {1, -360, -360}}},
        {"the rest of a large delta is kept", {{1, 250, 240}, {1, 110, 120}}},
        {"a change of direction drops the rest", {{1, 100, 0}, {1, -40, 0}, {1, -80, -120}}},
        {"a change of window drops the rest", {{1, 100, 0}, {2, 100, 0}, {2, 20, 120}}},
        {"backwards units add up", {{2, -60, 0}, {2, -60, -120}}},
    };
    for (const Case& c : cases) {
        ui::WheelAccumulator accumulator;
        for (const Step& s : c.steps) EXPECT_EQ(accumulator.add(windows[s.window], s.delta), s.delivered) << c.name;
    }
}

TEST(WheelAccumulator, AWindowThatIsGoneLeavesNoRest)
{
    ui::WheelAccumulator accumulator;
    auto window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, "gone", 20, 20);
    EXPECT_EQ(accumulator.add(window.get(), 100), 0);
    window.reset();
    window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, "new", 20, 20);  // perhaps where the old one was
    EXPECT_EQ(accumulator.add(window.get(), 20), 0);
}

TEST(WheelMessage, DeltaIsTheSignedHighWord)
{
    for (int delta : {0, 120, -120, 240, -360, 32760, -32760}) EXPECT_EQ(ui::wheelDelta(ui::wheelWParam(delta)), delta);
    EXPECT_EQ(ui::wheelWParam(120), 120u << 16);
    EXPECT_EQ(ui::wheelDelta(0xFF880000u), -120);
}

}  // namespace
