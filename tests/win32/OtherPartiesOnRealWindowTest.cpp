// The components in windows that other code shares: other subclassers above and below them on a
// Unicode window (every order of installing and removing them runs in the fuzz target, over the
// double), other threads and fibers.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "tests/win32/TestWindow.h"  // <windows.h> before <commctrl.h>

#include <commctrl.h>

namespace brennick::test {
namespace {

// Someone's raw SetWindowLongPtrW replacement (party 0) and someone's comctl32 subclass (party 1).
std::map<HWND, LONG_PTR> belowRaw;
LRESULT CALLBACK RawProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    seenBy[window].emplace_back(0, message, wParam, lParam);
    return CallWindowProcW(reinterpret_cast<WNDPROC>(belowRaw[window]), window, message, wParam, lParam);
}
LRESULT CALLBACK Comctl32Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    seenBy[window].emplace_back(1, message, wParam, lParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The components on a Unicode window between a raw layer below and a comctl32 subclass above: each
// party sees a wheel turn once, top first, and the window keeps its character set and gets its text
// whole; also once the components let go from below the top, and once the subclass above leaves.
TEST(OtherPartiesOnRealWindow, LayersAboveAndBelowSeeEachMessageOnceAndTextWhole) {
    const HWND window = NewWindow(true);
    belowRaw[window] = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RawProcedure));
    auto bars = Attached<CScrollBars>(window);
    auto hook = Attached<cSubClassWheel>(window);
    hook->WheelRotate.Connect([window](auto&&...) { seenBy[window].emplace_back(2, WM_MOUSEWHEEL, 0, 0); });
    SetWindowSubclass(window, &Comctl32Procedure, 0, 0);
    const auto expect = [window](const std::vector<int>& parties, const char* when) {
        const std::wstring text = L"\u4E2D\u6587 \u03A9 \u20AC \U0001F600";
        wchar_t back[32] = {};
        SetWindowTextW(window, text.c_str()), GetWindowTextW(window, back, 32);
        EXPECT_EQ(back, text) << "the text whole, " << when;
        EXPECT_TRUE(IsWindowUnicode(window)) << "its character set, " << when;
        std::vector<int> saw;
        seenBy[window].clear(), SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
        for (const auto& [party, message, wParam, lParam] : seenBy[window]) saw.push_back(party);
        EXPECT_EQ(saw, parties) << "who saw a wheel turn, top first, " << when;
    };
    expect({1, 2, 0, kOwn}, "with the components");
    bars.Reset(), hook.Reset();
    expect({1, 0, kOwn}, "the components let go");
    RemoveWindowSubclass(window, &Comctl32Procedure, 0);
    expect({0, kOwn}, "the subclass above gone");
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RawProcedure)) << "raw on top";
}

// Whether the window runs its own procedure again and carries neither component's property.
bool Unhooked(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&OwnProcedure<false>) &&
           !GetPropA(window, "nvStdScroll") && !GetPropA(window, "nvAdvSubcls");
}

void WINAPI RunFiber(void* run) { (*static_cast<std::function<void()>*>(run))(); }

