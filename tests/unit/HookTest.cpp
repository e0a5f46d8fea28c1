// Attaching, dispatching and letting go over the recording double: the platform steps and their
// order, threads, and windows that other parties changed behind the hook's back; and a dragged
// thumb, whose track position only the double holds apart from the bar's position. (Refused
// attaches run in the fuzz target, which checks that they leave the window as it was.)
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <typeinfo>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/modSubclassScrollBars.h>
#include <brennick/modSubclassWheel.h>

#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;
using test::FakeWindowSystem;
constexpr unsigned int kWmUser = 0x0400;
constexpr win::WndProc kOwn = &FakeWindowSystem::OwnProcedure;

// The platform steps of a component of this class attaching to a window and letting go of it.
template <class Component>
void ExpectSteps(bool unicode) {
    SCOPED_TRACE(std::string(unicode ? "Unicode, " : "ANSI, ") + typeid(Component).name());
    FakeWindowSystem fake;
    const win::Hwnd window = fake.CreateWindow("Fake", unicode);
    fake.Window(window).answer = 7;
    auto component = MakeRef<Component>();
    if constexpr (std::is_same_v<Component, cSubClassWheel>) component->UnSubClass();
    EXPECT_TRUE(fake.calls.empty()) << "letting go of nothing touches no window";
    const void* address = component.Get();
    component->SubClass(window), component->SubClass(window);
    EXPECT_EQ(component->PrevWndProc(), kOwn) << "a second attach changes nothing";
    EXPECT_EQ(fake.Send(window, kWmUser, 1, 2), 7) << "the window's answer";
    component = MakeRef<Component>();
    const Api set = unicode ? Api::SetWindowProcedureW : Api::SetWindowProcedureA;
    const Api get = unicode ? Api::GetWindowProcedureW : Api::GetWindowProcedureA;
    const Api call = unicode ? Api::CallWindowProcW : Api::CallWindowProcA;
    const Api other = unicode ? Api::SetWindowProcedureA : Api::SetWindowProcedureW;
    std::vector<Api> steps;
    for (const test::Call& c : fake.calls)
        if (std::ranges::count(std::vector{Api::GetProp, Api::SetProp, Api::RemoveProp, set, get, call, other}, c.api))
            steps.push_back(c.api);
    EXPECT_EQ(steps, (std::vector{Api::GetProp, Api::SetProp, set, call, get, set, Api::GetProp, Api::RemoveProp}))
        << "the property before the procedure and after it, in the window's character set";
    EXPECT_EQ(fake.CallsOf(Api::SetProp).at(0).value, address) << "the property names the component";
    EXPECT_EQ(fake.Window(window).unicode, unicode) << "its character set kept";
    component->SubClass(window);
    EXPECT_EQ(component->TargetWnd(), window) << "a new component takes the window the last one left";
}

TEST(Hook, StepsInTheWindowsOwnCharacterSetPropertyFirstAndLast) {
    for (const bool unicode : {false, true}) ExpectSteps<CScrollBars>(unicode), ExpectSteps<cSubClassWheel>(unicode);
}

// Someone put the window's procedure back behind the hook's back, then the window went and its
// handle came back for a new window, which another party marked with its property: the component
// never saw it go and pushes nothing there; it is free again all the same.
TEST(Hook, AComponentServesOneLiveWindowAndNeverPushesToAHandleReused) {
    FakeWindowSystem fake;
    const win::Hwnd first = fake.CreateWindow(), second = fake.CreateWindow(), other = fake.CreateWindow();
    auto bars = MakeRef<CScrollBars>();
    auto wheel = MakeRef<cSubClassWheel>();
    bars->SubClass(first), wheel->SubClass(second), bars->SubClass(other), wheel->SubClass(other);
    EXPECT_EQ(bars->TargetWnd(), first) << "one window per controller";
    EXPECT_EQ(wheel->TargetWnd(), second) << "one window per wheel hook";
    fake.Window(first).procedure = fake.Window(second).procedure = kOwn;  // both cut out
    fake.DestroyWindow(first);
    const win::Hwnd reused = fake.CreateWindowReusing(first);
    fake.Window(reused).properties["nvStdScroll"] = &fake;  // another party's
    fake.calls.clear();
    bars->VMax(5000), bars->VVisible(kTrue), bars->HScrollTo(3);
    EXPECT_TRUE(std::ranges::none_of(fake.calls, [&](const test::Call& c) {
        return c.window == reused && (c.api == Api::SetScrollInfo || c.api == Api::ShowScrollBar);
    })) << "a push to the reused handle";
    fake.DestroyWindow(second);
    wheel->SubClass(other);
    EXPECT_EQ(wheel->TargetWnd(), other) << "free again once its window is gone";
    EXPECT_EQ(modSubclassWheel::WheelFromWindow(second).Get(), nullptr) << "and nothing left on that window";
}

