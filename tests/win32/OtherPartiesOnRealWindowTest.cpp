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
#include "controls/scrollbars/modSubclassScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"
#include "controls/wheel/modSubclassWheel.h"
#include "tests/win32/TestWindow.h"  // <windows.h> before <commctrl.h>

#include <commctrl.h>

namespace brennick {
namespace {

using test::kOwn;
using test::Seen;

WPARAM WheelAway() { return MAKEWPARAM(0, WHEEL_DELTA); }

// Foreign layers 0 and 1: a raw SetWindowLongPtrA replacement (removed below the top, it can only
// stop recording: leaving would cut out what sits above it) or a comctl32 subclass.
struct RawLayer {
    WNDPROC prev = nullptr;
    bool removed = false;
};
std::map<std::pair<HWND, int>, RawLayer>& RawLayers() {
    static std::map<std::pair<HWND, int>, RawLayer> layers;
    return layers;
}

template <int N>
LRESULT CALLBACK RawProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const RawLayer layer = RawLayers()[{window, N}];
    if (!layer.removed) test::SeenBy(window).push_back({N, message, wParam});
    return CallWindowProcA(layer.prev, window, message, wParam, lParam);
}
constexpr WNDPROC kRawProcedures[] = {&RawProcedure<0>, &RawProcedure<1>};

LRESULT CALLBACK Comctl32Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    test::SeenBy(window).push_back({static_cast<int>(id), message, wParam});
    return DefSubclassProc(window, message, wParam, lParam);
}

enum Party { kForeign0, kForeign1, kController, kWheelHook };

// One window shared by two foreign layers and both components, each installed and removed in
// its turn; after every step each party still there must see each message once, in order.
class SharedWindow {
public:
    explicit SharedWindow(bool comctl32) : comctl32_(comctl32) {}

