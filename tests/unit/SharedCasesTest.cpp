// The shared tables of scroll-bar and wheel cases over the recording double, and the exact pushes
// of CScrollBars where the calls themselves are the behaviour.
#include <gtest/gtest.h>

#include <brennick/CScrollBars.h>
#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"
#include "tests/shared/ScrollBarCases.h"
#include "tests/shared/WheelCases.h"

namespace brennick {
namespace {

using test::Api;

struct FakeBackend {
    test::FakeWindowSystem fake;
    win::Hwnd NewWindow() {
        const win::Hwnd window = fake.CreateWindow();
        fake.Window(window).answer = 7;
        return window;
    }
    win::LResult Send(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam = 0) { return fake.Send(window, message, wParam, lParam); }
    std::vector<win::LParam> OwnProcedureSaw(win::Hwnd window, unsigned int message) {
        std::vector<win::LParam> seen;
        for (const test::Visit& visit : fake.Window(window).visits) if (visit.message == message) seen.push_back(visit.lParam);
        return seen;
    }
    bool Shown(win::Hwnd window, int bar) { return fake.Bar(window, bar).shown; }
    bool Enabled(win::Hwnd window, int bar) { return fake.Bar(window, bar).enabled; }
    void Glide(win::Hwnd window) { for (int tick = 0; tick < 10; ++tick) fake.Tick(window); }
    bool KillTimer(win::Hwnd window, std::uintptr_t id) { return fake.timers.erase({window, id}) > 0; }
};

TEST(SharedCasesOverTheDouble, ScrollBarsAndWheels) {
    FakeBackend backend;
    test::RunScrollBarCases(backend);
    test::RunWheelSequences(backend);
    test::RunWheelConsumption(backend);
}

TEST(ScrollBarsPushes, EachSetterPushesItsOwnMaskAndDisableNoScrollJoinsItFromTheNextPush) {
    test::FakeWindowSystem fake;
    const win::Hwnd window = fake.CreateWindow();
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    bars->HDisableNoScroll(kTrue);
    EXPECT_TRUE(fake.CallsOf(Api::SetScrollInfo).empty());
    fake.Bar(window, SB_HORZ).min = 7;
    bars->HMax(400);  // nMin from the window
    fake.Bar(window, SB_HORZ).max = 300;  // someone else changed the bar
    bars->HMin(50);   // nMax from the window
    bars->HLargeChange(201), bars->HValue(100), bars->HDisableNoScroll(kFalse), bars->HMin(0);
    bars->HLargeChange(-1);  // no validation: the page goes as the unsigned value
    bars->HValue(100);
    const std::vector<test::Call> pushes = fake.CallsOf(Api::SetScrollInfo);
    ASSERT_EQ(pushes.size(), 7u);
    const std::uint32_t masks[] = {9, 9, 10, 12, 1, 2, 4};
    for (std::size_t i = 0; i < pushes.size(); ++i) EXPECT_TRUE(pushes[i].info.fMask == masks[i] && pushes[i].flag && pushes[i].window == window && pushes[i].info.cbSize == 28) << i;
    EXPECT_TRUE(pushes[0].info.nMin == 7 && pushes[0].info.nMax == 400 && pushes[1].info.nMin == 50 && pushes[1].info.nMax == 300);
    EXPECT_EQ(pushes[5].info.nPage, 0xFFFFFFFFu);
    for (const auto& call : fake.CallsOf(Api::GetScrollInfo)) EXPECT_EQ(call.info.fMask, SIF_RANGE);
    // Visible calls ShowScrollBar only when the flag changes.
    bars->HVisible(kFalse), bars->HVisible(kTrue), bars->HVisible(kTrue), bars->VVisible(Bool16(std::int16_t{1})), bars->HVisible(kFalse), bars->KeyboardSupport(Bool16(std::int16_t{2}));
    const auto shows = fake.CallsOf(Api::ShowScrollBar);
    ASSERT_EQ(shows.size(), 3u);
    EXPECT_TRUE(shows[0].bar == SB_HORZ && shows[0].flag && shows[1].bar == SB_VERT && !shows[1].flag && !shows[2].flag);
    EXPECT_TRUE(bars->VVisible().Bits() == 1 && bars->KeyboardSupport().Bits() == 2) << "as last set";
}

}  // namespace
}  // namespace brennick
