#include <gtest/gtest.h>

#include "controls/wheel/cSubClassWheel.h"
#include "controls/wheel/modSubclassWheel.h"
#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

using test::Api;
using test::FakeWindowSystem;

class WheelHook : public ::testing::Test {
protected:
    FakeWindowSystem fake;
    win::Hwnd window = fake.CreateWindow();
    Ref<cSubClassWheel> wheel = MakeRef<cSubClassWheel>();
    void SetUp() override {
        wheel->SubClass(window);
        fake.Window(window).answer = 77;
    }
};

TEST_F(WheelHook, AttachesUnderItsOwnPropertyAndDetachesOnRequest) {
    EXPECT_EQ(fake.Window(window).properties.at("nvAdvSubcls"), wheel.Get());
    EXPECT_EQ(fake.Window(window).procedure, &modSubclassWheel::WheelWndProc);
    wheel->UnSubClass();
    EXPECT_EQ(fake.Window(window).procedure, &FakeWindowSystem::OriginalProc);
    EXPECT_TRUE(fake.Window(window).properties.empty());
    EXPECT_EQ(wheel->TargetWnd(), nullptr);
    fake.ClearCalls();
    wheel->UnSubClass();  // nothing hooked: nothing happens
    EXPECT_EQ(fake.Apis(), (std::vector<Api>{Api::IsWindow}));
    wheel->SubClass(window);  // and it can hook again
    EXPECT_EQ(wheel->TargetWnd(), window);
}

TEST_F(WheelHook, WheeledDecidesBetweenConsumingAndForwarding) {
    Bool16 answer = kTrue;
    int events = 0;
    wheel->WheelRotate.Connect([&](std::int32_t& delta, std::int32_t& shift, std::int32_t& x, std::int32_t& y,
                                   Bool16& wheeled) {
        ++events;
        EXPECT_EQ(wheeled, kFalse);
        EXPECT_EQ(delta, -2);
        EXPECT_EQ(x, -1);
        delta = 99;  // discarded
        shift = x = y = 0;
        wheeled = answer;
    });
    const win::WParam wParam = (240u << 16) | MK_SHIFT;
    const win::LParam lParam = 0x0005FFFF;
    EXPECT_EQ(fake.Send(window, WM_MOUSEWHEEL, wParam, lParam), 0);
    EXPECT_TRUE(fake.Window(window).received.empty());

    answer = kFalse;
    EXPECT_EQ(fake.Send(window, WM_MOUSEWHEEL, wParam, lParam), 77);
    ASSERT_EQ(fake.Window(window).received.size(), 1u);
    EXPECT_EQ(fake.Window(window).received[0].wParam, wParam);  // unchanged
    EXPECT_EQ(fake.Window(window).received[0].lParam, lParam);

    answer = Bool16(std::int16_t{3});  // any non-zero value consumes
    EXPECT_EQ(fake.Send(window, WM_MOUSEWHEEL, wParam, lParam), 0);
    EXPECT_EQ(events, 3);
}

TEST_F(WheelHook, OtherMessagesAreForwardedWithoutAnEvent) {
    int events = 0;
    wheel->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16&) { ++events; });
    EXPECT_EQ(fake.Send(window, WM_VSCROLL, SB_LINEDOWN, 0), 77);
    EXPECT_EQ(events, 0);
}

TEST_F(WheelHook, UnhookedInsideItsHandlerItForwardsToTheProcedureOfArrival) {
    wheel->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16&) { wheel->UnSubClass(); });
    EXPECT_EQ(fake.Send(window, WM_MOUSEWHEEL, 120u << 16, 0), 77);
    EXPECT_EQ(fake.Window(window).received.size(), 1u);
    EXPECT_TRUE(fake.CallsOf(Api::DefWindowProc).empty());
}

TEST_F(WheelHook, ReleasedInsideItsHandlerItLivesUntilTheMessageReturns) {
    wheel->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16& wheeled) {
        wheel.Reset();
        wheeled = kTrue;
    });
    EXPECT_EQ(fake.Send(window, WM_MOUSEWHEEL, 120u << 16, 0), 0);
    EXPECT_EQ(fake.Window(window).procedure, &FakeWindowSystem::OriginalProc);
    EXPECT_TRUE(fake.Window(window).properties.empty());
}

TEST_F(WheelHook, ServesOneWindowAtATime) {
    const win::Hwnd other = fake.CreateWindow();
    wheel->SubClass(other);
    EXPECT_EQ(wheel->TargetWnd(), window);
    EXPECT_EQ(fake.Window(other).procedure, &FakeWindowSystem::OriginalProc);
    auto second = MakeRef<cSubClassWheel>();
    second->SubClass(window);  // already carries a wheel hook
    EXPECT_EQ(second->TargetWnd(), nullptr);
}

}  // namespace
}  // namespace brennick