    void Install(Party party) {
        switch (party) {
        case kController:
            bars_ = MakeRef<CScrollBars>();
            bars_->SubClass(window_.Handle());
            bars_->HChange.Connect([this](std::int32_t) { ++controllerEvents_; });
            break;
        case kWheelHook:
            wheel_ = MakeRef<cSubClassWheel>();
            wheel_->SubClass(window_.Handle());
            wheel_->WheelRotate.Connect([this](auto&, auto&, auto&, auto&, Bool16&) { ++hookEvents_; });
            break;
        default:
            if (comctl32_ && party == kForeign1) {
                SetWindowSubclass(window_.Handle(), &Comctl32Procedure, party, 0);
            } else {
                RawLayers()[{window_.Handle(), party}] = {reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                                                              window_.Handle(), GWLP_WNDPROC,
                                                              reinterpret_cast<LONG_PTR>(kRawProcedures[party]))),
                                                          false};
            }
        }
        chain_.push_back(party);
    }

    void Remove(Party party) {
        switch (party) {
        case kController: bars_.Reset(); break;
        case kWheelHook: wheel_.Reset(); break;
        default:
            if (comctl32_ && party == kForeign1) {
                RemoveWindowSubclass(window_.Handle(), &Comctl32Procedure, party);
            } else if (GetWindowLongPtrA(window_.Handle(), GWLP_WNDPROC) ==
                       reinterpret_cast<LONG_PTR>(kRawProcedures[party])) {
                SetWindowLongPtrA(window_.Handle(), GWLP_WNDPROC,
                                  reinterpret_cast<LONG_PTR>(RawLayers()[{window_.Handle(), party}].prev));
            } else {
                RawLayers()[{window_.Handle(), party}].removed = true;
            }
        }
        std::erase(chain_, party);
    }

    // A wheel turn goes through everyone (the hook passes it on, the controller's wheel support
    // is off); a scroll message stops at the controller.
    void ExpectEachPartySeesEachMessageOnceInOrder() {
        std::vector<Seen> wheel, scroll;
        bool belowController = false;
        for (auto party = chain_.rbegin(); party != chain_.rend(); ++party) {
            if (*party == kController) belowController = true;
            if (*party > kForeign1) continue;
            wheel.push_back({*party, WM_MOUSEWHEEL, WheelAway()});
            if (!belowController) scroll.push_back({*party, WM_HSCROLL, SB_LINERIGHT});
        }
        wheel.push_back({kOwn, WM_MOUSEWHEEL, WheelAway()});
        if (!belowController) scroll.push_back({kOwn, WM_HSCROLL, SB_LINERIGHT});
        const int hookBefore = hookEvents_, controllerBefore = controllerEvents_;
        window_.Log().clear();
        SendMessageA(window_.Handle(), WM_MOUSEWHEEL, WheelAway(), 0);
        EXPECT_EQ(window_.Log(), wheel);
        window_.Log().clear();
        SendMessageA(window_.Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
        EXPECT_EQ(window_.Log(), scroll);
        EXPECT_EQ(hookEvents_ - hookBefore, wheel_ ? 1 : 0);
        EXPECT_EQ(controllerEvents_ - controllerBefore, bars_ ? 1 : 0);
    }

    bool RunsItsOwnProcedure() const {
        return GetWindowLongPtrA(window_.Handle(), GWLP_WNDPROC) ==
                   reinterpret_cast<LONG_PTR>(test::TestWindow::Procedure(false)) &&
               GetPropA(window_.Handle(), "nvStdScroll") == nullptr && GetPropA(window_.Handle(), "nvAdvSubcls") == nullptr;
    }

private:
    bool comctl32_;
    test::TestWindow window_;
    Ref<CScrollBars> bars_;
    Ref<cSubClassWheel> wheel_;
    std::vector<Party> chain_;  // installed and not removed, bottom first
    int hookEvents_ = 0, controllerEvents_ = 0;
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
            std::array<Party, 4> removal{kForeign0, kForeign1, kController, kWheelHook};
            do {
                if (comctl32 && !RemovedOnTop(install, removal, kForeign1)) continue;
                std::string order = comctl32 ? "raw and comctl32:" : "two raw:";
                for (Party p : install) order += " +" + std::to_string(p);
                for (Party p : removal) order += " -" + std::to_string(p);
                SCOPED_TRACE(order);
                SharedWindow window(comctl32);
                for (Party party : install) window.Install(party);
                window.ExpectEachPartySeesEachMessageOnceInOrder();
                for (Party party : removal) {
                    SCOPED_TRACE("after removing " + std::to_string(party));
                    window.Remove(party);
                    window.ExpectEachPartySeesEachMessageOnceInOrder();
                }
                if (std::equal(install.begin(), install.end(), removal.rbegin())) {
                    EXPECT_TRUE(window.RunsItsOwnProcedure()) << "released last in, first out";
                }
                if (::testing::Test::HasFailure()) return;
            } while (std::next_permutation(removal.begin(), removal.end()));
        } while (std::next_permutation(install.begin(), install.end()));
    }
}

