// Attaching, dispatching and detaching over the recording double: the platform steps and their
// order, refusals, threads, and windows that other parties have changed behind the hook's back.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "controls/scrollbars/modSubclassScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"
#include "controls/wheel/modSubclassWheel.h"
#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using modSubclassScrollBars::ScrollBarsWndProc;
using modSubclassWheel::WheelWndProc;
using test::Api;
using test::FakeWindowSystem;

static_assert(noexcept(ScrollBarsWndProc(nullptr, 0, 0, 0)) && noexcept(WheelWndProc(nullptr, 0, 0, 0)),
              "nothing an owner's handler throws may cross the window system's frames");

constexpr unsigned int kWmUser = 0x0400;

// The property and procedure steps, in order.
std::vector<Api> HookSteps(const FakeWindowSystem& fake) {
    static const Api steps[] = {Api::GetProp, Api::SetProp, Api::RemoveProp, Api::SetWindowProcedureA,
                                Api::SetWindowProcedureW, Api::GetWindowProcedureA, Api::GetWindowProcedureW};
    std::vector<Api> found;
    for (const test::Call& call : fake.calls) {
        if (std::find(std::begin(steps), std::end(steps), call.api) != std::end(steps)) found.push_back(call.api);
    }
    return found;
}

class Hook : public ::testing::Test {
protected:
    FakeWindowSystem fake;
    win::Hwnd window = fake.CreateWindow();
};

TEST_F(Hook, HooksAndUnhooksInTheWindowsOwnCharacterSet) {
    for (bool unicode : {false, true}) {
        SCOPED_TRACE(unicode ? "Unicode window" : "ANSI window");
        const win::Hwnd target = fake.CreateWindow("Fake", unicode);
        const Api set = unicode ? Api::SetWindowProcedureW : Api::SetWindowProcedureA;
        const Api get = unicode ? Api::GetWindowProcedureW : Api::GetWindowProcedureA;
        auto bars = MakeRef<CScrollBars>();
        fake.ClearCalls();
        bars->SubClass(target);
        EXPECT_EQ(HookSteps(fake), (std::vector<Api>{Api::GetProp, Api::SetProp, set}));
        EXPECT_EQ(fake.CallsOf(Api::SetProp).at(0).value, bars.Get());
        EXPECT_EQ(fake.Window(target).procedure, &ScrollBarsWndProc);
        EXPECT_EQ(bars->PrevWndProc(), &FakeWindowSystem::OwnProcedure);

        fake.ClearCalls();
        fake.Window(target).answer = 7;
        EXPECT_EQ(fake.Send(target, kWmUser, 1, 2), 7);
        EXPECT_EQ(fake.CallsOf(unicode ? Api::CallWindowProcW : Api::CallWindowProcA).size(), 1u);
        EXPECT_TRUE(fake.CallsOf(unicode ? Api::CallWindowProcA : Api::CallWindowProcW).empty());
        EXPECT_TRUE(fake.CallsOf(Api::GetProp).empty()) << "a message needs no property lookup";

        fake.ClearCalls();
        bars.Reset();
        EXPECT_EQ(HookSteps(fake), (std::vector<Api>{get, set, Api::RemoveProp}));
        EXPECT_EQ(fake.Window(target).procedure, &FakeWindowSystem::OwnProcedure);
        EXPECT_EQ(fake.Window(target).unicode, unicode);
        EXPECT_TRUE(fake.Window(target).properties.empty());
    }
}