// The last references go on other threads while the window's own thread waits without pumping (as
// a join does), or then destroys the window, or (for many rounds) pumps its messages while a third
// thread sends to the window. The release returns at once; the window's thread unhooks and frees
// the components at its next message, or at the window's end; each message arrives once. Meanwhile
// a call from another thread, whose handler replies early (ReplyMessage), still waits for the
// handler to end.
TEST(OtherPartiesOnRealWindow, ALastReleaseElsewhereWaitsForNobody) {
    enum Meanwhile { kWait, kDestroy, kPump };  // the last races over many rounds
    for (const Meanwhile meanwhile : {kWait, kDestroy, kPump}) {
        SCOPED_TRACE(meanwhile);
        const HWND window = NewWindow(), bare = NewWindow();  // bare: of this thread, hooked by none
        std::atomic<long> sent{0};                            // WM_USER to the window, from anyone
        std::atomic<bool> stop{false}, stopped{false};
        std::jthread sender([&] {
            while (meanwhile == kPump && !stop)
                ++sent, SendMessageA(window, WM_USER, 0, 0), SendMessageA(window, WM_MOUSEWHEEL, 0, 0);
            stopped = true;
        });
        for (int round = 0; round < (meanwhile == kPump ? 150 : 1) && !::testing::Test::HasFailure(); ++round) {
            const auto alive = std::make_shared<int>();  // held by both components' handlers
            auto bars = Attached<CScrollBars>(window);
            auto wheel = Attached<cSubClassWheel>(window);
            bars->VChange.Connect([alive](std::int32_t) {}), wheel->WheelRotate.Connect([alive](auto&&...) {});
            std::atomic<int> handled{0};
            bars->VScroll.Connect([&handled, alive](std::int32_t) { ReplyMessage(0), Sleep(1), ++handled; });
            std::atomic<bool> done{false};
            std::thread worker([&] {
                EXPECT_FALSE(Attached<cSubClassWheel>(bare)->TargetWnd()) << "attached from another thread";
                if (meanwhile == kPump) bars->VScrollTo(round);  // a call the window's thread serves
                if (meanwhile == kPump) EXPECT_EQ(handled, 1) << "the call returned before its handler ended";
                std::jthread copier([copies = std::vector(8, bars)]() mutable {  // may drop the last reference
                    for (int i = 0; i < 1000; ++i) copies[i % 8] = copies[(i + 1) % 8];
                });
                if (round % 2) wheel.Reset();
                bars.Reset(), wheel.Reset(), done = true;
            });
            for (const auto t0 = GetTickCount(); !done && GetTickCount() - t0 < 5000;) Pump(meanwhile == kPump ? 1 : 0);
            EXPECT_TRUE(done) << "the release waited for the window's thread";
            for (MSG m; !done; Sleep(1)) PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);  // so that the test ends
            worker.join();
            if (meanwhile == kDestroy) DestroyWindow(window);
            ++sent, SendMessageA(window, WM_USER, 0, 0);  // its next message (none for a window destroyed)
            EXPECT_EQ(alive.use_count(), 1) << "freed on the window's thread at its next message or its end";
            if (meanwhile != kDestroy) EXPECT_TRUE(Unhooked(window)) << "unhooked";
        }
        for (stop = true; !stopped;) Pump(1);
        const auto seen = std::ranges::count(seenBy[window], Seen{kOwn, WM_USER, 0, 0});
        if (meanwhile != kDestroy) EXPECT_EQ(seen, sent.load()) << "each message once";
    }
    // The window's thread ends without pumping, the window hooked there or from a fiber it deleted:
    // the window goes with the thread, and the components with the window.
    for (const bool fromFiber : {false, true}) {
        const auto alive = std::make_shared<int>();
        std::thread([alive, fromFiber] {
            Ref<CScrollBars> bars;
            void* const back = fromFiber ? ConvertThreadToFiber(nullptr) : nullptr;
            std::function<void()> hook = [&] { bars = Attached<CScrollBars>(NewWindow()), SwitchToFiber(back); };
            void* const fiber = fromFiber ? CreateFiber(0, &RunFiber, &hook) : nullptr;
            fromFiber ? (SwitchToFiber(fiber), DeleteFiber(fiber), (void)ConvertFiberToThread())
                      : (void)(bars = Attached<CScrollBars>(NewWindow()));
            bars->VChange.Connect([alive](std::int32_t) {});
            std::thread([&] { bars.Reset(); }).join();
        }).join();
        EXPECT_EQ(alive.use_count(), 1) << "freed as the window's thread ended, hooked from a fiber: " << fromFiber;
    }
    Ref<CScrollBars> held;  // held elsewhere, it lets go of the window that went with its thread
    std::thread([&] { held = Attached<CScrollBars>(NewWindow()); }).join();
    EXPECT_EQ(held->TargetWnd(), nullptr) << "its window went with its thread";
    // A fiber deleted on a live thread is no thread's end: what was hooked from it stays hooked.
    const HWND fibered = NewWindow();
    void* const back = ConvertThreadToFiber(nullptr);
    Ref<CScrollBars> bars;
    std::function<void()> hook = [&] { bars = Attached<CScrollBars>(fibered), SwitchToFiber(back); };
    void* const fiber = CreateFiber(0, &RunFiber, &hook);
    SwitchToFiber(fiber), DeleteFiber(fiber), ConvertFiberToThread();
    EXPECT_EQ(bars->TargetWnd(), fibered) << "a fiber's end is not its thread's";
}

}  // namespace
}  // namespace brennick::test
