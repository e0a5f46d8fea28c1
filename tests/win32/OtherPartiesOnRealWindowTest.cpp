// The components in windows that other code shares: subclassers above and below them, Unicode
// windows, other threads, forged properties, and owners that let go or destroy the window while
// a message is in their hands.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"
#include "tests/win32/TestWindow.h"  // <windows.h> before <commctrl.h>

#include <commctrl.h>

namespace brennick {
namespace {

using test::kOwn;
using test::Seen;
const WPARAM kWheelAway = MAKEWPARAM(0, WHEEL_DELTA);
LONG_PTR Procedure(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }
const auto kOwnProcedure = reinterpret_cast<LONG_PTR>(&test::TestWindow::OwnProcedure<false>);

// Foreign layers 0 and 1: a raw SetWindowLongPtrA replacement (removed below the top it can only
// stop recording: leaving would cut out what sits above it) or a comctl32 subclass.
std::map<std::pair<HWND, int>, std::pair<WNDPROC, bool>> rawLayers;  // previous procedure, removed
template <int N>
LRESULT CALLBACK RawProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto [previous, removed] = rawLayers[{window, N}];
    if (!removed) test::SeenBy(window).push_back({N, message, wParam});
    return CallWindowProcA(previous, window, message, wParam, lParam);
}
constexpr WNDPROC kRawProcedures[] = {&RawProcedure<0>, &RawProcedure<1>};
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
    Ref<CScrollBars> bars;
    Ref<cSubClassWheel> wheel;
    std::vector<Party> chain;  // installed and not removed, bottom first
    int hookEvents = 0, controllerEvents = 0;

    void Install(Party party) {
        const HWND w = window.Handle();
        if (party == kController) {
            (bars = MakeRef<CScrollBars>())->SubClass(w), bars->HChange.Connect([this](std::int32_t) { ++controllerEvents; });
        } else if (party == kWheelHook) {
            (wheel = MakeRef<cSubClassWheel>())->SubClass(w), wheel->WheelRotate.Connect([this](auto&, auto&, auto&, auto&, Bool16&) { ++hookEvents; });
        } else if (comctl32 && party == kForeign1) {
            SetWindowSubclass(w, &Comctl32Procedure, party, 0);
        } else {
            rawLayers[{w, party}] = {reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kRawProcedures[party]))), false};
        }
        chain.push_back(party);
    }
    void Remove(Party party) {
        const HWND w = window.Handle();
        if (party == kController || party == kWheelHook) {
            party == kController ? bars.Reset() : wheel.Reset();
        } else if (comctl32 && party == kForeign1) {
            RemoveWindowSubclass(w, &Comctl32Procedure, party);
        } else if (Procedure(w) == reinterpret_cast<LONG_PTR>(kRawProcedures[party])) {
            SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(rawLayers[{w, party}].first));
        } else {
            rawLayers[{w, party}].second = true;
        }
        std::erase(chain, party);
    }
    void ExpectEachPartySeesEachMessageOnceInOrder() {
        std::vector<Seen> wheelSeen, scrollSeen;
        bool belowController = false;
        for (auto party = chain.rbegin(); party != chain.rend(); ++party) {
            belowController = belowController || *party == kController;
            if (*party <= kForeign1) wheelSeen.push_back({*party, WM_MOUSEWHEEL, kWheelAway});
            if (*party <= kForeign1 && !belowController) scrollSeen.push_back({*party, WM_HSCROLL, SB_LINERIGHT});
        }
        wheelSeen.push_back({kOwn, WM_MOUSEWHEEL, kWheelAway});
        if (!belowController) scrollSeen.push_back({kOwn, WM_HSCROLL, SB_LINERIGHT});
        const int hooked = hookEvents, controlled = controllerEvents;
        window.Log().clear();
        SendMessageA(window.Handle(), WM_MOUSEWHEEL, kWheelAway, 0);
        EXPECT_EQ(std::exchange(window.Log(), {}), wheelSeen);
        SendMessageA(window.Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
        EXPECT_EQ(window.Log(), scrollSeen);
        EXPECT_TRUE(hookEvents - hooked == (wheel ? 1 : 0) && controllerEvents - controlled == (bars ? 1 : 0));
    }
};

