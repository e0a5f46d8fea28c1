// The components on real windows: the shared tables of scroll-bar and wheel cases, what only the
// system's own bars show (pages of 2^31), glides and timers, and the system's lock under the table.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include <brennick/CScrollBars.h>

#include "platform/Lock.h"
#include "tests/shared/PointerCases.h"
#include "tests/shared/ScrollBarCases.h"
#include "tests/shared/WheelCases.h"
#include "tests/win32/TestWindow.h"

namespace brennick {
namespace {

struct RealBackend {
    std::vector<std::unique_ptr<test::TestWindow>> windows;
    HWND NewWindow() { return windows.emplace_back(std::make_unique<test::TestWindow>())->Handle(); }
    LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(window, message, wParam, lParam);
    }
    std::vector<std::pair<WPARAM, LPARAM>> OwnProcedureSaw(HWND window, UINT message) {
        std::vector<std::pair<WPARAM, LPARAM>> seen;
        for (const test::Seen& s : test::SeenBy(window)) {
            if (s.message == message) seen.emplace_back(s.wParam, s.lParam);
        }
        return seen;
    }
    bool Shown(HWND window, int bar) {
        return (GetWindowLongPtrA(window, GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
    }
    bool Enabled(HWND window, int bar) {
        SCROLLBARINFO info{sizeof info};
        GetScrollBarInfo(window, bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info);
        return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
    }
    void Glide(HWND) { test::Pump(200); }
    bool KillTimer(HWND window, UINT_PTR id) { return ::KillTimer(window, id) != FALSE; }
    void Settings(int lines, int chars) {  // for this session only: nothing is saved
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, static_cast<UINT>(lines), nullptr, 0);
        SystemParametersInfoA(SPI_SETWHEELSCROLLCHARS, static_cast<UINT>(chars), nullptr, 0);
    }
    void Capture(HWND window) { window ? (void)SetCapture(window) : (void)ReleaseCapture(); }
    HWND Captured() { return GetCapture(); }
    std::pair<int, int> Size(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        return {client.right, client.bottom};
    }
    void Destroy(HWND window) { DestroyWindow(window); }
};

TEST(OnRealWindows, TheSharedScrollBarAndWheelCases) {
    RealBackend backend;
    test::RunScrollBarCases(backend);
    test::RunWheelSequences(backend);
    test::RunWheelConsumption(backend);
    test::RunWheelScrollCases(backend);
    test::RunPointerCases(backend);
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

// A glide ends with its controller, its window, a thumb drag, ScrollTo or a setter: no timer of it
// is left and nothing more is raised; the window's own timers, one of our number too, go on.
TEST(OnRealWindows, AGlideEndsCleanlyAndTheWindowsOwnTimersGoOn) {
    enum End { Release, Destroy, Thumb, ScrollTo, Setter };
    for (const End end : {Release, Destroy, Thumb, ScrollTo, Setter}) {
        SCOPED_TRACE(end);
        test::TestWindow window;
        const HWND handle = window.Handle();
        auto bars = MakeRef<CScrollBars>();
        bars->SubClass(handle);
        bars->VMax(400), bars->VLargeChange(100), bars->VSmallChange(80), bars->SmoothScroll(200);
        const auto ours = reinterpret_cast<UINT_PTR>(bars.Get());
        std::vector<std::int32_t> events;
        for (auto* event : {&bars->VChange, &bars->VScroll}) {
            event->Connect([&](std::int32_t position) { events.push_back(position); });
        }
        SetTimer(handle, 1, 10, nullptr);
        SendMessageA(handle, WM_VSCROLL, SB_LINEDOWN, 0);  // a quarter of the way at once
        switch (end) {
        case Release:
            bars.Reset();
            break;
        case Destroy:
            window.Destroy();
            break;
        case Thumb:
            SendMessageA(handle, WM_VSCROLL, SB_THUMBPOSITION, 0);
            break;
        case ScrollTo:
            bars->VScrollTo(300);
            break;
        case Setter:
            bars->VMax(300);
            break;
        }
        EXPECT_FALSE(KillTimer(handle, ours)) << "gone at once";
        test::Pump(300);
        const auto timers = [&] {
            std::set<UINT_PTR> ids;
            for (const test::Seen& seen : window.Log()) {
                if (seen.message == WM_TIMER) ids.insert(seen.wParam);
            }
            return ids;
        };
        const std::vector<std::int32_t> expected = end == Thumb      ? std::vector{20, 20}
                                                   : end == ScrollTo ? std::vector{20, 300}
                                                                     : std::vector{20};
        EXPECT_EQ(events, expected) << "nothing after the end";
        if (end == Destroy) {  // hooked to a new window (its bar 0..100), the controller starts afresh
            test::TestWindow next;
            bars->SubClass(next.Handle()), bars->VScrollBy(10), test::Pump(500);
            EXPECT_EQ(events.back(), 10) << "a glide on the next window";
            continue;
        }
        EXPECT_EQ(timers(), (std::set<UINT_PTR>{1})) << "its own timer went on, ours never came";
        SetTimer(handle, ours, 10, nullptr);
        test::Pump(150);
        EXPECT_EQ(timers(), (std::set<UINT_PTR>{1, ours})) << "a timer of our number is the window's";
    }
}

// A writer waits while the lock is held, shared or not; readers share it.
TEST(OnRealWindows, TheLockLetsReadersShareAndMakesAWriterWait) {
    platform::Lock lock;
    for (const bool shared : {false, true}) {
        shared ? lock.lock_shared() : lock.lock();
        std::atomic<bool> in{false};
        std::thread writer([&] { lock.lock(), in = true, lock.unlock(); });
        Sleep(50);
        EXPECT_FALSE(in) << (shared ? "held shared" : "held");
        shared ? lock.unlock_shared() : lock.unlock();
        writer.join();
        EXPECT_TRUE(in) << "in once let go";
    }
    lock.lock_shared();
    std::atomic<bool> reader{false};
    std::thread([&] { lock.lock_shared(), reader = true, lock.unlock_shared(); }).join();
    EXPECT_TRUE(reader) << "readers share";
    lock.unlock_shared();
}

}  // namespace
}  // namespace brennick
