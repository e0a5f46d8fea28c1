#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "controls/scrollbars/modSubclassScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"
#include "controls/wheel/modSubclassWheel.h"
#include "tests/win32/TestWindow.h"

namespace brennick {
namespace {

using modSubclassScrollBars::ScrollBarsWndProc;
using modSubclassWheel::WheelWndProc;

WNDPROC ProcedureOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)); }

LPARAM Wheel(int notchesAway) { return static_cast<LPARAM>(MAKEWPARAM(0, notchesAway * WHEEL_DELTA)); }

TEST(AttachmentOnRealWindow, HookedWhileTheComponentLivesRestoredWhenItEnds) {
    test::TestWindow window;
    auto bars = MakeRef<CScrollBars>();
    auto wheel = MakeRef<cSubClassWheel>();
    bars->SubClass(window.Handle());
    EXPECT_EQ(GetPropA(window.Handle(), "nvStdScroll"), bars.Get());
    EXPECT_EQ(ProcedureOf(window.Handle()), &ScrollBarsWndProc);
    EXPECT_EQ(bars->PrevWndProc(), &test::TestWindow::Procedure);
    wheel->SubClass(window.Handle());
    EXPECT_EQ(GetPropA(window.Handle(), "nvAdvSubcls"), wheel.Get());
    EXPECT_EQ(ProcedureOf(window.Handle()), &WheelWndProc);

    wheel.Reset();
    bars.Reset();
    EXPECT_EQ(ProcedureOf(window.Handle()), &test::TestWindow::Procedure);
    EXPECT_EQ(GetPropA(window.Handle(), "nvStdScroll"), nullptr);
    EXPECT_EQ(GetPropA(window.Handle(), "nvAdvSubcls"), nullptr);
}

TEST(AttachmentOnRealWindow, RefusesNoWindowADestroyedWindowAndAHookedWindow) {
    test::TestWindow window, gone;
    const HWND goneHandle = gone.Handle();
    gone.Destroy();
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(nullptr);
    bars->SubClass(goneHandle);
    EXPECT_EQ(bars->TargetWnd(), nullptr);

    bars->SubClass(window.Handle());
    auto other = MakeRef<CScrollBars>();
    other->SubClass(window.Handle());
    bars->SubClass(window.Handle());
    EXPECT_EQ(other->TargetWnd(), nullptr);
    EXPECT_EQ(bars->PrevWndProc(), &test::TestWindow::Procedure);
    EXPECT_EQ(GetPropA(window.Handle(), "nvStdScroll"), bars.Get());

    auto wheel = MakeRef<cSubClassWheel>();
    auto otherWheel = MakeRef<cSubClassWheel>();
    wheel->SubClass(window.Handle());
    otherWheel->SubClass(window.Handle());
    wheel->SubClass(window.Handle());
    EXPECT_EQ(otherWheel->TargetWnd(), nullptr);
    EXPECT_EQ(wheel->PrevWndProc(), &ScrollBarsWndProc);
}

TEST(AttachmentOnRealWindow, OneProcedureServesEveryWindowItsOwnController) {
    test::TestWindow left, right;
    auto leftBars = MakeRef<CScrollBars>();
    auto rightBars = MakeRef<CScrollBars>();
    leftBars->SubClass(left.Handle());
    rightBars->SubClass(right.Handle());
    EXPECT_EQ(ProcedureOf(left.Handle()), ProcedureOf(right.Handle()));
    std::vector<std::string> seen;
    leftBars->HChange.Connect([&](std::int32_t) { seen.push_back("left"); });
    rightBars->HChange.Connect([&](std::int32_t) { seen.push_back("right"); });
    SendMessageA(right.Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    SendMessageA(left.Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"right", "left"}));
}

TEST(AttachmentOnRealWindow, TheComponentHookedLastSeesEachWheelFirst) {
    for (bool wheelFirst : {false, true}) {
        test::TestWindow window;
        auto bars = MakeRef<CScrollBars>();
        auto wheel = MakeRef<cSubClassWheel>();
        std::vector<std::string> order;
        bars->WheelSupport(kTrue);
        bars->WheelRotate.Connect([&](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&) {
            order.push_back("controller");
        });
        wheel->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16&) { order.push_back("hook"); });
        if (wheelFirst) wheel->SubClass(window.Handle());
        bars->SubClass(window.Handle());
        if (!wheelFirst) wheel->SubClass(window.Handle());
        window.Received().clear();
        EXPECT_EQ(SendMessageA(window.Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(Wheel(1)), 0), 0);
        const std::vector<std::string> expected =
            wheelFirst ? std::vector<std::string>{"controller"} : std::vector<std::string>{"hook", "controller"};
        EXPECT_EQ(order, expected);
        EXPECT_TRUE(window.Received().empty());
        SendMessageA(window.Handle(), WM_USER, 0, 0);
        EXPECT_EQ(window.Received(), (std::vector<UINT>{WM_USER}));
    }
}