// Whether party is removed after everything installed above it.
bool RemovedOnTop(const std::array<Party, 4>& install, const std::array<Party, 4>& removal, Party party) {
    const auto at = [](const std::array<Party, 4>& order, Party p) { return std::find(order.begin(), order.end(), p); };
    for (auto above = at(install, party) + 1; above != install.end(); ++above) {
        if (at(removal, *above) > at(removal, party)) return false;
    }
    return true;
}

// Wine's comctl32 puts its saved procedure back when its last subclass goes, even with others
// above it, and so cuts them out: its subclass is removed only while it is on top.
TEST(OtherPartiesOnRealWindow, EveryInstallAndRemovalOrderKeepsEachLayerOnceInOrder) {
    for (const bool comctl32 : {false, true}) {
        std::array<Party, 4> install{kForeign0, kForeign1, kController, kWheelHook};
        do {
            std::array<Party, 4> removal = install;
            std::sort(removal.begin(), removal.end());
            do {
                if (comctl32 && !RemovedOnTop(install, removal, kForeign1)) continue;
                std::string order = comctl32 ? "raw and comctl32:" : "two raw:";
                for (Party p : install) order += " +" + std::to_string(p);
                for (Party p : removal) order += " -" + std::to_string(p);
                SCOPED_TRACE(order);
                SharedWindow shared{comctl32};
                for (Party party : install) shared.Install(party);
                shared.ExpectEachPartySeesEachMessageOnceInOrder();
                for (Party party : removal) shared.Remove(party), shared.ExpectEachPartySeesEachMessageOnceInOrder();
                if (std::equal(install.begin(), install.end(), removal.rbegin())) {
                    EXPECT_EQ(Procedure(shared.window.Handle()), kOwnProcedure) << "released last in, first out";
                }
                EXPECT_FALSE(GetPropA(shared.window.Handle(), "nvStdScroll") || GetPropA(shared.window.Handle(), "nvAdvSubcls"));
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
        SCOPED_TRACE(window == edit ? "EDIT" : window == own.Handle() ? "window of a Unicode class" : "ANSI window");
        const auto roundTrip = [&] {
            ASSERT_EQ(IsWindowUnicode(window) != FALSE, window != ansi.Handle());
            if (window == ansi.Handle()) return;
            SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
            wchar_t back[32] = {};
            GetWindowTextW(window, back, 32);
            EXPECT_EQ(back, text);
        };
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        bars->SubClass(window), wheel->SubClass(window);
        ASSERT_EQ(wheel->TargetWnd(), window);
        roundTrip();
        own.Log().clear();
        SendMessageW(window, WM_CHAR, 0x4E2D, 0);
        EXPECT_TRUE(window != own.Handle() || own.Log() == (std::vector<Seen>{{kOwn, WM_CHAR, 0x4E2D}}));
        bars.Reset(), wheel.Reset();
        roundTrip();
    }
    DestroyWindow(edit);
}

// A window on a thread of its own, which runs the functions sent to it and counts WM_USER.
constexpr UINT kRunOnWindowThread = WM_APP + 7;
std::atomic<long> userSeenByOwner{0};
LRESULT CALLBACK OwnerThreadProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunOnWindowThread) (*reinterpret_cast<std::function<void()>*>(lParam))();
    if (message == WM_USER) ++userSeenByOwner;
    return DefWindowProcA(window, message, wParam, lParam);
}

