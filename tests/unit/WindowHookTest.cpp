#include <gtest/gtest.h>

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

constexpr unsigned int kWmPaint = 0x000F;

class Attachment : public ::testing::Test {
protected:
    FakeWindowSystem fake;
    win::Hwnd window = fake.CreateWindow();
    const void* Property(const char* name) {
        const auto& properties = fake.Window(window).properties;
        const auto found = properties.find(name);
        return found == properties.end() ? nullptr : found->second;
    }
};

TEST_F(Attachment, AttachSetsThePropertyBeforeReplacingTheProcedure) {
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    EXPECT_EQ(fake.Apis(), (std::vector<Api>{Api::IsWindow, Api::GetProp, Api::SetProp, Api::SetWindowProcedure}));
    EXPECT_EQ(fake.calls[1].text, "nvStdScroll");
    EXPECT_EQ(fake.calls[2].value, bars.Get());
    EXPECT_EQ(fake.calls[3].procedure, &ScrollBarsWndProc);
    EXPECT_EQ(bars->PrevWndProc(), &FakeWindowSystem::OriginalProc);
    EXPECT_EQ(bars->TargetWnd(), window);
    EXPECT_EQ(Property("nvStdScroll"), bars.Get());

    fake.ClearCalls();
    bars.Reset();
    EXPECT_EQ(fake.Apis(), (std::vector<Api>{Api::IsWindow, Api::GetProp, Api::GetWindowProcedure,
                                             Api::SetWindowProcedure, Api::RemoveProp}));
    EXPECT_EQ(fake.calls[3].procedure, &FakeWindowSystem::OriginalProc);
    EXPECT_EQ(fake.Window(window).procedure, &FakeWindowSystem::OriginalProc);
    EXPECT_EQ(Property("nvStdScroll"), nullptr);
}

TEST_F(Attachment, RefusalsLeaveEverythingAsItWas) {
    auto first = MakeRef<CScrollBars>();
    auto second = MakeRef<CScrollBars>();
    first->SubClass(nullptr);
    EXPECT_EQ(first->TargetWnd(), nullptr);

    const win::Hwnd gone = fake.CreateWindow();
    fake.DestroyWindow(gone);
    first->SubClass(gone);
    EXPECT_EQ(first->TargetWnd(), nullptr);

    first->SubClass(window);
    second->SubClass(window);  // the window already carries a controller
    EXPECT_EQ(second->TargetWnd(), nullptr);
    first->SubClass(window);   // the same controller again
    EXPECT_EQ(first->PrevWndProc(), &FakeWindowSystem::OriginalProc);
    EXPECT_EQ(Property("nvStdScroll"), first.Get());

    const win::Hwnd other = fake.CreateWindow();
    fake.ClearCalls();
    first->SubClass(other);    // one window per controller
    EXPECT_EQ(fake.Apis(), (std::vector<Api>{Api::IsWindow, Api::GetProp}));
    EXPECT_EQ(first->TargetWnd(), window);
    EXPECT_EQ(fake.Window(other).procedure, &FakeWindowSystem::OriginalProc);
}

TEST_F(Attachment, RefusedPropertyOrProcedureLeavesNothingBehind) {
    auto bars = MakeRef<CScrollBars>();
    fake.refuseSetProp = true;
    bars->SubClass(window);
    EXPECT_EQ(bars->TargetWnd(), nullptr);
    EXPECT_EQ(fake.Window(window).procedure, &FakeWindowSystem::OriginalProc);

    fake.refuseSetProp = false;
    fake.failSetWindowProcedure = true;
    bars->SubClass(window);
    EXPECT_EQ(bars->TargetWnd(), nullptr);
    EXPECT_EQ(bars->PrevWndProc(), nullptr);
    EXPECT_EQ(Property("nvStdScroll"), nullptr);  // no address left to outlive the controller

    fake.failSetWindowProcedure = false;
    bars->SubClass(window);  // and a later attach still works
    EXPECT_EQ(bars->TargetWnd(), window);
}

TEST_F(Attachment, DestroyingAnUnattachedControllerOnlyAsksAboutHandleZero) {
    auto bars = MakeRef<CScrollBars>();
    bars.Reset();
    ASSERT_EQ(fake.Apis(), (std::vector<Api>{Api::IsWindow}));
    EXPECT_EQ(fake.calls[0].window, nullptr);
}