TEST(AttachmentOnRealWindow, ReleasedOutOfOrderTheWindowKeepsItsOwnProcedure) {
    test::TestWindow window;
    auto bars = MakeRef<CScrollBars>();
    auto wheel = MakeRef<cSubClassWheel>();
    bars->SubClass(window.Handle());
    wheel->SubClass(window.Handle());
    bars.Reset();  // hooked first, released first
    EXPECT_EQ(ProcedureOf(window.Handle()), &WheelWndProc);
    EXPECT_EQ(wheel->PrevWndProc(), &test::TestWindow::Procedure);
    window.Received().clear();
    SendMessageA(window.Handle(), WM_USER, 0, 0);
    EXPECT_EQ(window.Received(), (std::vector<UINT>{WM_USER}));
    wheel.Reset();
    EXPECT_EQ(ProcedureOf(window.Handle()), &test::TestWindow::Procedure);
    auto again = MakeRef<CScrollBars>();
    again->SubClass(window.Handle());
    EXPECT_EQ(again->PrevWndProc(), &test::TestWindow::Procedure);
}

TEST(AttachmentOnRealWindow, AnOwnerLettingGoInsideAnEventKeepsTheComponentUntilTheMessageReturns) {
    test::TestWindow window;
    auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window.Handle());
    WNDPROC duringHandler = nullptr;
    bars->VChange.Connect([&](std::int32_t) {
        bars.Reset();
        duringHandler = ProcedureOf(window.Handle());
    });
    EXPECT_EQ(SendMessageA(window.Handle(), WM_VSCROLL, SB_LINEDOWN, 0), 0);
    EXPECT_EQ(duringHandler, &ScrollBarsWndProc);
    EXPECT_EQ(ProcedureOf(window.Handle()), &test::TestWindow::Procedure);
    EXPECT_EQ(GetPropA(window.Handle(), "nvStdScroll"), nullptr);

    auto wheel = MakeRef<cSubClassWheel>();
    wheel->SubClass(window.Handle());
    wheel->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16& wheeled) {
        wheel.Reset();
        wheeled = kTrue;
    });
    EXPECT_EQ(SendMessageA(window.Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(Wheel(1)), 0), 0);
    EXPECT_EQ(ProcedureOf(window.Handle()), &test::TestWindow::Procedure);
}

TEST(AttachmentOnRealWindow, AWindowDestroyedWhileHookedIsLeftCleanly) {
    auto bars = MakeRef<CScrollBars>();
    auto wheel = MakeRef<cSubClassWheel>();
    {
        test::TestWindow window;
        bars->SubClass(window.Handle());
        wheel->SubClass(window.Handle());
        window.Destroy();
        EXPECT_EQ(window.Received().back(), static_cast<UINT>(WM_NCDESTROY));
    }
    EXPECT_EQ(bars->TargetWnd(), nullptr);
    EXPECT_EQ(wheel->TargetWnd(), nullptr);
    EXPECT_EQ(wheel->PrevWndProc(), nullptr);
    wheel->UnSubClass();
    wheel->UnSubClass();
    test::TestWindow next;  // may well get the old handle
    wheel->SubClass(next.Handle());
    EXPECT_EQ(wheel->TargetWnd(), next.Handle());
    bars.Reset();
    EXPECT_EQ(ProcedureOf(next.Handle()), &WheelWndProc);
    wheel->UnSubClass();
    EXPECT_EQ(ProcedureOf(next.Handle()), &test::TestWindow::Procedure);
}

TEST(AttachmentOnRealWindow, WheeledDecidesWhetherTheWindowSeesTheWheel) {
    test::TestWindow window;
    auto wheel = MakeRef<cSubClassWheel>();
    wheel->SubClass(window.Handle());
    Bool16 answer = kTrue;
    std::int32_t delta = 0;
    wheel->WheelRotate.Connect([&](std::int32_t& d, auto&, auto&, auto&, Bool16& wheeled) {
        delta = d;
        d = 0;
        wheeled = answer;
    });
    test::TestWindow::Answer() = 55;
    window.Received().clear();
    EXPECT_EQ(SendMessageA(window.Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(Wheel(-2)), 0), 0);
    EXPECT_EQ(delta, 2);
    EXPECT_TRUE(window.Received().empty());
    answer = kFalse;
    EXPECT_EQ(SendMessageA(window.Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(Wheel(-2)), 0), 55);
    EXPECT_EQ(window.Received(), (std::vector<UINT>{WM_MOUSEWHEEL}));
    test::TestWindow::Answer() = 0;
}

}  // namespace
}  // namespace brennick
