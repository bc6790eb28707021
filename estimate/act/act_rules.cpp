#include "estimate/act/act_rules.h"

namespace {

constexpr std::uint32_t colorRef(int red, int green, int blue)
{
    return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16;
}

constexpr std::uint32_t kSilver = colorRef(192, 192, 192);
constexpr std::uint32_t kRed = colorRef(255, 0, 0);
constexpr std::uint32_t kYellow = colorRef(255, 255, 0);

}  // namespace

ui::CellColors PlanColors()
{
    ui::CellColors c;
    c.background = kSilver;
    return c;
}

ui::CellColors ActColors(const WrksInSmtRecord& line)
{
    ui::CellColors c;
    const Decimal act = line.ONAKT;
    if (act > Decimal(line.CHELCH)) {
        c.text = kYellow;
        c.background = kRed;
    } else if (act > Decimal()) {
        c.text = kRed;
        c.background = kYellow;
    }
    return c;
}

Decimal FillValue(const Decimal& plan, const Decimal& share) { return (plan * share).rounded(2); }
