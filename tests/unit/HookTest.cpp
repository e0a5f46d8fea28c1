// Attaching, dispatching and detaching over the recording double: the platform steps and their
// order, refusals, threads, and windows that other parties have changed behind the hook's back.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <functional>

#include <brennick/CScrollBars.h>
#include <brennick/modSubclassScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/modSubclassWheel.h>
#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;
using test::FakeWindowSystem;
static_assert(noexcept(modSubclassScrollBars::ScrollBarsWndProc(nullptr, 0, 0, 0)) && noexcept(modSubclassWheel::WheelWndProc(nullptr, 0, 0, 0)),
              "nothing an owner's handler throws may cross the window system's frames");
constexpr unsigned int kWmUser = 0x0400;
constexpr win::WndProc kOwn = &FakeWindowSystem::OwnProcedure;

TEST(Hook, HooksAndUnhooksInTheWindowsOwnCharacterSetPropertyFirstAndLast) {
    for (const bool unicode : {false, true}) {
        SCOPED_TRACE(unicode ? "Unicode window" : "ANSI window");
        FakeWindowSystem fake;
        const win::Hwnd window = fake.CreateWindow("Fake", unicode);
        const Api set = unicode ? Api::SetWindowProcedureW : Api::SetWindowProcedureA, get = unicode ? Api::GetWindowProcedureW : Api::GetWindowProcedureA;
        const Api call = unicode ? Api::CallWindowProcW : Api::CallWindowProcA, wrongCall = unicode ? Api::CallWindowProcA : Api::CallWindowProcW;
        const auto kinds = {Api::GetProp, Api::SetProp, Api::RemoveProp, set, get, call, wrongCall, unicode ? Api::SetWindowProcedureA : Api::SetWindowProcedureW};
        auto bars = MakeRef<CScrollBars>();
        bars->SubClass(window), bars->SubClass(window);  // the second is refused
        EXPECT_TRUE(fake.CallsOf(Api::SetProp).at(0).value == bars.Get() && bars->PrevWndProc() == kOwn);
        fake.Window(window).answer = 7;
        EXPECT_EQ(fake.Send(window, kWmUser, 1, 2), 7);
        bars.Reset();
        std::vector<Api> steps;  // the calls of those kinds, in order
        for (const test::Call& c : fake.calls) if (std::find(kinds.begin(), kinds.end(), c.api) != kinds.end()) steps.push_back(c.api);
        EXPECT_EQ(steps, (std::vector<Api>{Api::GetProp, Api::SetProp, set, call, get, set, Api::GetProp, Api::RemoveProp}))
            << "property before procedure and after it, its own property only, nothing per message";
        EXPECT_TRUE(fake.Window(window).procedure == kOwn && fake.Window(window).unicode == unicode && fake.Window(window).properties.empty());
        auto again = MakeRef<CScrollBars>();  // a new controller on the window the last one left gets its messages
        again->SubClass(window), fake.Send(window, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(fake.Window(window).visits.back().message, kWmUser) << "the scroll message is the new controller's";
    }
}

TEST(Hook, RefusedAttachesLeaveTheWindowAsItWas) {
    FakeWindowSystem fake;
    std::vector<Ref<CScrollBars>> keep;
    const auto other = [&] { fake.currentThread = 2; const win::Hwnd w = fake.CreateWindow(); fake.currentThread = 1; return w; };
    struct Case { const char* name; std::function<win::Hwnd()> make; bool hookToo = false; };
    const Case cases[] = {
        {"no window", [] { return nullptr; }, true},
        {"destroyed window", [&] { const win::Hwnd w = fake.CreateWindow(); fake.DestroyWindow(w); return w; }, true},
        {"window of another thread", other, true},
        {"window carrying the property", [&] { const win::Hwnd w = fake.CreateWindow(); fake.Window(w).properties["nvStdScroll"] = &fake; return w; }},
        {"window of a controller whose property was taken away",
         [&] { const win::Hwnd w = fake.CreateWindow(); keep.emplace_back(MakeRef<CScrollBars>())->SubClass(w); fake.Window(w).properties.clear(); return w; }},
        {"property refused", [&] { fake.refuseSetProp = true; return fake.CreateWindow(); }},
        {"procedure refused", [&] { fake.failSetWindowProcedure = true; return fake.CreateWindow(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const win::Hwnd target = c.make();
        const test::FakeWindow was = fake.Find(target) ? *fake.Find(target) : test::FakeWindow{};
        for (const bool wheel : {false, c.hookToo}) {
            auto bars = MakeRef<CScrollBars>();
            auto hook = MakeRef<cSubClassWheel>();
            wheel ? hook->SubClass(target) : bars->SubClass(target);
            EXPECT_TRUE(bars->TargetWnd() == nullptr && bars->PrevWndProc() == nullptr && hook->TargetWnd() == nullptr);
            if (const test::FakeWindow* now = fake.Find(target)) EXPECT_TRUE(now->procedure == was.procedure && now->properties == was.properties);
        }
        fake.refuseSetProp = fake.failSetWindowProcedure = false;
    }
}

// Someone else put the window's procedure back behind the hook's back, then the window went and
// its handle came back for a new window: the hook never saw it go, and is free again all the same.
TEST(Hook, AComponentServesOneLiveWindowAndNeverPushesToAHandleReused) {
    FakeWindowSystem fake;
    const win::Hwnd first = fake.CreateWindow(), second = fake.CreateWindow(), other = fake.CreateWindow();
    auto bars = MakeRef<CScrollBars>();
    auto wheel = MakeRef<cSubClassWheel>();
    bars->SubClass(first), wheel->SubClass(second);
    bars->SubClass(other), wheel->SubClass(other);
    EXPECT_TRUE(bars->TargetWnd() == first && wheel->TargetWnd() == second && fake.Window(other).procedure == kOwn);
    fake.Window(first).procedure = fake.Window(second).procedure = kOwn;
    fake.DestroyWindow(first);
    const win::Hwnd reused = fake.CreateWindowReusing(first);
    fake.ClearCalls();
    bars->VMax(5000), bars->VVisible(kTrue);
    for (const test::Call& call : fake.calls) {
        const bool writes = call.api == Api::SetScrollInfo || call.api == Api::ShowScrollBar || call.api == Api::SetWindowProcedureA || call.api == Api::SetProp;
        EXPECT_TRUE(!writes || call.window != reused) << static_cast<int>(call.api);
    }
    fake.DestroyWindow(second);
    wheel->SubClass(other);
    EXPECT_EQ(wheel->TargetWnd(), other);
    wheel.Reset(), bars.Reset();
    EXPECT_TRUE(fake.Window(other).procedure == kOwn && fake.Window(reused).procedure == kOwn);
    // A window destroyed below someone's layer is gone all the same: its handle's next window takes components.
    for (const bool comctl32 : {false, true}) {
        const win::Hwnd layered = fake.CreateWindow();
        auto first = MakeRef<CScrollBars>();
        auto hook = MakeRef<cSubClassWheel>();
        first->SubClass(layered), hook->SubClass(layered), fake.InstallLayer(layered, 0, comctl32), fake.DestroyWindow(layered);
        const win::Hwnd next = fake.CreateWindowReusing(layered);
        auto second = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        second->SubClass(next), wheel->SubClass(next);
        EXPECT_TRUE(second->TargetWnd() == next && wheel->TargetWnd() == next && first->TargetWnd() == nullptr) << comctl32;
    }
    // Let go of after its window went unseen, a component leaves nothing for the handle's next window.
    (bars = MakeRef<CScrollBars>())->SubClass(other), fake.Window(other).procedure = kOwn;  // someone cuts it out
    fake.DestroyWindow(other), bars.Reset(), (bars = MakeRef<CScrollBars>())->SubClass(fake.CreateWindowReusing(other));
    EXPECT_EQ(fake.Window(other).procedure, &modSubclassScrollBars::ScrollBarsWndProc);
}

// Let go of on another thread, the components wait for nobody: the window's thread unhooks and
// frees them at its next message through the hook (the one posted for it, or any other) or at the
// window's end, an attach to it, or, once the window went behind the hook's back, an attach
// elsewhere or the failed post itself. An UnSubClass whose call the chain swallows leaves a link
// that passes messages on.
TEST(Hook, ReleasedOnAnotherThreadTheHooksLeaveOnTheWindowsThreadAtItsNextMessage) {
    for (const int next : {0, 1, 2, 3, 4, 5, 6}) {
        const char* const kNext[] = {"posted message", "a message sent", "window destroyed", "unhooked, the call swallowed",
                                     "window gone unseen", "window gone unseen as the release posts", "a new controller attached"};
        SCOPED_TRACE(kNext[next]);
        FakeWindowSystem fake;
        const win::Hwnd window = fake.CreateWindow();
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        bars->SubClass(window), wheel->SubClass(window);
        const auto alive = std::make_shared<int>();  // held by both components' handlers
        bars->VChange.Connect([alive](std::int32_t) {}), wheel->WheelRotate.Connect([alive](auto&&...) {});
        fake.currentThread = 2, fake.ClearCalls();  // the owner lives on another thread
        bars->VMax(300);
        fake.dropSentMessages = next == 3;
        if (next == 3) wheel->UnSubClass();
        if (next == 5) fake.onCall = [&](const test::Call& c) { if (c.api == Api::PostMessage && fake.Find(window)) fake.DestroyWindow(window); };
        if (next == 4 || next == 5) fake.Window(window).procedure = kOwn;  // someone cuts the hooks out
        bars.Reset(), wheel.Reset();
        fake.onCall = nullptr;
        EXPECT_FALSE(modSubclassScrollBars::ScrollBarsFromWindow(window) || modSubclassWheel::WheelFromWindow(window));
        fake.currentThread = 1, fake.dropSentMessages = false;
        for (const test::Call& call : fake.calls) EXPECT_TRUE(call.thread == 1u || (call.api != Api::SetWindowProcedureA && (call.api != Api::RemoveProp || next == 3)));
        EXPECT_EQ(alive.use_count(), next == 3 ? 2 : next == 5 ? 1 : 3) << "a hooked component is freed by the window's thread only";
        EXPECT_EQ(fake.Bar(window, SB_VERT).max, next == 5 ? 0 : 300);
        if (next == 2 || next == 4) fake.DestroyWindow(window);
        if (next == 4) MakeRef<CScrollBars>()->SubClass(fake.CreateWindow());
        if (next == 6) {
            auto late = MakeRef<CScrollBars>();
            late->SubClass(window);
            EXPECT_EQ(late->TargetWnd(), window) << "an attach ends the releases the window's thread had left";
        }
        if (next == 0) fake.DeliverPosted();
        EXPECT_TRUE(next != 0 || fake.Window(window).visits.size() == 1u) << "the private message passes none of ours";
        if (next == 1 || next == 3)
            EXPECT_EQ((fake.Send(window, kWmUser, 3, 4), fake.Window(window).visits), (std::vector<test::Visit>{{test::kOwnProcedure, kWmUser, 3, 4}})) << "each message once";
        EXPECT_EQ(alive.use_count(), 1);
        EXPECT_TRUE(next == 2 || next == 4 || next == 5 || (fake.Window(window).properties.empty() && fake.Window(window).procedure == kOwn));
    }
}

}  // namespace
}  // namespace brennick