TEST_F(Attachment, ADestroyedWindowIsLeftByItsComponentsAfterItsOwnProcedureRan) {
    auto bars = MakeRef<CScrollBars>();
    auto wheel = MakeRef<cSubClassWheel>();
    bars->SubClass(window);
    wheel->SubClass(window);
    fake.DestroyWindow(window);
    const auto& received = fake.Window(window).received;
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].message, WM_NCDESTROY);
    EXPECT_EQ(bars->TargetWnd(), nullptr);
    EXPECT_EQ(bars->PrevWndProc(), nullptr);
    EXPECT_EQ(wheel->TargetWnd(), nullptr);

    // The handle comes back naming an unrelated window: nothing may touch it.
    const win::Hwnd reused = fake.CreateWindowReusing(window);
    fake.ClearCalls();
    wheel->UnSubClass();
    bars.Reset();
    wheel.Reset();
    EXPECT_TRUE(fake.CallsOf(Api::SetWindowProcedure).empty());
    EXPECT_TRUE(fake.CallsOf(Api::RemoveProp).empty());
    EXPECT_EQ(fake.Window(reused).procedure, &FakeWindowSystem::OriginalProc);
}

TEST_F(Attachment, ReleasedOutOfOrderTheHooksKeepTheWindowsOwnProcedure) {
    for (bool wheelFirst : {false, true}) {
        const win::Hwnd target = fake.CreateWindow();
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        if (wheelFirst) wheel->SubClass(target);
        bars->SubClass(target);
        if (!wheelFirst) wheel->SubClass(target);
        // The one hooked first leaves first: the later hook forwards past it from now on.
        if (wheelFirst) {
            wheel->UnSubClass();
            EXPECT_EQ(fake.Window(target).procedure, &ScrollBarsWndProc);
            EXPECT_EQ(bars->PrevWndProc(), &FakeWindowSystem::OriginalProc);
        } else {
            bars.Reset();
            EXPECT_EQ(fake.Window(target).procedure, &WheelWndProc);
            EXPECT_EQ(wheel->PrevWndProc(), &FakeWindowSystem::OriginalProc);
        }
        fake.Send(target, kWmPaint, 0, 0);
        EXPECT_EQ(fake.Window(target).received.size(), 1u);
        bars.Reset();
        wheel.Reset();
        EXPECT_EQ(fake.Window(target).procedure, &FakeWindowSystem::OriginalProc);
        EXPECT_TRUE(fake.Window(target).properties.empty());
        // Hooked again afterwards, nothing forwards to itself.
        auto again = MakeRef<CScrollBars>();
        again->SubClass(target);
        EXPECT_EQ(again->PrevWndProc(), &FakeWindowSystem::OriginalProc);
    }
}

TEST_F(Attachment, AHookThatWouldForwardBackToItselfIsRefused) {
    // A third party took the controller's property away: the window runs the shared
    // procedure without it. Neither kind may hook on top of that.
    auto lost = MakeRef<CScrollBars>();
    lost->SubClass(window);
    fake.Window(window).properties.erase("nvStdScroll");
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    EXPECT_EQ(bars->TargetWnd(), nullptr);
    EXPECT_EQ(fake.Window(window).procedure, &ScrollBarsWndProc);
    EXPECT_EQ(Property("nvStdScroll"), nullptr);

    // Through another kind: the wheel hook forwards to the orphaned shared procedure.
    auto wheel = MakeRef<cSubClassWheel>();
    wheel->SubClass(window);
    EXPECT_EQ(wheel->PrevWndProc(), &ScrollBarsWndProc);
    bars->SubClass(window);
    EXPECT_EQ(bars->TargetWnd(), nullptr);
    EXPECT_EQ(fake.Window(window).procedure, &WheelWndProc);
    fake.defWindowProcAnswer = 3;
    EXPECT_EQ(fake.Send(window, kWmPaint, 0, 0), 3);  // ends in the default handling, no loop
}

TEST_F(Attachment, DestructionOfOneWindowLeavesTheOtherWindowsHookAlone) {
    const win::Hwnd second = fake.CreateWindow();
    auto wheel = MakeRef<cSubClassWheel>();
    wheel->SubClass(window);
    fake.onCall = [&](const test::Call& call) {
        if (call.api == Api::CallWindowProc && call.message == WM_NCDESTROY && call.window == window) {
            wheel->UnSubClass();
            wheel->SubClass(second);
        }
    };
    fake.DestroyWindow(window);
    fake.onCall = nullptr;
    EXPECT_EQ(wheel->TargetWnd(), second);
    EXPECT_EQ(fake.Window(second).procedure, &WheelWndProc);
}

