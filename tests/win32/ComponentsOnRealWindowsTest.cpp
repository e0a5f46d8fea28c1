// The components on real windows: the tables of scroll-bar, wheel and pointer cases, what
// only the system's own bars show (pages of 2^31), glides that end while the window's timers go on,
// and the lock of the table of hooks.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <thread>

#include "platform/Lock.h"
#include "tests/win32/PointerCases.h"
#include "tests/win32/ScrollBarCases.h"
#include "tests/win32/WheelCases.h"
#include "tests/win32/TestWindow.h"

namespace brennick::test {
namespace {

TEST(OnRealWindows, TheScrollBarWheelAndPointerTables) {
    RunScrollBarCases();
    RunWheelSequences();
    RunWheelConsumption();
    RunWheelScrollCases();
    RunPointerCases();
}

// A page of 2^31 - 1 on a range of 2^31 values, set in one call as Wine then keeps it: the step
// saturates, so each key moves the way it was pressed.
TEST(OnRealWindows, PagesOf2To31MoveTheWayThePageKeyWasPressed) {
    for (const auto& [code, expected] : {std::pair{SB_PAGEDOWN, INT_MAX}, {SB_PAGEUP, 0}}) {
        const HWND window = test::NewWindow();
        const auto bars = Attached<CScrollBars>(window);
        SCROLLINFO info{sizeof info, SIF_ALL, 0, INT_MAX, 0x7FFFFFFFu, INT_MAX, 0};
        SetScrollInfo(window, SB_VERT, &info, FALSE), SendMessageA(window, WM_VSCROLL, static_cast<WPARAM>(code), 0);
        EXPECT_EQ(GetScrollPos(window, SB_VERT), expected) << "the bar's position, " << code;
    }
}

// A glide (a line of 80 in four steps over 200 ms) ends with its controller, its window, a thumb
// drag, ScrollTo or a setter: no timer of it is left and nothing more is raised; the window's own
// timers, one of our number too, go on.
TEST(OnRealWindows, AGlideEndsCleanlyAndTheWindowsOwnTimersGoOn) {
    using End = void (*)(Ref<CScrollBars>&, HWND);
    // clang-format off
    const std::tuple<const char*, End, std::vector<std::int32_t>> rows[] = {  // the events: the first step's, the end's
        {"released", [](Ref<CScrollBars>& bars, HWND) { bars.Reset(); }, {20}},
        {"destroyed", [](Ref<CScrollBars>&, HWND w) { DestroyWindow(w); }, {20}},
        {"thumb", [](Ref<CScrollBars>&, HWND w) { SendMessageA(w, WM_VSCROLL, SB_THUMBPOSITION, 0); }, {20, 20}},
        {"ScrollTo", [](Ref<CScrollBars>& bars, HWND) { bars->VScrollTo(300); }, {20, 300}},
        {"setter", [](Ref<CScrollBars>& bars, HWND) { bars->VMax(300); }, {20}},
    };
    // clang-format on
    for (const auto& [end, act, expected] : rows) {
        SCOPED_TRACE(end);
        const HWND window = test::NewWindow();
        auto bars = Attached<CScrollBars>(window);
        bars->VMax(400), bars->VLargeChange(100), bars->VSmallChange(80), bars->SmoothScroll(200);
        const auto ours = reinterpret_cast<UINT_PTR>(bars.Get());
        std::vector<std::int32_t> events;
        for (auto* event : {&bars->VChange, &bars->VScroll})
            event->Connect([&](std::int32_t at) { events.push_back(at); });
        SetTimer(window, 1, 10, nullptr), SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0), act(bars, window);
        EXPECT_FALSE(KillTimer(window, ours)) << "no timer of the glide left";
        SetTimer(window, ours, 10, nullptr), Pump(300);
        EXPECT_EQ(events, expected) << "nothing raised after the end";
        if (!IsWindow(window)) {  // hooked to a new window (its bar 0..100), the controller glides afresh
            bars->SubClass(test::NewWindow()), bars->VScrollBy(10), Pump(500);
            EXPECT_EQ(events.back(), 10) << "a glide on the next window";
            continue;
        }
        EXPECT_TRUE(std::ranges::count(seenBy[window], Seen{kOwn, WM_TIMER, 1, 0})) << "its own timer went on";
        EXPECT_TRUE(std::ranges::count(seenBy[window], Seen{kOwn, WM_TIMER, ours, 0})) << "a timer of our number too";
    }
}

// The table's lock: a writer waits while it is held, shared or not; readers share it.
TEST(OnRealWindows, TheLockLetsReadersShareAndMakesAWriterWait) {
    platform::Lock lock;
    for (const bool shared : {false, true}) {
        shared ? lock.lock_shared() : lock.lock();
        std::atomic<bool> reader{false}, writer{false};
        if (shared) std::thread([&] { lock.lock_shared(), reader = true, lock.unlock_shared(); }).join();
        std::jthread write([&] { lock.lock(), writer = true, lock.unlock(); });
        Sleep(50);
        EXPECT_EQ(reader.load(), shared) << "a reader beside a reader";
        EXPECT_FALSE(writer) << "a writer beside a holder";
        shared ? lock.unlock_shared() : lock.unlock();
    }
}

}  // namespace
}  // namespace brennick::test
