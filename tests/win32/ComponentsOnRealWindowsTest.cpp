// The components on real windows: the shared tables of scroll-bar and wheel cases, and what only
// the system's own bars show (pages of 2^31).
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include <brennick/CScrollBars.h>
#include "tests/shared/ScrollBarCases.h"
#include "tests/shared/WheelCases.h"
#include "tests/win32/TestWindow.h"

namespace brennick {
namespace {

struct RealBackend {
    std::vector<std::unique_ptr<test::TestWindow>> windows;
    HWND NewWindow() { return windows.emplace_back(std::make_unique<test::TestWindow>())->Handle(); }
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) { return SendMessageA(window, message, wParam, lParam); }
    std::vector<LPARAM> OwnProcedureSaw(HWND window, UINT message) {
        std::vector<LPARAM> seen;
        for (const test::Seen& s : test::SeenBy(window)) if (s.message == message) seen.push_back(s.lParam);
        return seen;
    }
    bool Shown(HWND window, int bar) { return (GetWindowLongPtrA(window, GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0; }
    bool Enabled(HWND window, int bar) {
        SCROLLBARINFO info{sizeof info};
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

// A page of 2^31 - 1 on a range of 2^31 values, set in one call as Wine then keeps it: the step
// saturates, so each key moves the way it was pressed.
TEST(OnRealWindows, PagesOf2To31MoveTheWayThePageKeyWasPressed) {
    for (const auto& [code, expected] : {std::pair{SB_PAGEDOWN, INT_MAX}, {SB_PAGEUP, 0}}) {
        test::TestWindow window;
        const auto bars = MakeRef<CScrollBars>();
        bars->SubClass(window.Handle());
        std::vector<std::int32_t> events;
        bars->VChange.Connect([&](std::int32_t position) { events.push_back(position); });
        SCROLLINFO info{sizeof info, SIF_ALL, 0, INT_MAX, 0x7FFFFFFFu, INT_MAX, 0};
        SetScrollInfo(window.Handle(), SB_VERT, &info, FALSE);
        SendMessageA(window.Handle(), WM_VSCROLL, static_cast<WPARAM>(code), 0);
        EXPECT_EQ(events, (std::vector<std::int32_t>{expected})) << code;
        EXPECT_EQ(GetScrollPos(window.Handle(), SB_VERT), expected) << code;
    }
}

}  // namespace
}  // namespace brennick
