// The test window's arithmetic and report line, apart from any window. (Its other texts show in the
// end-to-end tests, as the window shows them.)
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "app/frmMainRules.h"

namespace brennick::frmMainRules {
namespace {

TEST(AppRules, ADoubleClickSendsABarToAQuarterOfItsMaximumHalvesToEven) {
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {400, 100}, {402, 100}, {406, 102}, {403, 101}, {10, 2}, {14, 4}, {-6, -2}, {0, 0}, {INT_MAX, 536870912}};
    for (const auto& [maximum, quarter] : cases) EXPECT_EQ(QuarterOf(maximum), quarter) << maximum;
    EXPECT_TRUE(RoundHalfEven(std::nan("")) == 0 && RoundHalfEven(1e12) == INT_MAX && RoundHalfEven(-1e12) == INT_MIN);
}

TEST(AppRules, AWheelTurnMovesByLinesOrAPageAndStaysWithinMinAndMax) {
    struct Case {
        const char* name;
        VerticalBar bar;
        std::int32_t delta, lines, target;
    };  // bar: value, min, max, line, page
    const VerticalBar start{100, 0, 400, 5, 201};
    const Case cases[] = {
        {"three lines a notch", start, 1, 3, 115},
        {"away from the user", start, -2, 3, 70},
        {"a page a notch", start, 1, kWheelPageScroll, 301},
        {"a page a notch, up", start, -1, kWheelPageScroll, 0},
        {"no notches", start, 0, 3, 100},
        {"held to min", {10, 0, 400, 5, 201}, -1, 3, 0},
        {"held to max itself, not the last position a page allows", {200, 0, 400, 5, 201}, 100, 3, 400},
        {"at most a page of lines", {0, 0, 400, 5, 2}, 1, 3, 10},
        {"sums stop at the limits", {INT_MAX - 1, INT_MIN, INT_MAX, INT_MAX, INT_MAX}, INT_MAX, 3, INT_MAX},
    };
    for (const Case& c : cases) EXPECT_EQ(WheelScrollTarget(c.bar, c.delta, c.lines), c.target) << c.name;
}

TEST(AppRules, AReportLineShowsItsTimeZeroFilled) {
    EXPECT_EQ(WheelReportLine({0, 0, 5}, kWheelReportRight, -2, 12, -200, -7),
              "00:00:05 WheelRotate ScrollV Right: Delta=-2, Shift=12, X=-200, Y=-7");
}

}  // namespace
}  // namespace brennick::frmMainRules
