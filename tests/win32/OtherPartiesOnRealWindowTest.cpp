// The components in windows that other code shares: subclassers above and below them, Unicode
// windows, other threads and fibers, forged properties, owners that let go or destroy the window
// while a message is in their hands, and handles that come back for new windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <ranges>
#include <string>
#include <thread>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>

#include "tests/win32/TestWindow.h"  // <windows.h> before <commctrl.h>

#include <commctrl.h>

namespace brennick {
namespace {

using test::kOwn;
using test::Seen;
const WPARAM kWheelAway = MAKEWPARAM(0, WHEEL_DELTA);
LONG_PTR Procedure(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }
const auto kOwnProcedure = reinterpret_cast<LONG_PTR>(&test::TestWindow::OwnProcedure<false>);

template <class C>
Ref<C> Attached(HWND window) {
    Ref<C> component = MakeRef<C>();
    component->SubClass(window);
    return component;
}
bool Unhooked(HWND window) {
    return Procedure(window) == kOwnProcedure && !GetPropA(window, "nvStdScroll") && !GetPropA(window, "nvAdvSubcls");
}

// Foreign layers 0 and 1: a raw SetWindowLongPtrA replacement (removed below the top it can only
// stop recording: leaving would cut out what sits above it) or a comctl32 subclass.
std::map<std::pair<HWND, int>, std::pair<LONG_PTR, bool>> rawLayers;  // previous procedure, removed
template <int N>
LRESULT CALLBACK RawProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto [previous, removed] = rawLayers[{window, N}];
    if (!removed) test::SeenBy(window).push_back({N, message, wParam});
    return CallWindowProcA(reinterpret_cast<WNDPROC>(previous), window, message, wParam, lParam);
}
const LONG_PTR kRawProcedures[] = {reinterpret_cast<LONG_PTR>(&RawProcedure<0>),
                                   reinterpret_cast<LONG_PTR>(&RawProcedure<1>)};
void AddRawLayer(HWND window, int layer) {
    rawLayers[{window, layer}] = {SetWindowLongPtrA(window, GWLP_WNDPROC, kRawProcedures[layer]), false};
}
LRESULT CALLBACK Comctl32Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    test::SeenBy(window).push_back({static_cast<int>(id), message, wParam});
    return DefSubclassProc(window, message, wParam, lParam);
}

enum Party { kForeign0, kForeign1, kController, kWheelHook };

// One window shared by two foreign layers and both components; after every step each party still
// there sees each message once, in order: a wheel turn passes everyone (the hook passes it on, the
// controller's wheel support is off); a scroll message stops at the controller.
struct SharedWindow {
    bool comctl32;
    test::TestWindow window;
    const HWND handle = window.Handle();
    Ref<CScrollBars> bars;
    Ref<cSubClassWheel> hook;
    std::vector<int> chain{kOwn};    // the parties there, top first, down to the window's own procedure
    int hooked = 0, controlled = 0;  // events since the last check

    void Install(Party party) {
        if (party == kController) {
            (bars = Attached<CScrollBars>(handle))->HChange.Connect([this](std::int32_t) { ++controlled; });
        } else if (party == kWheelHook) {
            (hook = Attached<cSubClassWheel>(handle))->WheelRotate.Connect([this](auto&&...) { ++hooked; });
        } else if (comctl32 && party == kForeign1) {
            SetWindowSubclass(handle, &Comctl32Procedure, party, 0);
        } else {
            AddRawLayer(handle, party);
        }
        chain.insert(chain.begin(), party);
    }
    void Remove(Party party) {
        if (party == kController) {
            bars.Reset();
        } else if (party == kWheelHook) {
            hook.Reset();
        } else if (comctl32 && party == kForeign1) {
            RemoveWindowSubclass(handle, &Comctl32Procedure, party);
        } else if (Procedure(handle) == kRawProcedures[party]) {
            SetWindowLongPtrA(handle, GWLP_WNDPROC, rawLayers[{handle, party}].first);
        } else {
            rawLayers[{handle, party}].second = true;
        }
        std::erase(chain, party);
    }
    void ExpectEachPartySeesEachMessageOnceInOrder() {
        std::vector<Seen> wheelSeen, scrollSeen;
        for (const int party : chain) {
            if (party <= kForeign1) wheelSeen.push_back({party, WM_MOUSEWHEEL, kWheelAway});
        }
        for (auto party = chain.begin(); party != std::ranges::find(chain, kController); ++party) {
            if (*party <= kForeign1) scrollSeen.push_back({*party, WM_HSCROLL, SB_LINERIGHT});
        }
        EXPECT_EQ(window.Sent(WM_MOUSEWHEEL, kWheelAway), wheelSeen) << "a wheel turn passes every party";
        EXPECT_EQ(window.Sent(WM_HSCROLL, SB_LINERIGHT), scrollSeen) << "a scroll message stops at the controller";
        EXPECT_EQ(std::exchange(hooked, 0), hook ? 1 : 0) << "the hook's events";
        EXPECT_EQ(std::exchange(controlled, 0), bars ? 1 : 0) << "the controller's events";
    }
};