// The last references go on this thread or another while a third keeps sending to the window,
// whose own thread dispatches the messages.
TEST(OtherPartiesOnRealWindow, ReleasedOnOtherThreadsWhileMessagesFlow) {
    std::atomic<HWND> window{nullptr};
    std::thread owner([&] {
        WNDCLASSA windowClass{0, &OwnerThreadProcedure, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "BrennickOwnerThread"};
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "BrennickOwnerThread", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        DestroyWindow(window);
    });
    while (window.load() == nullptr) std::this_thread::yield();
    std::atomic<bool> stop{false};
    std::atomic<long> userSent{0};
    std::thread sender([&] {
        for (; !stop; ++userSent) SendMessageA(window, WM_USER, 0, 0), SendMessageA(window, WM_MOUSEWHEEL, kWheelAway, 0);
    });
    for (int round = 0; round < 200 && !::testing::Test::HasFailure(); ++round) {
        Ref<CScrollBars> bars = MakeRef<CScrollBars>();
        Ref<cSubClassWheel> wheel = MakeRef<cSubClassWheel>();
        wheel->SubClass(window.load());
        EXPECT_EQ(wheel->TargetWnd(), nullptr) << "attaching from another thread is refused";
        std::function<void()> attach = [&] {
            bars->SubClass(window.load()), wheel->SubClass(window.load());
            wheel->WheelRotate.Connect([](auto&, auto&, auto&, auto&, Bool16& wheeled) { wheeled = kTrue; });
        };
        SendMessageA(window, kRunOnWindowThread, 0, reinterpret_cast<LPARAM>(&attach));
        EXPECT_EQ(bars->TargetWnd(), window.load());
        bars->VMax(round);  // runs on the window's thread
        std::thread copier([copies = std::vector<Ref<CScrollBars>>(8, bars)]() mutable {
            for (std::size_t i = 0; i < 1000; ++i) copies[i % copies.size()] = copies[(i + 1) % copies.size()];
        });
        if (round % 2 == 0) wheel.Reset();
        bars.Reset(), wheel.Reset();
        copier.join();  // the copier may hold the last reference
    }
    stop = true, sender.join();
    EXPECT_EQ(userSeenByOwner.load(), userSent.load()) << "each message once";
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnerThreadProcedure));
    EXPECT_FALSE(GetPropA(window, "nvStdScroll") || GetPropA(window, "nvAdvSubcls"));
    PostMessageA(window, WM_QUIT, 0, 0), owner.join();
}

// Another process's property value (the real one plus 16), or none at all, misleads neither the
// window's procedure nor the release.
TEST(OtherPartiesOnRealWindow, AForgedOrMissingPropertyMisleadsNobody) {
    test::TestWindow window;
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window.Handle());
    bars->VMax(400), bars->VLargeChange(201), bars->VSmallChange(5), bars->VValue(100);
    std::vector<std::int32_t> changes;
    bars->VChange.Connect([&](std::int32_t position) { changes.push_back(position); });
    SetPropA(window.Handle(), "nvStdScroll", reinterpret_cast<HANDLE>(reinterpret_cast<std::uintptr_t>(bars.Get()) + 16));
    SendMessageA(window.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(changes, (std::vector<std::int32_t>{105}));
    RemovePropA(window.Handle(), "nvStdScroll");
    bars.Reset();
    EXPECT_EQ(Procedure(window.Handle()), kOwnProcedure);
}

// The hook's owner lets go of everything, or destroys the window, while a wheel message is in its
// hands and leaves it unconsumed.
TEST(OtherPartiesOnRealWindow, AnUnconsumedWheelReachesALiveWindowOnceAndADeadOneNever) {
    for (const bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "window destroyed in the handler" : "both components dropped in the handler");
        test::TestWindow window;
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        bars->SubClass(window.Handle()), wheel->SubClass(window.Handle());
        wheel->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16&) { bars.Reset(), wheel.Reset(), destroy ? window.Destroy() : void(); });
        window.Log().clear();
        SendMessageA(window.Handle(), WM_MOUSEWHEEL, kWheelAway, 0);
        EXPECT_EQ(std::count_if(window.Log().begin(), window.Log().end(), [](const Seen& s) { return s.message == WM_MOUSEWHEEL; }),
                  destroy ? 0 : 1);
        EXPECT_TRUE(destroy || Procedure(window.Handle()) == kOwnProcedure);
    }
}

}  // namespace
}  // namespace brennick
