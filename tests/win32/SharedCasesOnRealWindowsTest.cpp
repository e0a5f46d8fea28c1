// The components on real windows: the shared tables of scroll-bar and wheel cases, and what only
// the system's own bars show: track positions beyond 16 bits and pages of 2^31.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "tests/shared/ScrollBarCases.h"
#include "tests/shared/WheelCases.h"
#include "tests/win32/TestWindow.h"

namespace brennick {
namespace {

struct RealBackend {
    std::vector<std::unique_ptr<test::TestWindow>> windows;
    RealBackend() { test::TestWindow::Answer() = 7; }
    ~RealBackend() { test::TestWindow::Answer() = 0; }
    HWND NewWindow() { return windows.emplace_back(std::make_unique<test::TestWindow>())->Handle(); }
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) {
        return SendMessageA(window, message, wParam, lParam);
    }
    std::size_t OwnProcedureSaw(HWND window) { return test::SeenBy(window).size(); }
    std::vector<LPARAM> OwnProcedureSaw(HWND window, UINT message) {
        std::vector<LPARAM> seen;
        for (const test::Seen& s : test::SeenBy(window)) {
            if (s.message == message) seen.push_back(s.lParam);
        }
        return seen;
    }
    bool Shown(HWND window, int bar) {
        return (GetWindowLongPtrA(window, GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
    }
    bool Enabled(HWND window, int bar) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        GetScrollBarInfo(window, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info);
        return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    }
};

TEST(SharedCasesOnRealWindows, ScrollBars) {
    RealBackend backend;
    test::RunScrollBarCases(backend);
}

TEST(SharedCasesOnRealWindows, WheelSequences) {
    RealBackend backend;
    test::RunWheelSequences(backend);
}

TEST(SharedCasesOnRealWindows, WheelConsumption) {
    RealBackend backend;
    test::RunWheelConsumption(backend);
}

// A bar set up directly, as a drag or a huge range leaves it; then one message.
TEST(ScrollBarsOnRealWindow, TrackPositionsBeyond16BitsAndPagesOf2To31) {
    struct Case {
        const char* name;
        int min, max;
        UINT page;
        int pos;
        int code;
        int expected;
    };
    const Case cases[] = {
        {"thumb at 70,000", 0, 1'000'000, 10, 70'000, SB_THUMBPOSITION, 70'000},
        {"page down from the top of a page of 2^31 stays", 0, INT_MAX, 0x7FFFFFFFu, INT_MAX, SB_PAGEDOWN, INT_MAX},
        {"page up from there goes up", 0, INT_MAX, 0x7FFFFFFFu, INT_MAX, SB_PAGEUP, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestWindow window;
        const auto bars = MakeRef<CScrollBars>();
        bars->SubClass(window.Handle());
        std::vector<std::int32_t> events;
        bars->VScroll.Connect([&](std::int32_t position) { events.push_back(position); });
        bars->VChange.Connect([&](std::int32_t position) { events.push_back(position); });
        SCROLLINFO info{sizeof info, SIF_ALL, c.min, c.max, c.page, c.pos, 0};
        SetScrollInfo(window.Handle(), SB_VERT, &info, FALSE);
        SendMessageA(window.Handle(), WM_VSCROLL, MAKEWPARAM(c.code, c.pos & 0xFFFF), 0);
        EXPECT_EQ(events, (std::vector<std::int32_t>{c.expected}));
        EXPECT_EQ(GetScrollPos(window.Handle(), SB_VERT), c.expected);
    }
}

}  // namespace
}  // namespace brennick
