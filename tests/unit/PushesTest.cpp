// What only the recording double shows of CScrollBars: the exact pushes of each setter, and a
// thumb dragged away from the position.
#include <gtest/gtest.h>

#include <array>

#include <brennick/CScrollBars.h>

#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;
constexpr Bool16 kOne{std::int16_t{1}};  // non-zero, but not true

// Each setter pushes its own mask and the other end of the range as the window reports it;
// DisableNoScroll joins from the next push; Visible calls the system only on a change; a failed
// query answers 0.
TEST(ScrollBarsPushes, EachSetterPushesItsOwnMaskAndDisableNoScrollJoinsFromTheNextPush) {
    test::FakeWindowSystem fake;
    const win::Hwnd window = fake.CreateWindow();
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    bars->HDisableNoScroll(kTrue);
    fake.Bar(window, SB_HORZ).min = 7;
    bars->HMax(400);
    fake.Bar(window, SB_HORZ).max = 300;  // someone else changed the bar
    bars->HMin(50), bars->HLargeChange(201), bars->HValue(100), bars->HDisableNoScroll(kFalse), bars->HMin(0);
    bars->HLargeChange(-1), bars->HValue(100);        // no validation: the page goes as the unsigned value
    std::vector<std::array<std::int64_t, 4>> pushes;  // mask, min, max, page
    for (const test::Call& c : fake.CallsOf(Api::SetScrollInfo)) {
        EXPECT_TRUE(c.flag && c.window == window && c.info.cbSize == 28) << "redrawn, on the window, sized";
        pushes.push_back({c.info.fMask, c.info.nMin, c.info.nMax, c.info.nPage});
    }
    EXPECT_EQ(pushes, (std::vector<std::array<std::int64_t, 4>>{{9, 7, 400, 0},
                                                                {9, 50, 300, 0},
                                                                {10, 0, 0, 201},
                                                                {12, 0, 0, 0},
                                                                {1, 0, 300, 0},
                                                                {2, 0, 0, 0xFFFFFFFF},
                                                                {4, 0, 0, 0}}))
        << "mask, min, max and page of each push";
    bars->HVisible(kFalse), bars->HVisible(kTrue), bars->HVisible(kTrue), bars->VVisible(kOne);
    bars->HVisible(kFalse);
    std::vector<std::pair<int, bool>> shows;
    for (const test::Call& c : fake.CallsOf(Api::ShowScrollBar)) shows.emplace_back(c.bar, c.flag);
    EXPECT_EQ(shows, (std::vector<std::pair<int, bool>>{{SB_HORZ, true}, {SB_VERT, false}, {SB_HORZ, false}}))
        << "one call per change; a value of 1 hides";
    EXPECT_EQ(bars->VVisible().Bits(), 1) << "as last set";
    fake.failGetScrollInfo = true;
    EXPECT_EQ(bars->HMax(), 0) << "a failed query answers 0, not what an earlier one left";
}

// A dragged thumb stands apart from the bar's position; the drag moves the bar to the thumb.
TEST(ScrollBarsPushes, AThumbDraggedBeyond16BitsTakesTheTrackPosition) {
    test::FakeWindowSystem fake;
    const win::Hwnd window = fake.CreateWindow();
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    bars->VMax(1'000'000), bars->VLargeChange(10), bars->VValue(70'000);
    std::vector<std::int32_t> scrolled;
    bars->VScroll.Connect([&](std::int32_t position) { scrolled.push_back(position); });
    fake.Bar(window, SB_VERT).dragging = true, fake.Bar(window, SB_VERT).track = 123'456;
    fake.Send(window, WM_VSCROLL, SB_THUMBTRACK | (123'456 & 0xFFFF) << 16, 0);
    EXPECT_EQ(scrolled, std::vector{123'456}) << "the full track position, reported";
    EXPECT_EQ(fake.Bar(window, SB_VERT).pos, 123'456) << "the bar's position";
}

}  // namespace
}  // namespace brennick