// Wine's comctl32 puts its saved procedure back when its last subclass goes, even with others
// above it, and so cuts them out: its subclass is removed only while it is on top.
TEST(OtherPartiesOnRealWindow, EveryInstallAndRemovalOrderKeepsEachLayerOnceInOrder) {
    // Having gone through every order, next_permutation leaves the parties sorted again.
    std::array<Party, 4> install{kForeign0, kForeign1, kController, kWheelHook}, removal = install;
    const auto at = [](const std::array<Party, 4>& order, Party party) { return std::ranges::find(order, party); };
    for (const bool comctl32 : {false, true}) {
        do {
            do {
                // With comctl32, only the orders that remove its subclass after everything installed above it.
                const auto removedBefore = [&](Party above) { return at(removal, above) < at(removal, kForeign1); };
                if (comctl32 && !std::all_of(at(install, kForeign1) + 1, install.cend(), removedBefore)) continue;
                SCOPED_TRACE(::testing::PrintToString(std::tuple(comctl32, install, removal)));
                SharedWindow shared{comctl32};
                for (Party party : install) shared.Install(party);
                shared.ExpectEachPartySeesEachMessageOnceInOrder();
                for (Party party : removal) shared.Remove(party), shared.ExpectEachPartySeesEachMessageOnceInOrder();
                if (std::equal(install.begin(), install.end(), removal.rbegin())) {
                    EXPECT_EQ(Procedure(shared.handle), kOwnProcedure) << "released last in, first out";
                }
                EXPECT_FALSE(GetPropA(shared.handle, "nvStdScroll") || GetPropA(shared.handle, "nvAdvSubcls"));
                if (::testing::Test::HasFailure()) return;
            } while (std::next_permutation(removal.begin(), removal.end()));
        } while (std::next_permutation(install.begin(), install.end()));
    }
}

TEST(OtherPartiesOnRealWindow, UnicodeWindowsStayUnicodeAndEveryTextArrivesWhole) {
    const std::wstring text = L"\u4E2D\u6587 \u03A9 \u20AC \U0001F600";
    test::TestWindow own(true), ansi;
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    for (const HWND window : {own.Handle(), edit, ansi.Handle()}) {
        SCOPED_TRACE(window == edit           ? "EDIT"
                     : window == own.Handle() ? "a window of a Unicode class"
                                              : "an ANSI window");
        auto bars = Attached<CScrollBars>(window);
        auto wheel = Attached<cSubClassWheel>(window);
        for (const bool attached : {true, false}) {
            SCOPED_TRACE(attached ? "attached" : "released");
            EXPECT_EQ(IsWindowUnicode(window) != FALSE, window != ansi.Handle()) << "its character set";
            SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            wchar_t back[32] = {};
            GetWindowTextW(window, back, 32);
            if (window != ansi.Handle()) {
                EXPECT_EQ(back, text) << "the text whole";
            }
            own.Log().clear();
            SendMessageW(window, WM_CHAR, 0x4E2D, 0);
            if (window == own.Handle()) {
                EXPECT_EQ(own.Log(), (std::vector<Seen>{{kOwn, WM_CHAR, 0x4E2D}})) << "a character whole";
            }
            bars.Reset(), wheel.Reset();
        }
    }
    DestroyWindow(edit);
}