// Let go of on another thread, the components wait for nobody: the window's thread unhooks and
// frees them at its next message through the hook (the one posted for it, or any other) or at
// the window's end or an attach to it; once the window went behind the hook's back, at an attach
// elsewhere or the failed post itself. An UnSubClass whose call the chain swallows leaves a link
// that passes messages on; a hook above a released controller passes its release message down.
TEST(Hook, ReleasedOnAnotherThreadTheHooksLeaveOnTheWindowsThreadAtItsNextMessage) {
    enum Next { Posted, Sent, Destroyed, Swallowed, GoneUnseen, GoneAsItPosts, Attached, HookAbove };
    for (const Next next : {Posted, Sent, Destroyed, Swallowed, GoneUnseen, GoneAsItPosts, Attached, HookAbove}) {
        SCOPED_TRACE(testing::Message() << "case " << next);
        FakeWindowSystem fake;
        const win::Hwnd window = fake.CreateWindow();
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        bars->SubClass(window), wheel->SubClass(window);
        const auto alive = std::make_shared<int>();  // held by the handlers of the components let go of
        bars->VChange.Connect([alive](std::int32_t) {});
        if (next != HookAbove) wheel->WheelRotate.Connect([alive](auto&&...) {});
        fake.currentThread = 2, fake.calls.clear();  // the owner lives on another thread
        bars->VMax(300);
        if (next == GoneAsItPosts)
            fake.onCall = [&](const test::Call& c) {
                if (c.api == Api::PostMessage && fake.Find(window)) fake.DestroyWindow(window);
            };
        if (next == GoneUnseen || next == GoneAsItPosts) fake.Window(window).procedure = kOwn;  // cut out
        bars.Reset();
        fake.dropSentMessages = next == Swallowed;
        if (next == Swallowed) wheel->UnSubClass();  // the call cannot reach the window's thread
        if (next != HookAbove) wheel.Reset();
        fake.onCall = nullptr;
        EXPECT_FALSE(modSubclassScrollBars::ScrollBarsFromWindow(window)) << "found no more at once";
        fake.currentThread = 1, fake.dropSentMessages = false;
        EXPECT_TRUE(std::ranges::none_of(fake.calls, [](const test::Call& c) {
            return c.thread == 2 && c.api == Api::SetWindowProcedureA;
        })) << "unhooked elsewhere";
        const long held = next == Swallowed || next == HookAbove ? 2 : next == GoneAsItPosts ? 1 : 3;
        EXPECT_EQ(alive.use_count(), held) << "a hooked component is freed on the window's thread only";
        EXPECT_EQ(fake.Bar(window, SB_VERT).max, next == GoneAsItPosts ? 0 : 300)
            << "the setter ran on the window's thread";
        if (next == Destroyed || next == GoneUnseen) fake.DestroyWindow(window);
        if (next == GoneUnseen) MakeRef<CScrollBars>()->SubClass(fake.CreateWindow());
        if (next == Attached) {
            auto late = MakeRef<CScrollBars>();
            late->SubClass(window);
            EXPECT_EQ(late->TargetWnd(), window) << "an attach ends the releases the window's thread had left";
        }
        if (next == Posted || next == HookAbove) fake.DeliverPosted();
        if (next == Posted)
            EXPECT_EQ(fake.Window(window).visits.size(), 1u) << "the private message reaches none of ours";
        if (next == HookAbove) EXPECT_EQ(alive.use_count(), 1) << "freed by the private message the hook above kept";
        if (next == Sent || next == Swallowed || next == HookAbove) fake.Send(window, kWmUser, 3, 4);  // its next
        EXPECT_EQ(alive.use_count(), 1) << "freed";
    }
}

// Someone's procedure sends our private call message on to another window of the same thread.
win::Hwnd relayTo = nullptr;
win::WndProc relayBelow = nullptr;
win::LResult BRENNICK_CALLBACK Relay(win::Hwnd window, unsigned int message, win::WParam w, win::LParam l) {
    if (message >= 0xC000) return FakeWindowSystem::Current()->Send(relayTo, message, w, l);
    return relayBelow(window, message, w, l);
}

