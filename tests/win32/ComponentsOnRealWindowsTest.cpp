// The components and support routines on real windows: the shared tables of scroll-bar and wheel
// cases, what only the system's own bars show (track positions beyond 16 bits, pages of 2^31),
// and the system's rectangles and settings.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "support/MSupport.h"
#include "tests/shared/ScrollBarCases.h"
#include "tests/shared/WheelCases.h"
#include "tests/win32/TestWindow.h"

namespace brennick {
namespace {

struct RealBackend {
    std::vector<std::unique_ptr<test::TestWindow>> windows;
    RealBackend() { test::TestWindow::answer = 7; }
    ~RealBackend() { test::TestWindow::answer = 0; }
    HWND NewWindow() { return windows.emplace_back(std::make_unique<test::TestWindow>())->Handle(); }
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) { return SendMessageA(window, message, wParam, lParam); }
    std::vector<LPARAM> OwnProcedureSaw(HWND window, UINT message) {
        std::vector<LPARAM> seen;
        for (const test::Seen& s : test::SeenBy(window)) if (s.message == message) seen.push_back(s.lParam);
        return seen;
    }
    bool Shown(HWND window, int bar) { return (GetWindowLongPtrA(window, GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0; }
    bool Enabled(HWND window, int bar) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        GetScrollBarInfo(window, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info);
        return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    }
};

TEST(OnRealWindows, TheSharedScrollBarAndWheelCases) {
    RealBackend backend;
    test::RunScrollBarCases(backend);
    test::RunWheelSequences(backend);
    test::RunWheelConsumption(backend);
}

// A bar set up directly, as a drag or a huge range leaves it; then one message.
TEST(OnRealWindows, TrackPositionsBeyond16BitsAndPagesOf2To31) {
    struct Case { const char* name; int max; UINT page; int pos, code, expected; };
    const Case cases[] = {
        {"thumb at 70,000", 1'000'000, 10, 70'000, SB_THUMBPOSITION, 70'000},
        {"page down from the top of a page of 2^31 stays", INT_MAX, 0x7FFFFFFFu, INT_MAX, SB_PAGEDOWN, INT_MAX},
        {"page up from there goes up", INT_MAX, 0x7FFFFFFFu, INT_MAX, SB_PAGEUP, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestWindow window;
        const auto bars = MakeRef<CScrollBars>();
        bars->SubClass(window.Handle());
        std::vector<std::int32_t> events;
        bars->VScroll.Connect([&](std::int32_t position) { events.push_back(position); });
        bars->VChange.Connect([&](std::int32_t position) { events.push_back(position); });
        SCROLLINFO info{sizeof info, SIF_ALL, 0, c.max, c.page, c.pos, 0};
        SetScrollInfo(window.Handle(), SB_VERT, &info, FALSE);
        SendMessageA(window.Handle(), WM_VSCROLL, MAKEWPARAM(c.code, c.pos & 0xFFFF), 0);
        EXPECT_EQ(events, (std::vector<std::int32_t>{c.expected}));
        EXPECT_EQ(GetScrollPos(window.Handle(), SB_VERT), c.expected);
    }
}

TEST(OnRealWindows, PointInWindowCountsTheRectanglesEdgesAndWheelLinesAreTheSystemSetting) {
    test::TestWindow window;
    RECT r{};
    ASSERT_TRUE(GetWindowRect(window.Handle(), &r));
    for (const auto& [x, y, inside] : {std::tuple{r.left, r.top, kTrue}, {r.right, r.bottom, kTrue}, {r.right + 1, r.bottom, kFalse},
                                       {r.right, r.bottom + 1, kFalse}, {r.left - 1, r.top, kFalse}}) {
        EXPECT_EQ(MSupport::IsPointInWindow(window.Handle(), x, y), inside) << x << "," << y;
    }
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) && lines != 0);
    EXPECT_EQ(MSupport::GetWheelScrollLines(), static_cast<std::int32_t>(lines));
    EXPECT_EQ(MSupport::GetLegacyWheelScrollLines(), 0);  // no legacy wheel window here
}

}  // namespace
}  // namespace brennick