TEST_F(Attachment, AWindowWhosePropertyNamesAnotherObjectIsNotTouchedOnDetach) {
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    int stranger = 0;
    fake.Window(window).properties["nvStdScroll"] = &stranger;
    fake.ClearCalls();
    bars.Reset();
    EXPECT_TRUE(fake.CallsOf(Api::SetWindowProcedure).empty());
    EXPECT_EQ(Property("nvStdScroll"), &stranger);
}

TEST_F(Attachment, AMessageForAWindowWithoutThePropertyGetsTheDefaultHandling) {
    fake.defWindowProcAnswer = 9;
    fake.ClearCalls();
    EXPECT_EQ(ScrollBarsWndProc(window, kWmPaint, 1, 2), 9);
    EXPECT_EQ(WheelWndProc(window, WM_MOUSEWHEEL, 1, 2), 9);
    EXPECT_EQ(fake.Apis(), (std::vector<Api>{Api::GetProp, Api::DefWindowProc, Api::GetProp, Api::DefWindowProc}));
}

TEST_F(Attachment, OneSharedProcedureServesEachWindowItsOwnController) {
    const win::Hwnd other = fake.CreateWindow();
    auto left = MakeRef<CScrollBars>();
    auto right = MakeRef<CScrollBars>();
    left->SubClass(window);
    right->SubClass(other);
    EXPECT_EQ(fake.Window(window).procedure, fake.Window(other).procedure);
    std::vector<std::string> seen;
    left->VChange.Connect([&](std::int32_t) { seen.push_back("left"); });
    right->VChange.Connect([&](std::int32_t) { seen.push_back("right"); });
    fake.Send(other, WM_VSCROLL, SB_LINEDOWN, 0);
    fake.Send(window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"right", "left"}));
    EXPECT_EQ(modSubclassScrollBars::ScrollBarsFromWindow(other).Get(), right.Get());
    EXPECT_FALSE(modSubclassWheel::WheelFromWindow(other));
}

TEST_F(Attachment, TheComponentLivesUntilTheMessageReturnsWhenItsOwnerLetsGo) {
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    bool survivedHandler = false;
    bars->VChange.Connect([&](std::int32_t) {
        bars.Reset();  // the owner's last reference
        survivedHandler = fake.Window(window).procedure == &ScrollBarsWndProc;
    });
    EXPECT_EQ(fake.Send(window, WM_VSCROLL, SB_LINEDOWN, 0), 0);
    EXPECT_TRUE(survivedHandler);
    EXPECT_EQ(fake.Window(window).procedure, &FakeWindowSystem::OriginalProc);
    EXPECT_EQ(Property("nvStdScroll"), nullptr);
}

TEST_F(Attachment, TheComponentHookedLastSeesEachMessageFirst) {
    for (bool wheelFirst : {false, true}) {
        const win::Hwnd target = fake.CreateWindow();
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        std::vector<std::string> order;
        bars->WheelSupport(kTrue);
        bars->WheelRotate.Connect([&](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&) {
            order.push_back("controller");
        });
        wheel->WheelRotate.Connect([&](std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, Bool16&) {
            order.push_back("hook");
        });
        if (wheelFirst) {
            wheel->SubClass(target);
            bars->SubClass(target);
        } else {
            bars->SubClass(target);
            wheel->SubClass(target);
        }
        fake.Send(target, WM_MOUSEWHEEL, 120u << 16, 0);
        // The controller consumes the wheel; the hook forwards what it leaves unconsumed.
        const std::vector<std::string> expected =
            wheelFirst ? std::vector<std::string>{"controller"} : std::vector<std::string>{"hook", "controller"};
        EXPECT_EQ(order, expected) << (wheelFirst ? "wheel hooked first" : "controller hooked first");
        EXPECT_TRUE(fake.Window(target).received.empty());
        fake.Send(target, kWmPaint, 0, 0);
        EXPECT_EQ(fake.Window(target).received.size(), 1u);  // both forward everything else
    }
}

}  // namespace
}  // namespace brennick