TEST_F(Hook, RefusedAttachesLeaveTheWindowAsItWas) {
    std::vector<Ref<CScrollBars>> keep;
    struct Case {
        const char* name;
        std::function<win::Hwnd()> window;
    };
    const Case cases[] = {
        {"no window", [] { return nullptr; }},
        {"destroyed window", [&] { const win::Hwnd w = fake.CreateWindow(); fake.DestroyWindow(w); return w; }},
        {"window of another thread", [&] {
             fake.currentThread = 2;
             const win::Hwnd w = fake.CreateWindow();
             fake.currentThread = 1;
             return w;
         }},
        {"window carrying the property", [&] {
             const win::Hwnd w = fake.CreateWindow();
             fake.Window(w).properties["nvStdScroll"] = reinterpret_cast<void*>(std::uintptr_t{0x10});
             return w;
         }},
        {"window of a controller whose property was taken away", [&] {
             const win::Hwnd w = fake.CreateWindow();
             keep.push_back(MakeRef<CScrollBars>());
             keep.back()->SubClass(w);
             fake.Window(w).properties.clear();
             return w;
         }},
        {"property refused", [&] { fake.refuseSetProp = true; return fake.CreateWindow(); }},
        {"procedure refused", [&] { fake.failSetWindowProcedure = true; return fake.CreateWindow(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const win::Hwnd target = c.window();
        const test::FakeWindow* before = fake.Find(target);
        const test::FakeWindow was = before ? *before : test::FakeWindow{};
        auto bars = MakeRef<CScrollBars>();
        bars->SubClass(target);
        EXPECT_EQ(bars->TargetWnd(), nullptr);
        EXPECT_EQ(bars->PrevWndProc(), nullptr);
        if (const test::FakeWindow* after = fake.Find(target)) {
            EXPECT_EQ(after->procedure, was.procedure);
            EXPECT_EQ(after->properties, was.properties);
        }
        fake.refuseSetProp = fake.failSetWindowProcedure = false;
    }
}

TEST_F(Hook, AComponentServesOneWindowWhileThatWindowExists) {
    const win::Hwnd other = fake.CreateWindow();
    auto wheel = MakeRef<cSubClassWheel>();
    wheel->SubClass(window);
    wheel->SubClass(other);
    EXPECT_EQ(wheel->TargetWnd(), window);
    EXPECT_EQ(fake.Window(other).procedure, &FakeWindowSystem::OwnProcedure);
    // Someone else put the window's procedure back behind the hook's back, then the window went:
    // the hook never saw it go, and is free again all the same.
    fake.Window(window).procedure = &FakeWindowSystem::OwnProcedure;
    fake.DestroyWindow(window);
    wheel->SubClass(other);
    EXPECT_EQ(wheel->TargetWnd(), other);
    wheel->UnSubClass();
    EXPECT_EQ(fake.Window(other).procedure, &FakeWindowSystem::OwnProcedure);
}

TEST_F(Hook, AControllerNeverPushesToAWindowThatNoLongerCarriesItsProperty) {
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    fake.Window(window).procedure = &FakeWindowSystem::OwnProcedure;  // cut out behind its back
    fake.DestroyWindow(window);
    const win::Hwnd reused = fake.CreateWindowReusing(window);  // the handle names a new window
    fake.Bar(reused, SB_VERT).max = 100;
    fake.ClearCalls();
    bars->VMax(5000);
    bars->VVisible(kTrue);
    bars.Reset();
    EXPECT_EQ(fake.Bar(reused, SB_VERT).max, 100);
    for (const test::Call& call : fake.calls) {
        if (call.api == Api::SetScrollInfo || call.api == Api::ShowScrollBar || call.api == Api::SetWindowProcedureA) {
            EXPECT_NE(call.window, reused) << static_cast<int>(call.api);
        }
    }
    EXPECT_EQ(fake.Window(reused).procedure, &FakeWindowSystem::OwnProcedure);
}

TEST_F(Hook, ReleasedOnAnotherThreadTheHooksLeaveOnTheWindowsThread) {
    auto bars = MakeRef<CScrollBars>();
    auto wheel = MakeRef<cSubClassWheel>();
    bars->SubClass(window);
    wheel->SubClass(window);
    fake.currentThread = 2;  // the owner lives on another thread
    fake.ClearCalls();
    bars->VMax(300);
    bars.Reset();  // below the wheel hook: passes messages on until the hook above is gone
    wheel.Reset();
    fake.currentThread = 1;
    for (const test::Call& call : fake.calls) {
        const bool touchesWindow = call.api == Api::SetScrollInfo || call.api == Api::SetWindowProcedureA ||
                                   call.api == Api::RemoveProp;
        if (touchesWindow) EXPECT_EQ(call.thread, 1u) << static_cast<int>(call.api);
    }
    EXPECT_EQ(fake.Bar(window, SB_VERT).max, 300);
    EXPECT_EQ(fake.Window(window).procedure, &FakeWindowSystem::OwnProcedure);
    EXPECT_TRUE(fake.Window(window).properties.empty());
}

TEST_F(Hook, AReleaseThatNeverReachesTheWindowsThreadLeavesAPassThrough) {
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    fake.currentThread = 2;
    fake.dropSentMessages = true;  // someone's procedure swallows the private message
    bars.Reset();
    fake.currentThread = 1;
    fake.dropSentMessages = false;
    EXPECT_TRUE(fake.Window(window).properties.empty());
    EXPECT_EQ(fake.Send(window, kWmUser, 3, 4), 0);
    EXPECT_EQ(fake.Window(window).visits, (std::vector<test::Visit>{{test::kOwnProcedure, kWmUser, 3, 4}}));
    EXPECT_EQ(fake.Window(window).procedure, &FakeWindowSystem::OwnProcedure) << "left at the next message";
}

}  // namespace
}  // namespace brennick
