#include <gtest/gtest.h>

#include "controls/scrollbars/CScrollBars.h"
#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;
using test::FakeWindowSystem;

class ScrollBarsProperties : public ::testing::Test {
protected:
    FakeWindowSystem fake;
    win::Hwnd window = fake.CreateWindow();
    Ref<CScrollBars> bars = MakeRef<CScrollBars>();

    void SetUp() override {
        bars->SubClass(window);
        fake.ClearCalls();
    }
    std::vector<std::uint32_t> PushedMasks() const {
        std::vector<std::uint32_t> masks;
        for (const auto& call : fake.CallsOf(Api::SetScrollInfo)) masks.push_back(call.info.fMask);
        return masks;
    }
};

TEST_F(ScrollBarsProperties, AFreshControllerHoldsFalseFlagsAndZeroSteps) {
    const auto fresh = MakeRef<CScrollBars>();
    EXPECT_EQ(fresh->HVisible(), kFalse);
    EXPECT_EQ(fresh->VVisible(), kFalse);
    EXPECT_EQ(fresh->HDisableNoScroll(), kFalse);
    EXPECT_EQ(fresh->VDisableNoScroll(), kFalse);
    EXPECT_EQ(fresh->HSmallChange(), 0);
    EXPECT_EQ(fresh->VSmallChange(), 0);
    EXPECT_EQ(fresh->HLastPos(), 0);
    EXPECT_EQ(fresh->TargetWnd(), nullptr);
    EXPECT_TRUE(fake.calls.empty());  // construction touches no window
}

TEST_F(ScrollBarsProperties, VisibleSetterCallsShowScrollBarOnlyOnChange) {
    bars->HVisible(kFalse);
    EXPECT_TRUE(fake.calls.empty());
    bars->HVisible(kTrue);
    bars->HVisible(kTrue);
    bars->HVisible(kFalse);
    const auto shows = fake.CallsOf(Api::ShowScrollBar);
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[0].window, window);
    EXPECT_EQ(shows[0].bar, SB_HORZ);
    EXPECT_TRUE(shows[0].flag);
    EXPECT_FALSE(shows[1].flag);
    EXPECT_EQ(fake.calls.size(), 2u);

    // Every bit is compared; a value other than -1 is stored but does not show the bar.
    bars->VVisible(Bool16(std::int16_t{1}));
    EXPECT_EQ(bars->VVisible().Bits(), 1);
    ASSERT_EQ(fake.CallsOf(Api::ShowScrollBar).size(), 3u);
    EXPECT_EQ(fake.calls.back().bar, SB_VERT);
    EXPECT_FALSE(fake.calls.back().flag);
}

TEST_F(ScrollBarsProperties, DisableNoScrollJoinsTheMaskAtTheNextPush) {
    bars->HDisableNoScroll(kTrue);
    EXPECT_TRUE(fake.calls.empty());
    bars->HMin(0);
    bars->HMax(400);
    bars->HLargeChange(201);
    bars->HValue(100);
    bars->HDisableNoScroll(kFalse);
    bars->HMin(0);
    bars->HLargeChange(201);
    bars->HValue(100);
    EXPECT_EQ(PushedMasks(), (std::vector<std::uint32_t>{9, 9, 10, 12, 1, 2, 4}));
    for (const auto& push : fake.CallsOf(Api::SetScrollInfo)) {
        EXPECT_EQ(push.bar, SB_HORZ);
        EXPECT_TRUE(push.flag);  // redraw
        EXPECT_EQ(push.info.cbSize, 28u);
    }
}

TEST_F(ScrollBarsProperties, RangeSettersTakeTheOtherEndFreshFromTheWindow) {
    fake.Bar(window, SB_HORZ).max = 100;
    bars->HMax(400);
    EXPECT_EQ(fake.Apis(), (std::vector<Api>{Api::GetScrollInfo, Api::SetScrollInfo}));
    EXPECT_EQ(fake.calls[0].info.fMask, SIF_RANGE);
    EXPECT_EQ(fake.calls[1].info.fMask, SIF_RANGE);
    EXPECT_EQ(fake.calls[1].info.nMin, 0);
    EXPECT_EQ(fake.calls[1].info.nMax, 400);

    fake.ClearCalls();
    bars->HMin(50);
    EXPECT_EQ(fake.calls[1].info.nMin, 50);
    EXPECT_EQ(fake.calls[1].info.nMax, 400);
    EXPECT_EQ(bars->HMin(), 50);
    EXPECT_EQ(bars->HMax(), 400);
}