// A window on a thread of its own, which counts WM_USER and attaches the components sent to it
// (the controller in wParam, the hook in lParam, whose handler then consumes every wheel turn).
constexpr UINT kAttach = WM_APP + 7;
std::atomic<long> userSeenByOwner{0};
LRESULT CALLBACK OwnerThreadProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAttach) {
        reinterpret_cast<CScrollBars*>(wParam)->SubClass(window);
        auto* hook = reinterpret_cast<cSubClassWheel*>(lParam);
        hook->SubClass(window);
        hook->WheelRotate.Connect([](auto&, auto&, auto&, auto&, Bool16& wheeled) { wheeled = kTrue; });
    }
    if (message == WM_USER) ++userSeenByOwner;
    return DefWindowProcA(window, message, wParam, lParam);
}

// The last references go on this thread or another while a third keeps sending to the window,
// whose own thread dispatches the messages.
TEST(OtherPartiesOnRealWindow, ReleasedOnOtherThreadsWhileMessagesFlow) {
    std::atomic<HWND> window{nullptr};
    std::thread owner([&] {
        WNDCLASSA windowClass{0,       &OwnerThreadProcedure, 0, 0, nullptr, nullptr, nullptr, nullptr,
                              nullptr, "BrennickOwner"};
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "BrennickOwner", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
        DestroyWindow(window);
    });
    while (window.load() == nullptr) std::this_thread::yield();
    {  // a handler that replies early (ReplyMessage) to a call from here: the call waits for it all the same
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        SendMessageA(window, kAttach, reinterpret_cast<WPARAM>(bars.Get()), reinterpret_cast<LPARAM>(wheel.Get()));
        std::atomic<bool> handled{false};
        bars->VScroll.Connect([&](std::int32_t) { ReplyMessage(0), Sleep(100), handled = true; });
        bars->VScrollTo(5);
        EXPECT_TRUE(handled) << "the call returned before its handler ended";
    }
    std::atomic<bool> stop{false};
    std::atomic<long> userSent{0};
    std::thread sender([&] {
        for (; !stop; ++userSent)
            SendMessageA(window, WM_USER, 0, 0), SendMessageA(window, WM_MOUSEWHEEL, kWheelAway, 0);
    });
    for (int round = 0; round < 200 && !::testing::Test::HasFailure(); ++round) {
        Ref<CScrollBars> bars = MakeRef<CScrollBars>();
        Ref<cSubClassWheel> wheel = Attached<cSubClassWheel>(window.load());
        EXPECT_EQ(wheel->TargetWnd(), nullptr) << "attaching from another thread is refused";
        SendMessageA(window, kAttach, reinterpret_cast<WPARAM>(bars.Get()), reinterpret_cast<LPARAM>(wheel.Get()));
        EXPECT_EQ(bars->TargetWnd(), window.load()) << "attached on the window's thread";
        bars->VMax(round);  // runs on the window's thread
        // The copier may hold the last reference; it is joined at the end of the round.
        std::jthread copier([copies = std::vector(8, bars)]() mutable {
            for (int i = 0; i < 1000; ++i) copies[i % 8] = copies[(i + 1) % 8];
        });
        if (round % 2 == 0) wheel.Reset();
        bars.Reset(), wheel.Reset();
    }
    stop = true, sender.join();
    SendMessageA(window, WM_NULL, 0, 0);  // the window's thread finishes the releases at its next message
    EXPECT_EQ(userSeenByOwner.load(), userSent.load()) << "each message once";
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnerThreadProcedure)) << "unhooked";
    EXPECT_FALSE(GetPropA(window, "nvStdScroll") || GetPropA(window, "nvAdvSubcls")) << "no property left";
    PostMessageA(window, WM_QUIT, 0, 0), owner.join();
}

struct FiberWork {
    HWND window;
    void* back;
    Ref<CScrollBars> bars;
};
void WINAPI HookFromFiber(void* work) {
    auto& w = *static_cast<FiberWork*>(work);
    w.bars = Attached<CScrollBars>(w.window), SwitchToFiber(w.back);
}