// What only a few orders of calls show: a push made while a message is served goes to its window,
// also after a nested message, below someone's layer with the property gone; a hook that let go
// attaches elsewhere although another one took its link over; a call from another thread that
// someone relays to another window runs nowhere; a hook let go of in its own handler still passes
// the message on; an exception that escapes a handler ends the program.
TEST(Hook, OrdersOfCallsThatOnlyAFewProgramsMake) {
    FakeWindowSystem fake;
    const win::Hwnd window = fake.CreateWindow(), other = fake.CreateWindow();
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    bars->VMax(400), bars->VLargeChange(10), bars->VSmallChange(1);
    fake.InstallLayer(window, 0, false);
    fake.Window(window).properties.clear();
    bars->VChange.Connect([&](std::int32_t) { fake.Send(window, kWmUser), bars->VValue(66); });
    fake.Send(window, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(fake.Bar(window, SB_VERT).pos, 66) << "the push after a nested message";

    auto first = MakeRef<cSubClassWheel>(), second = MakeRef<cSubClassWheel>();
    first->SubClass(other), fake.InstallLayer(other, 0, false), first->UnSubClass(), second->SubClass(other);
    const win::Hwnd third = fake.CreateWindow();
    first->SubClass(third);
    EXPECT_EQ(first->TargetWnd(), third) << "an attach elsewhere of a hook whose link another took over";

    auto relayed = MakeRef<CScrollBars>();
    const win::Hwnd from = fake.CreateWindow();
    relayed->SubClass(from), relayed->VMax(30), relayed->VValue(30), relayTo = third;
    relayBelow = win::SetWindowProcedureA(from, &Relay);
    fake.currentThread = 2;
    EXPECT_EQ(relayed->VValue(), 0) << "a call relayed to another window";
    fake.currentThread = 1;

    const auto taker = MakeRef<CScrollBars>();
    taker->SubClass(window);  // bars serves the window, whose property was taken away above
    EXPECT_TRUE(fake.Window(window).properties.empty()) << "refused where another controller serves, unmarked";

    const win::Hwnd shared = fake.CreateWindow();
    auto both = MakeRef<CScrollBars>();
    auto wheel = MakeRef<cSubClassWheel>();
    both->SubClass(shared), wheel->SubClass(shared), wheel->UnSubClass();
    EXPECT_EQ(both->TargetWnd(), shared) << "the wheel hook letting go leaves the controller";
    fake.InstallLayer(shared, 1, false), fake.Send(shared, WM_DESTROY), fake.Send(shared, WM_NCDESTROY);
    EXPECT_TRUE(std::ranges::any_of(fake.Window(shared).visits, [](const test::Visit& v) {
        return v.layer == test::kOwnProcedure && v.message == WM_NCDESTROY;
    })) << "destroyed below a raw layer, the window's own procedure sees its last message";

    const win::Hwnd gone = fake.CreateWindow();
    std::int32_t read = -1;
    both = MakeRef<CScrollBars>(), both->SubClass(gone), both->VMax(30);
    both->VChange.Connect([&](std::int32_t) {
        fake.DestroyWindow(gone), fake.Bar(fake.CreateWindowReusing(gone), SB_VERT) = {.max = 30, .pos = 25};
        read = both->VValue();
    });
    fake.Send(gone, WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(read, 0) << "a query in a message whose window went and whose handle came back meanwhile";

    const auto alive = std::make_shared<int>();
    const win::Hwnd cut = fake.CreateWindow();
    wheel = MakeRef<cSubClassWheel>(), wheel->SubClass(cut), wheel->WheelRotate.Connect([alive](auto&&...) {});
    fake.Window(cut).procedure = kOwn, fake.DestroyWindow(cut), wheel.Reset();
    EXPECT_EQ(alive.use_count(), 1) << "freed at its last release, its window gone unseen";

    const win::Hwnd unhooked = fake.CreateWindow();
    auto hook = MakeRef<cSubClassWheel>();
    hook->SubClass(unhooked);
    hook->WheelRotate.Connect([&](auto&&...) { hook->UnSubClass(); });
    fake.Send(unhooked, WM_MOUSEWHEEL, 0x00780000, 0);
    EXPECT_EQ(fake.Window(unhooked).visits.size(), 1u) << "let go of in its handler, the hook passes the message on";

    hook->WheelRotate.Connect([](auto&&...) { throw 1; });
    hook->SubClass(unhooked);
    EXPECT_DEATH(fake.Send(unhooked, WM_MOUSEWHEEL, 0x00780000, 0), "") << "an exception ends the program";
}

// A dragged thumb stands apart from the bar's position; the drag moves the bar to the thumb.
TEST(ScrollBars, AThumbDraggedBeyond16BitsTakesTheTrackPosition) {
    FakeWindowSystem fake;
    const win::Hwnd window = fake.CreateWindow();
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    bars->VMax(1'000'000), bars->VLargeChange(10), bars->VValue(70'000);
    std::vector<std::int32_t> scrolled;
    bars->VScroll.Connect([&](std::int32_t position) { scrolled.push_back(position); });
    fake.Bar(window, SB_VERT).dragging = true, fake.Bar(window, SB_VERT).track = 123'456;
    fake.Send(window, WM_VSCROLL, SB_THUMBTRACK | (123'456 & 0xFFFF) << 16, 0);
    EXPECT_EQ(scrolled, std::vector{123'456}) << "the full track position, reported";
    EXPECT_EQ(fake.Bar(window, SB_VERT).pos, 123'456) << "the bar's position";
    fake.Bar(window, SB_VERT).page = 0x8000'0000u, fake.Send(window, WM_VSCROLL, SB_PAGEDOWN, 0);  // a page of 2^31
    EXPECT_EQ(fake.Bar(window, SB_VERT).pos, INT_MAX) << "a page of 2^31 steps down as far as it goes";
}

}  // namespace
}  // namespace brennick