TEST_F(ScrollBarsProperties, LastPosIsWhatTheWindowReportedForItsOwnBar) {
    bars->VMax(400);
    bars->VLargeChange(201);
    bars->VValue(350);  // the window keeps 200
    EXPECT_EQ(bars->VLastPos(), 200);
    EXPECT_EQ(bars->VValue(), 200);
    EXPECT_EQ(bars->HLastPos(), 0);  // vertical pushes leave the horizontal one alone
    bars->HMax(10);
    bars->HValue(7);
    EXPECT_EQ(bars->HLastPos(), 7);
    EXPECT_EQ(bars->VLastPos(), 200);
}

TEST_F(ScrollBarsProperties, ScrollToRaisesOneEventWithThePositionReadBack) {
    std::vector<std::int32_t> hScroll, vScroll, changes;
    bars->HScroll.Connect([&](std::int32_t p) { hScroll.push_back(p); });
    bars->VScroll.Connect([&](std::int32_t p) { vScroll.push_back(p); });
    bars->HChange.Connect([&](std::int32_t p) { changes.push_back(p); });
    bars->VChange.Connect([&](std::int32_t p) { changes.push_back(p); });
    bars->VMax(400);
    bars->VLargeChange(201);
    bars->VValue(50);
    EXPECT_TRUE(vScroll.empty());  // setters raise nothing
    bars->VScrollTo(300);
    bars->VScrollTo(300);
    EXPECT_EQ(vScroll, (std::vector<std::int32_t>{200, 200}));
    bars->HScrollTo(3);  // horizontal range 0..0 keeps 0
    EXPECT_EQ(hScroll, (std::vector<std::int32_t>{0}));
    EXPECT_TRUE(changes.empty());
}

TEST_F(ScrollBarsProperties, StepsAndWheelSwitchStayInTheController) {
    bars->HSmallChange(5);
    bars->VSmallChange(-7);
    bars->WheelSupport(kTrue);
    EXPECT_EQ(bars->HSmallChange(), 5);
    EXPECT_EQ(bars->VSmallChange(), -7);
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(ScrollBarsProperties, AFailedQueryReturnsWhatTheRecordLastHeld) {
    bars->VMax(400);
    EXPECT_EQ(bars->VMax(), 400);
    fake.failGetScrollInfo = true;
    EXPECT_EQ(bars->HMax(), 400);  // the vertical answer is still in the shared record
    fake.failGetScrollInfo = false;
    EXPECT_EQ(bars->HMax(), 0);
}

TEST_F(ScrollBarsProperties, AnUnattachedControllerAddressesHandleZero) {
    const auto loose = MakeRef<CScrollBars>();
    loose->VMax(10);
    EXPECT_EQ(loose->VMax(), 0);
    for (const auto& call : fake.calls) EXPECT_EQ(call.window, nullptr) << test::ApiName(call.api);
    EXPECT_EQ(loose->VLastPos(), 0);
}

TEST_F(ScrollBarsProperties, NegativePageAndInvertedRangeGoToTheWindowUnchanged) {
    bars->VLargeChange(-1);
    EXPECT_EQ(fake.calls.back().info.nPage, 0xFFFFFFFFu);
    bars->VMin(10);  // max is 0: inverted
    EXPECT_EQ(fake.calls.back().info.nMin, 10);
    EXPECT_EQ(fake.calls.back().info.nMax, 0);
}

}  // namespace
}  // namespace brennick

namespace brennick {
namespace {

TEST(ScrollBarsLifetime, AnOwnerLettingGoWhileTheWindowIsBeingUpdatedDoesNotEndTheCallEarly) {
    FakeWindowSystem fake;
    const win::Hwnd window = fake.CreateWindow();
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    std::vector<std::int32_t> scrolls;
    bars->VScroll.Connect([&](std::int32_t p) { scrolls.push_back(p); });
    // The window runs the owner's code while it takes the new position (as a real one may,
    // with WM_SIZE or painting), and that code drops the owner's reference.
    fake.onCall = [&](const test::Call& call) {
        if (call.api == Api::SetScrollInfo) bars.Reset();
    };
    CScrollBars* raw = bars.Get();
    raw->VScrollTo(0);
    fake.onCall = nullptr;
    EXPECT_EQ(scrolls, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(fake.Window(window).procedure, &FakeWindowSystem::OriginalProc);  // released afterwards
}

}  // namespace
}  // namespace brennick
