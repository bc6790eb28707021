#include "platform/ui/wheel_message.h"

#include <gtest/gtest.h>

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
    const ui::Window* windows[] = {nullptr, reinterpret_cast<const ui::Window*>(0x10), reinterpret_cast<const ui::Window*>(0x20)};
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

TEST(WheelMessage, DeltaIsTheSignedHighWord)
{
    for (int delta : {0, 120, -120, 240, -360, 32760, -32760}) EXPECT_EQ(ui::wheelDelta(ui::wheelWParam(delta)), delta);
    EXPECT_EQ(ui::wheelWParam(120), 120u << 16);
    EXPECT_EQ(ui::wheelDelta(0xFF880000u), -120);
}

}  // namespace