// The last references go on a worker while the window's own thread does not pump: it joins the
// worker, keeps sending to its own window, or destroys it. The release returns at once; the
// window's thread unhooks and frees the components at its next message, or at the window's end.
TEST(OtherPartiesOnRealWindow, ALastReleaseElsewhereWaitsForNobody) {
    enum Meanwhile { kJoin, kSend, kDestroy };
    for (const Meanwhile meanwhile : {kJoin, kSend, kDestroy}) {
        SCOPED_TRACE(meanwhile);
        test::TestWindow window;
        const HWND handle = window.Handle();
        for (int round = 0, sent = 0; round < (meanwhile == kSend ? 400 : 1) && !::testing::Test::HasFailure();
             ++round, sent = 0) {
            const auto alive = std::make_shared<int>();  // held by both components' handlers
            auto bars = Attached<CScrollBars>(handle);
            auto wheel = Attached<cSubClassWheel>(handle);
            bars->VChange.Connect([alive](std::int32_t) {}), wheel->WheelRotate.Connect([alive](auto&&...) {});
            window.Log().clear();
            std::atomic<bool> done{false};
            std::thread worker([&done, bars = std::move(bars), wheel = std::move(wheel)]() mutable {
                bars.Reset(), wheel.Reset(), done = true;
            });
            for (const auto start = GetTickCount(); !done && GetTickCount() - start < 5000; ++sent) {
                if (meanwhile != kSend) Sleep(1);
                if (meanwhile == kSend)
                    SendMessageA(handle, WM_USER, 0, 0), SendMessageA(handle, WM_MOUSEWHEEL, kWheelAway, 0);
            }
            EXPECT_TRUE(done) << "the release waited for the window's thread";
            for (MSG message; !done; Sleep(1))
                PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // so that the test ends
            worker.join();
            meanwhile == kDestroy ? window.Destroy() : (void)SendMessageA(handle, WM_USER, 0, 0);
            EXPECT_EQ(alive.use_count(), 1) << "freed on the window's thread at its next message or its end";
            if (meanwhile == kDestroy) break;
            EXPECT_TRUE(Unhooked(handle)) << "unhooked";
            EXPECT_EQ(std::ranges::count(window.Log(), UINT{WM_USER}, &Seen::message),
                      meanwhile == kSend ? sent + 1 : 1)
                << "each message once";
        }
    }
    // The window's thread ends without pumping: the window goes with it, and the components with the window.
    const auto alive = std::make_shared<int>();
    std::thread([alive] {
        auto bars = Attached<CScrollBars>(
            CreateWindowExA(0, "BrennickTestA", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
        bars->VChange.Connect([alive](std::int32_t) {});
        std::thread([bars = std::move(bars)]() mutable { bars.Reset(); }).join();
    }).join();
    EXPECT_EQ(alive.use_count(), 1) << "freed as the window's thread ended";
    // A fiber deleted on a live thread is no thread's end: what was hooked from it stays hooked.
    test::TestWindow fibered;
    FiberWork work{fibered.Handle(), ConvertThreadToFiber(nullptr), {}};
    void* const fiber = CreateFiber(0, &HookFromFiber, &work);
    SwitchToFiber(fiber), DeleteFiber(fiber), ConvertFiberToThread();
    EXPECT_EQ(work.bars->TargetWnd(), fibered.Handle()) << "a fiber's end is not its thread's";
}

// Another process's property value (the real one plus 16), or none at all, misleads neither the
// window's procedure, nor a push with the wheel hook above the controller (and someone's layer
// above both while a message runs), nor the release.
TEST(OtherPartiesOnRealWindow, AForgedOrMissingPropertyMisleadsNobody) {
    for (const bool forged : {true, false}) {
        SCOPED_TRACE(forged ? "forged" : "missing");
        test::TestWindow window;
        const HWND handle = window.Handle();
        auto bars = Attached<CScrollBars>(handle);
        auto wheel = Attached<cSubClassWheel>(handle);
        const auto wrong = reinterpret_cast<HANDLE>(reinterpret_cast<std::uintptr_t>(bars.Get()) + 16);
        forged ? (void)SetPropA(handle, "nvStdScroll", wrong) : (void)RemovePropA(handle, "nvStdScroll");
        bars->VMax(400), bars->VLargeChange(201), bars->VSmallChange(5), bars->VValue(100);
        EXPECT_EQ(bars->VLastPos(), 100) << "the push arrived";
        EXPECT_EQ(GetScrollPos(handle, SB_VERT), 100) << "the bar's position";
        std::vector<std::int32_t> changes;
        bars->VChange.Connect([&](std::int32_t position) { changes.push_back(position); });
        const LONG_PTR below =
            SetWindowLongPtrA(handle, GWLP_WNDPROC, kRawProcedures[0]);  // someone's layer, for one message
        rawLayers[{handle, kForeign0}] = {below, false};
        SendMessageA(handle, WM_VSCROLL, SB_LINEDOWN, 0);
        SetWindowLongPtrA(handle, GWLP_WNDPROC, below);
        EXPECT_EQ(changes, (std::vector<std::int32_t>{105})) << "the message's push";
        RemovePropA(handle, "nvStdScroll");
        bars.Reset(), wheel.Reset();
        EXPECT_EQ(Procedure(handle), kOwnProcedure) << "unhooked";
    }
}

// The hook's owner lets go of everything, or destroys the window, while a wheel message is in its
// hands and leaves it unconsumed; someone's raw layer may sit above both components.
TEST(OtherPartiesOnRealWindow, AnUnconsumedWheelReachesALiveWindowOnceAndADeadOneNever) {
    for (const auto& [destroy, hookFirst, raw] : {std::tuple{false, false, false},
                                                  {false, true, false},
                                                  {true, false, false},
                                                  {true, true, false},
                                                  {true, false, true}}) {
        SCOPED_TRACE(
            ::testing::PrintToString(std::tuple(destroy, hookFirst, raw)));  // destroyed, hook below, raw layer
        test::TestWindow window;
        Ref<cSubClassWheel> wheel = hookFirst ? Attached<cSubClassWheel>(window.Handle()) : Ref<cSubClassWheel>{};
        auto bars = Attached<CScrollBars>(window.Handle());
        if (!hookFirst) wheel = Attached<cSubClassWheel>(window.Handle());
        if (raw) AddRawLayer(window.Handle(), kForeign0);
        wheel->WheelRotate.Connect([&, destroyed = destroy](auto&, auto&, auto&, auto&, Bool16&) {
            bars.Reset(), wheel.Reset();
            if (destroyed) window.Destroy();
        });
        const auto seen = window.Sent(WM_MOUSEWHEEL, kWheelAway);
        EXPECT_EQ(std::ranges::count(seen, Seen{kOwn, WM_MOUSEWHEEL, kWheelAway}), destroy ? 0 : 1)
            << "the window's own procedure";
        if (!destroy) {
            EXPECT_EQ(Procedure(window.Handle()), kOwnProcedure) << "unhooked";
        }
    }
}

// Makes the next window take handle again, once its window is destroyed. User handles share one
// table in which a freed entry is the next one taken, with its generation counted up (Wine: 1 to
// 0xFFFE, then round): menus made and destroyed count it up cheaply to the one before handle's.
bool NextWindowTakes(HWND handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    for (int made = 0; made < 70'000; ++made) {
        const HMENU menu = CreateMenu();
        const auto taken = reinterpret_cast<std::uintptr_t>(menu);
        DestroyMenu(menu);
        if ((taken & 0xFFFF) != (value & 0xFFFF)) return false;  // not recycled this way here
        const std::uintptr_t generation = taken >> 16;
        if ((generation >= 0xFFFE ? 1 : generation + 1) == value >> 16) return true;
    }
    return false;
}

// A window destroyed below someone else's layers (comctl32's and a raw one) is gone all the same
// when its WM_NCDESTROY returns: the window that gets its handle again takes components like any
// other, also after attaches elsewhere.
TEST(OtherPartiesOnRealWindow, AHandleComesBackFreeAfterItsWindowWentBelowSomeonesLayer) {
    test::TestWindow parent;
    const auto child = [&] {
        return CreateWindowExA(0, "BrennickTestA", "", WS_CHILD, 0, 0, 10, 10, parent.Handle(), nullptr, nullptr,
                               nullptr);
    };
    const HWND layered = child();
    {
        const auto bars = Attached<CScrollBars>(layered);
        const auto wheel = Attached<cSubClassWheel>(layered);
        SetWindowSubclass(layered, &Comctl32Procedure, kForeign1, 0);
        AddRawLayer(layered, kForeign0);
        DestroyWindow(layered);
        rawLayers.erase({layered, kForeign0});
    }
    ASSERT_TRUE(NextWindowTakes(layered));
    const HWND again = child();
    ASSERT_EQ(again, layered) << "the handle came back";
    const auto bars = Attached<CScrollBars>(again);
    (void)Attached<CScrollBars>(parent.Handle());  // an attach elsewhere changes nothing
    const auto wheel = Attached<cSubClassWheel>(again);
    EXPECT_EQ(bars->TargetWnd(), again) << "the controller took the window";
    EXPECT_EQ(wheel->TargetWnd(), again) << "the wheel hook took the window";
}

}  // namespace
}  // namespace brennick
