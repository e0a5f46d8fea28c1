// The shared tables of scroll-bar and wheel cases over the recording double, and the exact pushes
// of CScrollBars where the calls themselves are the behaviour.
#include <gtest/gtest.h>

#include "controls/scrollbars/CScrollBars.h"
#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"
#include "tests/shared/ScrollBarCases.h"
#include "tests/shared/WheelCases.h"

namespace brennick {
namespace {

using test::Api;
using test::FakeWindowSystem;

struct FakeBackend {
    FakeWindowSystem fake;
    win::Hwnd NewWindow() {
        const win::Hwnd window = fake.CreateWindow();
        fake.Window(window).answer = 7;
        return window;
    }
    win::LResult Send(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam = 0) {
        return fake.Send(window, message, wParam, lParam);
    }
    std::size_t OwnProcedureSaw(win::Hwnd window) { return fake.Window(window).visits.size(); }
    std::vector<win::LParam> OwnProcedureSaw(win::Hwnd window, unsigned int message) {
        std::vector<win::LParam> seen;
        for (const test::Visit& visit : fake.Window(window).visits) {
            if (visit.message == message) seen.push_back(visit.lParam);
        }
        return seen;
    }
    bool Shown(win::Hwnd window, int bar) { return fake.Bar(window, bar).shown; }
    bool Enabled(win::Hwnd window, int bar) { return fake.Bar(window, bar).enabled; }
};

TEST(SharedCasesOverTheDouble, ScrollBars) {
    FakeBackend backend;
    test::RunScrollBarCases(backend);
}

TEST(SharedCasesOverTheDouble, WheelSequences) {
    FakeBackend backend;
    test::RunWheelSequences(backend);
}

TEST(SharedCasesOverTheDouble, WheelConsumption) {
    FakeBackend backend;
    test::RunWheelConsumption(backend);
}

class ScrollBarsPushes : public ::testing::Test {
protected:
    FakeWindowSystem fake;
    win::Hwnd window = fake.CreateWindow();
    Ref<CScrollBars> bars = MakeRef<CScrollBars>();
    void SetUp() override {
        bars->SubClass(window);
        fake.ClearCalls();
    }
    std::vector<win::ScrollInfo> Pushed() const {
        std::vector<win::ScrollInfo> pushed;
        for (const auto& call : fake.CallsOf(Api::SetScrollInfo)) {
            EXPECT_EQ(call.window, window);
            EXPECT_TRUE(call.flag) << "every push redraws";
            EXPECT_EQ(call.info.cbSize, 28u);
            pushed.push_back(call.info);
        }
        return pushed;
    }
};

TEST_F(ScrollBarsPushes, EachSetterPushesItsOwnMaskAndDisableNoScrollJoinsItFromTheNextPush) {
    bars->HDisableNoScroll(kTrue);
    EXPECT_TRUE(fake.CallsOf(Api::SetScrollInfo).empty());
    fake.Bar(window, SB_HORZ).max = 100;
    bars->HMax(400);   // nMin from the window
    bars->HMin(50);    // nMax from the window
    bars->HLargeChange(201);
    bars->HValue(100);
    bars->HDisableNoScroll(kFalse);
    bars->HMin(0);
    bars->HLargeChange(-1);  // no validation: the page goes as the unsigned value
    bars->HValue(100);
    const auto pushed = Pushed();
    ASSERT_EQ(pushed.size(), 7u);
    const std::uint32_t masks[] = {9, 9, 10, 12, 1, 2, 4};
    for (std::size_t i = 0; i < pushed.size(); ++i) EXPECT_EQ(pushed[i].fMask, masks[i]) << i;
    EXPECT_EQ(pushed[0].nMin, 0);
    EXPECT_EQ(pushed[0].nMax, 400);
    EXPECT_EQ(pushed[1].nMin, 50);
    EXPECT_EQ(pushed[1].nMax, 400);
    EXPECT_EQ(pushed[5].nPage, 0xFFFFFFFFu);
    for (const auto& call : fake.CallsOf(Api::GetScrollInfo)) EXPECT_EQ(call.info.fMask, SIF_RANGE);
}

TEST_F(ScrollBarsPushes, VisibleCallsShowScrollBarOnlyWhenTheFlagChanges) {
    bars->HVisible(kFalse);
    bars->HVisible(kTrue);
    bars->HVisible(kTrue);
    bars->VVisible(Bool16(std::int16_t{1}));
    bars->HVisible(kFalse);
    const auto shows = fake.CallsOf(Api::ShowScrollBar);
    ASSERT_EQ(shows.size(), 3u);
    EXPECT_EQ(shows[0].bar, SB_HORZ);
    EXPECT_TRUE(shows[0].flag);
    EXPECT_EQ(shows[1].bar, SB_VERT);
    EXPECT_FALSE(shows[1].flag);
    EXPECT_FALSE(shows[2].flag);
    EXPECT_EQ(bars->VVisible().Bits(), 1);
}

TEST_F(ScrollBarsPushes, ScrollMessagesReadTheBarAtTheMomentOfUse) {
    fake.Bar(window, SB_VERT) = {.max = 1'000'000, .page = 10, .pos = 5, .tracking = true, .trackPos = 70'000};
    std::vector<std::int32_t> scrolls;
    bars->VScroll.Connect([&](std::int32_t position) { scrolls.push_back(position); });
    fake.Send(window, WM_VSCROLL, SB_THUMBTRACK | (4464u << 16), 0);  // the word holds 70'000 & 0xFFFF
    fake.failGetScrollInfo = true;
    fake.Send(window, WM_VSCROLL, SB_THUMBPOSITION, reinterpret_cast<win::LParam>(fake.CreateWindow("ScrollBar")));
    EXPECT_EQ(scrolls, (std::vector<std::int32_t>{70'000, 0})) << "a failed track query sets the bar to 0";
    const auto queries = fake.CallsOf(Api::GetScrollInfo);
    ASSERT_GE(queries.size(), 1u);
    EXPECT_EQ(queries[0].info.fMask, SIF_TRACKPOS);
    EXPECT_EQ(queries[0].window, window);
}

TEST_F(ScrollBarsPushes, AFailedQueryReturnsWhatTheRecordLastHeld) {
    fake.Bar(window, SB_VERT).max = 400;
    EXPECT_EQ(bars->VMax(), 400);
    fake.failGetScrollInfo = true;
    EXPECT_EQ(bars->HMax(), 400) << "the vertical answer is still in the shared record";
}

TEST(ScrollBarsUnattached, AFreshControllerHoldsDefaultsAndAddressesHandleZero) {
    FakeWindowSystem fake;
    const auto loose = MakeRef<CScrollBars>();
    EXPECT_TRUE(fake.calls.empty()) << "construction touches no window";
    EXPECT_EQ(loose->HVisible(), kFalse);
    EXPECT_EQ(loose->VDisableNoScroll(), kFalse);
    EXPECT_EQ(loose->HSmallChange(), 0);
    loose->VMax(10);
    EXPECT_EQ(loose->VMax(), 0);
    for (const auto& call : fake.calls) {
        if (call.api == Api::GetScrollInfo || call.api == Api::SetScrollInfo) EXPECT_EQ(call.window, nullptr);
    }
}

}  // namespace
}  // namespace brennick