TEST(OtherPartiesOnRealWindow, UnicodeWindowsStayUnicodeAndEveryTextArrivesWhole) {
    const wchar_t text[] = L"\u4E2D\u6587 \u03A9 \u20AC \U0001F600";
    test::TestWindow own(true);
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    for (const HWND window : {own.Handle(), edit}) {
        SCOPED_TRACE(window == edit ? "EDIT" : "window of a Unicode class");
        auto roundTrip = [&] {
            EXPECT_TRUE(IsWindowUnicode(window));
            SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
            wchar_t back[32] = {};
            GetWindowTextW(window, back, 32);
            EXPECT_EQ(std::wstring(back), std::wstring(text));
        };
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        bars->SubClass(window);
        wheel->SubClass(window);
        ASSERT_EQ(wheel->TargetWnd(), window);
        roundTrip();
        own.Log().clear();
        SendMessageW(window, WM_CHAR, 0x4E2D, 0);
        if (window == own.Handle()) EXPECT_EQ(own.Log(), (std::vector<Seen>{{kOwn, WM_CHAR, 0x4E2D}}));
        bars.Reset();
        wheel.Reset();
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

// The owner drops the last references on its own or other threads while a third thread keeps
// sending to the window, whose own thread dispatches the messages.
TEST(OtherPartiesOnRealWindow, ReleasedOnOtherThreadsWhileMessagesFlow) {
    std::atomic<HWND> window{nullptr};
    std::thread owner([&] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &OwnerThreadProcedure;
        windowClass.lpszClassName = "BrennickOwnerThread";
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
        while (!stop) {
            SendMessageA(window, WM_USER, 0, 0);
            ++userSent;
            SendMessageA(window, WM_MOUSEWHEEL, WheelAway(), 0);
        }
    });
    for (int round = 0; round < 200 && !::testing::Test::HasFailure(); ++round) {
        Ref<CScrollBars> bars = MakeRef<CScrollBars>();
        Ref<cSubClassWheel> wheel = MakeRef<cSubClassWheel>();
        wheel->SubClass(window.load());
        EXPECT_EQ(wheel->TargetWnd(), nullptr) << "attaching from another thread is refused";
        std::function<void()> attach = [&] {
            bars->SubClass(window.load());
            wheel->SubClass(window.load());
            wheel->WheelRotate.Connect([](auto&, auto&, auto&, auto&, Bool16& wheeled) { wheeled = kTrue; });
        };
        SendMessageA(window, kRunOnWindowThread, 0, reinterpret_cast<LPARAM>(&attach));
        EXPECT_EQ(bars->TargetWnd(), window.load());
        bars->VMax(round);  // runs on the window's thread
        std::thread copier([copies = std::vector<Ref<CScrollBars>>(8, bars)]() mutable {
            for (std::size_t i = 0; i < 1000; ++i) copies[i % copies.size()] = copies[(i + 1) % copies.size()];
        });
        if (round % 2 == 0) wheel.Reset();
        bars.Reset();
        wheel.Reset();
        copier.join();  // the copier may hold the last reference
    }
    stop = true;
    sender.join();
    EXPECT_EQ(userSeenByOwner.load(), userSent.load()) << "each message once";
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnerThreadProcedure));
    EXPECT_EQ(GetPropA(window, "nvStdScroll"), nullptr);
    EXPECT_EQ(GetPropA(window, "nvAdvSubcls"), nullptr);
    PostMessageA(window, WM_QUIT, 0, 0);
    owner.join();
}

TEST(OtherPartiesOnRealWindow, AForgedOrMissingPropertyMisleadsNobody) {
    test::TestWindow window;
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window.Handle());
    bars->VMax(400);
    bars->VLargeChange(201);
    bars->VSmallChange(5);
    bars->VValue(100);
    std::vector<std::int32_t> changes;
    bars->VChange.Connect([&](std::int32_t position) { changes.push_back(position); });
    SetPropA(window.Handle(), "nvStdScroll", reinterpret_cast<HANDLE>(reinterpret_cast<std::uintptr_t>(bars.Get()) + 16));
    SendMessageA(window.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(changes, (std::vector<std::int32_t>{105}));
    EXPECT_EQ(modSubclassScrollBars::ScrollBarsFromWindow(window.Handle()).Get(), bars.Get());
    RemovePropA(window.Handle(), "nvStdScroll");  // taken away altogether: the release still leaves
    bars.Reset();
    EXPECT_EQ(GetWindowLongPtrA(window.Handle(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(test::TestWindow::Procedure(false)));
}

// The hook's owner lets go of everything, or destroys the window, while a wheel message is in its
// hands and leaves it unconsumed.
TEST(OtherPartiesOnRealWindow, AnUnconsumedWheelReachesALiveWindowOnceAndADeadOneNever) {
    for (const bool destroy : {false, true}) {
        SCOPED_TRACE(destroy ? "window destroyed in the handler" : "both components dropped in the handler");
        test::TestWindow window;
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        bars->SubClass(window.Handle());
        wheel->SubClass(window.Handle());
        wheel->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16&) {
            bars.Reset();
            wheel.Reset();
            if (destroy) window.Destroy();
        });
        const HWND handle = window.Handle();
        window.Log().clear();
        SendMessageA(handle, WM_MOUSEWHEEL, WheelAway(), 0);
        const auto wheels = std::count_if(window.Log().begin(), window.Log().end(),
                                          [](const Seen& seen) { return seen.message == WM_MOUSEWHEEL; });
        EXPECT_EQ(wheels, destroy ? 0 : 1);
        if (!destroy) {
            EXPECT_EQ(GetWindowLongPtrA(handle, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(test::TestWindow::Procedure(false)));
        }
    }
}

}  // namespace
}  // namespace brennick
