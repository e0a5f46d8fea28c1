#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "controls/scrollbars/CScrollBars.h"
#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;
using test::FakeWindowSystem;

struct Raised {
    std::string event;
    std::int32_t position;
    bool operator==(const Raised&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Raised& r) { return out << r.event << "(" << r.position << ")"; }

class ScrollBarsMessages : public ::testing::Test {
protected:
    FakeWindowSystem fake;
    win::Hwnd window = fake.CreateWindow();
    Ref<CScrollBars> bars = MakeRef<CScrollBars>();
    std::vector<Raised> raised;

    void SetUp() override {
        bars->SubClass(window);
        for (int bar : {SB_HORZ, SB_VERT}) {
            auto& state = fake.Bar(window, bar);
            state.max = 400;
            state.page = 201;
            state.pos = 100;
        }
        bars->HSmallChange(5);
        bars->VSmallChange(5);
        bars->HChange.Connect([this](std::int32_t p) { raised.push_back({"HChange", p}); });
        bars->HScroll.Connect([this](std::int32_t p) { raised.push_back({"HScroll", p}); });
        bars->VChange.Connect([this](std::int32_t p) { raised.push_back({"VChange", p}); });
        bars->VScroll.Connect([this](std::int32_t p) { raised.push_back({"VScroll", p}); });
    }
    win::LResult Scroll(unsigned int message, int code, int thumb = 0) {
        return fake.Send(window, message, static_cast<win::WParam>((static_cast<unsigned>(thumb) << 16) | code), 0);
    }
};

TEST_F(ScrollBarsMessages, EveryScrollCodeMovesTheBarAndRaisesItsEvent) {
    struct Case {
        int code;
        std::int32_t position;
        const char* event;
    };
    const Case cases[] = {
        {SB_LINEDOWN, 105, "Change"}, {SB_LINEUP, 100, "Change"},   {SB_PAGEDOWN, 200, "Change"},
        {SB_PAGEUP, 0, "Change"},     {SB_BOTTOM, 200, "Change"},   {SB_TOP, 0, "Change"},
    };
    for (unsigned int message : {WM_HSCROLL, WM_VSCROLL}) {
        const std::string prefix = message == WM_HSCROLL ? "H" : "V";
        const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
        for (const Case& c : cases) {
            raised.clear();
            EXPECT_EQ(Scroll(message, c.code), 0);
            EXPECT_EQ(raised, (std::vector<Raised>{{prefix + c.event, c.position}})) << "code " << c.code;
            EXPECT_EQ(fake.Bar(window, bar).pos, c.position);
        }
        fake.Bar(window, bar).tracking = true;
        fake.Bar(window, bar).trackPos = 150;
        for (int code : {SB_THUMBTRACK, SB_THUMBPOSITION}) {
            raised.clear();
            EXPECT_EQ(Scroll(message, code, 7), 0);
            EXPECT_EQ(raised, (std::vector<Raised>{{prefix + "Scroll", 150}}));
        }
    }
    EXPECT_TRUE(fake.Window(window).received.empty());  // all consumed
}

TEST_F(ScrollBarsMessages, LineAndPageStepsAreReadAtTheMomentOfUse) {
    fake.ClearCalls();
    Scroll(WM_VSCROLL, SB_PAGEDOWN);
    // the lookup, value, page, then the push of the sum with SIF_POS
    EXPECT_EQ(fake.Apis(), (std::vector<Api>{Api::GetProp, Api::GetScrollInfo, Api::GetScrollInfo, Api::SetScrollInfo}));
    EXPECT_EQ(fake.calls[1].info.fMask, SIF_POS);
    EXPECT_EQ(fake.calls[2].info.fMask, SIF_PAGE);
    EXPECT_EQ(fake.calls[3].info.fMask, SIF_POS);
    EXPECT_EQ(fake.calls[3].info.nPos, 301);
    EXPECT_EQ(fake.calls[3].bar, SB_VERT);
}

TEST_F(ScrollBarsMessages, BottomOfAPagedRangeReportsTheLastReachablePosition) {
    bars->VDisableNoScroll(kTrue);
    Scroll(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(fake.CallsOf(Api::SetScrollInfo).back().info.nPos, 400);
    EXPECT_EQ(fake.CallsOf(Api::SetScrollInfo).back().info.fMask, SIF_POS | SIF_DISABLENOSCROLL);
    EXPECT_EQ(raised, (std::vector<Raised>{{"VChange", 200}}));
    Scroll(WM_VSCROLL, SB_LINEDOWN);  // already at the end: raised again, unchanged
    EXPECT_EQ(raised.back(), (Raised{"VChange", 200}));
}

TEST_F(ScrollBarsMessages, EndScrollAndUnknownCodesAreConsumedSilently) {
    fake.ClearCalls();
    for (int code : {SB_ENDSCROLL, 9, 0x7FFF, -1}) {
        EXPECT_EQ(Scroll(WM_HSCROLL, code & 0xFFFF), 0);
        EXPECT_EQ(Scroll(WM_VSCROLL, code & 0xFFFF), 0);
    }
    EXPECT_TRUE(raised.empty());
    EXPECT_TRUE(fake.CallsOf(Api::SetScrollInfo).empty());
    EXPECT_TRUE(fake.CallsOf(Api::GetScrollInfo).empty());
    EXPECT_TRUE(fake.Window(window).received.empty());
}

TEST_F(ScrollBarsMessages, ThumbFollowsTheFull32BitTrackPosition) {
    auto& bar = fake.Bar(window, SB_VERT);
    bar.max = 1'000'000;
    bar.page = 10;
    bar.tracking = true;
    bar.trackPos = 70'000;
    fake.ClearCalls();
    Scroll(WM_VSCROLL, SB_THUMBTRACK, 70'000 & 0xFFFF);
    const auto query = fake.CallsOf(Api::GetScrollInfo).at(0);
    EXPECT_EQ(query.info.fMask, SIF_TRACKPOS);
    EXPECT_EQ(query.info.cbSize, 28u);
    EXPECT_EQ(query.window, window);
    EXPECT_EQ(raised, (std::vector<Raised>{{"VScroll", 70'000}}));
    EXPECT_EQ(bar.pos, 70'000);
}

TEST_F(ScrollBarsMessages, AFailedTrackQuerySetsTheBarToZero) {
    fake.failGetScrollInfo = true;
    Scroll(WM_HSCROLL, SB_THUMBPOSITION, 123);
    EXPECT_EQ(fake.CallsOf(Api::SetScrollInfo).back().info.nPos, 0);
    EXPECT_EQ(raised, (std::vector<Raised>{{"HScroll", 0}}));
}

TEST_F(ScrollBarsMessages, StepsNearThe32BitLimitsSaturateInsteadOfWrapping) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    auto& bar = fake.Bar(window, SB_VERT);
    bar.min = 0x7FFFFF00;
    bar.max = kMax;
    bar.page = 0;
    bar.pos = kMax - 1;
    bars->VSmallChange(kMax);
    Scroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(fake.CallsOf(Api::SetScrollInfo).back().info.nPos, kMax);
    EXPECT_EQ(raised.back(), (Raised{"VChange", kMax}));

    auto& hbar = fake.Bar(window, SB_HORZ);
    hbar.min = kMin;
    hbar.max = kMin + 100;
    hbar.page = 0;
    hbar.pos = kMin + 1;
    bars->HSmallChange(kMax);
    Scroll(WM_HSCROLL, SB_LINEUP);
    EXPECT_EQ(fake.CallsOf(Api::SetScrollInfo).back().info.nPos, kMin);
    EXPECT_EQ(raised.back(), (Raised{"HChange", kMin}));
    bars->HSmallChange(kMin);  // subtracting the most negative step goes up, and stops
    hbar.min = 0;
    hbar.max = 1000;
    hbar.pos = 100;
    Scroll(WM_HSCROLL, SB_LINEUP);
    EXPECT_EQ(fake.CallsOf(Api::SetScrollInfo).back().info.nPos, kMax);
}

TEST_F(ScrollBarsMessages, AScrollBarControlInLParamStillMovesTheOwnBar) {
    const win::Hwnd control = fake.CreateWindow("ScrollBar");
    fake.Send(window, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<win::LParam>(control));
    EXPECT_EQ(fake.CallsOf(Api::SetScrollInfo).back().window, window);
    EXPECT_EQ(raised, (std::vector<Raised>{{"HChange", 105}}));
}

TEST_F(ScrollBarsMessages, WheelIsForwardedWhileWheelSupportIsOff) {
    int rotations = 0;
    bars->WheelRotate.Connect([&](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&) { ++rotations; });
    fake.Window(window).answer = 42;
    EXPECT_EQ(fake.Send(window, WM_MOUSEWHEEL, 120u << 16, 7), 42);
    EXPECT_EQ(rotations, 0);
    ASSERT_EQ(fake.Window(window).received.size(), 1u);
    EXPECT_EQ(fake.Window(window).received[0].message, WM_MOUSEWHEEL);
    EXPECT_EQ(fake.Window(window).received[0].lParam, 7);
}

TEST_F(ScrollBarsMessages, WheelIsDecodedAndConsumedWhateverTheHandlerSays) {
    struct Seen {
        std::int32_t delta, shift, x, y;
        Bool16 wheeledOnEntry;
    };
    std::vector<Seen> seen;
    Bool16 answer = kFalse;
    bars->WheelRotate.Connect([&](std::int32_t d, std::int32_t s, std::int32_t x, std::int32_t y, Bool16& wheeled) {
        seen.push_back({d, s, x, y, wheeled});
        wheeled = answer;
    });
    bars->WheelSupport(Bool16(std::int16_t{1}));  // any non-zero value is on
    fake.Window(window).answer = 42;
    const auto lParam = static_cast<win::LParam>((0xFF38u << 16) | 512u);  // x 512, y -200
    for (Bool16 a : {kTrue, kFalse, Bool16(std::int16_t{5})}) {
        answer = a;
        EXPECT_EQ(fake.Send(window, WM_MOUSEWHEEL, (static_cast<unsigned>(-120 & 0xFFFF) << 16) | MK_CONTROL, lParam), 0);
    }
    fake.Send(window, WM_MOUSEWHEEL, 60u << 16, 0);  // half a notch
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].delta, 1);
    EXPECT_EQ(seen[0].shift, MK_CONTROL);
    EXPECT_EQ(seen[0].x, 512);
    EXPECT_EQ(seen[0].y, -200);
    EXPECT_EQ(seen[0].wheeledOnEntry, kFalse);
    EXPECT_EQ(seen[3].delta, 0);
    EXPECT_TRUE(fake.Window(window).received.empty());
    EXPECT_TRUE(raised.empty());  // the controller moves no bar itself
}

TEST_F(ScrollBarsMessages, OtherMessagesReachThePreviousProcedureUnchanged) {
    fake.Window(window).answer = -5;
    fake.ClearCalls();
    EXPECT_EQ(fake.Send(window, 0x000F, 1, 2), -5);
    const auto forwarded = fake.CallsOf(Api::CallWindowProc).at(0);
    EXPECT_EQ(forwarded.procedure, &FakeWindowSystem::OriginalProc);
    EXPECT_EQ(forwarded.message, 0x000Fu);
    EXPECT_EQ(forwarded.wParam, 1u);
    EXPECT_EQ(forwarded.lParam, 2);
}

TEST_F(ScrollBarsMessages, AHandlerThatPushesAgainRefreshesLastPosAndNests) {
    bars->VChange.Connect([this](std::int32_t p) {
        raised.push_back({"VChange", p});
        if (p == 105) bars->VScrollTo(50);  // nested event finishes first
    });
    Scroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(raised, (std::vector<Raised>{{"VChange", 105}, {"VScroll", 50}}));
    EXPECT_EQ(bars->VLastPos(), 50);
}

}  // namespace
}  // namespace brennick
