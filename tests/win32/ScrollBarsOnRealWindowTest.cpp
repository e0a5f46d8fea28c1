#include <gtest/gtest.h>

#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "tests/win32/TestWindow.h"

namespace brennick {
namespace {

// A controller on a real window with the bars the test window configures at start.
class ScrollBarsOnRealWindow : public ::testing::Test {
protected:
    test::TestWindow window;
    Ref<CScrollBars> bars = MakeRef<CScrollBars>();
    std::vector<std::int32_t> changes, scrolls;

    void SetUp() override {
        bars->SubClass(window.Handle());
        bars->VChange.Connect([this](std::int32_t p) { changes.push_back(p); });
        bars->VScroll.Connect([this](std::int32_t p) { scrolls.push_back(p); });
        bars->VVisible(kTrue);
        bars->VDisableNoScroll(kTrue);
        bars->VMin(0);
        bars->VMax(400);
        bars->VLargeChange(201);
        bars->VSmallChange(5);
        bars->VValue(bars->VMax() / 4);
    }
    SCROLLINFO Bar(int bar = SB_VERT) {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL};
        GetScrollInfo(window.Handle(), bar, &info);
        return info;
    }
    LONG BarState(LONG object = OBJID_VSCROLL) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!GetScrollBarInfo(window.Handle(), object, &info)) return -1;
        return static_cast<LONG>(info.rgstate[0]);
    }
    LRESULT Send(UINT message, int code, int thumb = 0) {
        return SendMessageA(window.Handle(), message, MAKEWPARAM(code, thumb), 0);
    }
};

TEST_F(ScrollBarsOnRealWindow, TheWindowKeepsWhatTheControllerPushed) {
    const SCROLLINFO info = Bar();
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 400);
    EXPECT_EQ(info.nPage, 201u);
    EXPECT_EQ(info.nPos, 100);
    EXPECT_EQ(bars->VValue(), 100);
    EXPECT_EQ(bars->VLargeChange(), 201);
    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(scrolls.empty());
}

TEST_F(ScrollBarsOnRealWindow, TheWindowClampsAndTheEventsReportWhatItHolds) {
    EXPECT_EQ(Send(WM_VSCROLL, SB_BOTTOM), 0);
    EXPECT_EQ(Send(WM_VSCROLL, SB_LINEDOWN), 0);
    EXPECT_EQ(Send(WM_VSCROLL, SB_PAGEUP), 0);
    EXPECT_EQ(Send(WM_VSCROLL, SB_LINEUP), 0);
    EXPECT_EQ(Send(WM_VSCROLL, SB_ENDSCROLL), 0);
    EXPECT_EQ(changes, (std::vector<std::int32_t>{200, 200, 0, 0}));
    EXPECT_EQ(Bar().nPos, 0);
    bars->VScrollTo(350);
    EXPECT_EQ(scrolls, (std::vector<std::int32_t>{200}));
    EXPECT_EQ(bars->VLastPos(), 200);
}

TEST_F(ScrollBarsOnRealWindow, TheThumbFollowsPositionsBeyond16Bits) {
    bars->VMax(1'000'000);
    bars->VLargeChange(10);
    SCROLLINFO moved{sizeof(SCROLLINFO), SIF_POS};
    moved.nPos = 70'000;
    SetScrollInfo(window.Handle(), SB_VERT, &moved, FALSE);  // as a drag leaves it
    Send(WM_VSCROLL, SB_THUMBPOSITION, 70'000 & 0xFFFF);
    EXPECT_EQ(scrolls, (std::vector<std::int32_t>{70'000}));
    EXPECT_EQ(Bar().nPos, 70'000);
}

TEST_F(ScrollBarsOnRealWindow, DisableNoScrollKeepsAnUnneededBarShownButDisabled) {
    EXPECT_EQ(BarState() & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE), 0);
    bars->VMax(100);  // the page now covers the whole range
    const LONG state = BarState();
    EXPECT_EQ(state & STATE_SYSTEM_INVISIBLE, 0);
    EXPECT_NE(state & STATE_SYSTEM_UNAVAILABLE, 0);
    bars->VMax(400);
    EXPECT_EQ(BarState() & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE), 0);
}

TEST_F(ScrollBarsOnRealWindow, WithoutDisableNoScrollAnUnneededBarIsHidden) {
    bars->VDisableNoScroll(kFalse);
    bars->VMax(100);
    EXPECT_NE(BarState() & STATE_SYSTEM_INVISIBLE, 0);
}

TEST_F(ScrollBarsOnRealWindow, VisibleShowsAndHidesTheBar) {
    auto style = [this] { return GetWindowLongPtrA(window.Handle(), GWL_STYLE); };
    bars->HVisible(kTrue);
    EXPECT_NE(style() & WS_HSCROLL, 0);
    bars->HVisible(kFalse);
    EXPECT_EQ(style() & WS_HSCROLL, 0);
    bars->VVisible(kFalse);
    EXPECT_EQ(style() & WS_VSCROLL, 0);
    bars->VVisible(kTrue);
    EXPECT_NE(style() & WS_VSCROLL, 0);
}

}  // namespace
}  // namespace brennick
