// Messages the components handle, on a panel with a picture that follows its vertical bar, each
// against the class's own procedure doing the same work by hand.
// scroll line: WM_VSCROLL SB_LINEDOWN, handled by CScrollBars with a VChange handler that moves the
// picture. The visible group is what a user's click costs, bar painting included; the hidden group
// leaves out the painting and so shows the message path's own share.
// wheel: a wheel turn end to end, through the steps the test window's handlers take: the
// controller path (CScrollBars WheelRotate on the panel, also with WheelCarry on) and the hook path
// (cSubClassWheel on the top-level window, pointer over the panel). Then the same in the test
// window itself, through frmMain's own handlers: the controller path (message to picControlLeft
// with "Extra Wheel Support" on) and the hook path (message to the window with "Extra Wheel
// Support 2.0" on, pointer over picControlLeft).
#include "app/ControlIds.h"
#include "app/frmMain.h"
#include "app/frmMainRules.h"
#include "bench/Bench.h"
#include "support/WheelMessage.h"

#include <climits>
#include <memory>

#include <brennick/CScrollBars.h>
#include <brennick/MSupport.h>
#include <brennick/Saturating.h>
#include <brennick/cSubClassWheel.h>

namespace brennick_bench {
namespace {

using namespace brennick;
using namespace brennick::frmMainRules;  // the test window's arithmetic

// Where a panel's picture sits while the panel's vertical bar is at 0; it moves up as the bar moves down.
constexpr int kPictureTop = 10;

void MovePicture(HWND picture, int position) {
    SetWindowPos(picture, nullptr, 0, kPictureTop - position, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The range 0 to max, the page and the position of window's vertical bar.
void SetVerticalBar(HWND window, int max, UINT page, int position) {
    const SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, max, page, position, 0};
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}

// The test window's report of a wheel turn, written into textBox.
void WriteWheelReport(HWND textBox, std::int32_t delta, std::int32_t shift, std::int32_t x, std::int32_t y) {
    SetWindowTextA(textBox, WheelReportLine(LocalTimeOfDay(), kWheelReportLeft, delta, shift, x, y).c_str());
}

// Set as a window's GWLP_USERDATA, has the bench class's procedure handle WM_VSCROLL (SB_LINEDOWN
// and SB_LINEUP) and WM_MOUSEWHEEL by hand, with the calls a window makes when it does the work
// itself: the limit the components are measured against. A line moves the vertical bar by
// smallChange and the picture with it. A wheel turn scrolls a panel's vertical bar by the notches
// (lines per notch as the system says, at most a page), moves the picture and writes the report
// line into textBox; on a top-level window, it does the same for its panel when the pointer is
// over it.
struct HandWritten {
    HWND picture = nullptr, textBox = nullptr, panel = nullptr;
    int smallChange = 1;
};

void ScrollByHand(HWND window, const HandWritten& state, int code) {
    if (code != SB_LINEDOWN && code != SB_LINEUP) return;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(window, SB_VERT, &info);
    info.nPos = SatAdd(info.nPos, code == SB_LINEDOWN ? state.smallChange : -state.smallChange);
    MovePicture(state.picture, SetScrollInfo(window, SB_VERT, &info, TRUE));
}

void WheelByHand(HWND window, const HandWritten& state, WPARAM wParam, LPARAM lParam) {
    std::int32_t carried = 0;
    const WheelMessage wheel = DecodeWheel(wParam, lParam, WheelSense::TowardUser, false, carried);
    HWND panel = state.panel != nullptr ? state.panel : window;
    RECT r{INT_MIN, INT_MIN, INT_MAX, INT_MAX};  // on a panel, anywhere; on a top-level window, over its panel
    if (state.panel != nullptr) GetWindowRect(panel, &r);
    if (wheel.X < r.left || wheel.X > r.right || wheel.Y < r.top || wheel.Y > r.bottom) return;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(panel, SB_VERT, &info);
    const VerticalBar bar{info.nPos, info.nMin, info.nMax, state.smallChange, static_cast<int>(info.nPage)};
    info.fMask = SIF_POS;
    info.nPos = WheelScrollTarget(bar, wheel.Delta, WheelScrollLines);
    MovePicture(state.picture, SetScrollInfo(panel, SB_VERT, &info, TRUE));
    WriteWheelReport(state.textBox, wheel.Delta, wheel.Shift, wheel.X, wheel.Y);
}

// Sends count wheel turns to window with the pointer at the middle of overPanel: one notch toward
// the user, then one away, and so on, so a bar keeps moving within its range.
void SendWheel(HWND window, HWND overPanel, std::int32_t count) {
    RECT rect;
    GetWindowRect(overPanel, &rect);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    const WPARAM turns[] = {MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKEWPARAM(0, WHEEL_DELTA)};
    for (std::int32_t i = 0; i < count; ++i) SendMessageA(window, WM_MOUSEWHEEL, turns[i % 2], point);
}

void SendLinesDown(HWND window, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
}

// scroll line: a hand-written panel and a controlled one in one top-level window, each with its picture.
struct ScrollPanels {
    explicit ScrollPanels(bool visible) : parent(TopLevel(visible)) {
        SetVerticalBar(handPanel.Get(), kRangeMax, 10, 0);
        SetWindowLongPtrA(handPanel.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hand));
        controller->SubClass(panel.Get());
        controller->VMin(0), controller->VMax(kRangeMax), controller->VLargeChange(10), controller->VSmallChange(1);
        controller->VVisible(kTrue);
        controller->VChange.Connect([moved = picture.Get()](std::int32_t position) { MovePicture(moved, position); });
    }

    // Untimed: both bars and pictures back at the top, paint work done.
    void Reset() {
        SetScrollPos(handPanel.Get(), SB_VERT, 0, TRUE);
        MovePicture(handPicture.Get(), 0);
        controller->VValue(0);
        MovePicture(picture.Get(), 0);
        PumpMessages();
    }

    // Whether one line down moves window's bar and its picture by one line.
    bool MovesOneLine(HWND window, HWND movedPicture) {
        Reset();
        SendLinesDown(window, 1);
        POINT corner{};  // the picture's, in the panel
        MapWindowPoints(movedPicture, window, &corner, 1);
        const bool moved = GetScrollPos(window, SB_VERT) == 1 && corner.y == kPictureTop - 1;
        Reset();
        return moved;
    }

    static constexpr int kRangeMax = 1 << 30;  // room for every line of a run: each one moves the bar
    OwnedWindow parent, handPanel = Panel(parent.Get(), 0, 0), panel = Panel(parent.Get(), 300, 0);
    OwnedWindow handPicture = Child("STATIC", handPanel.Get(), 0, kPictureTop, 100, 100);
    OwnedWindow picture = Child("STATIC", panel.Get(), 0, kPictureTop, 100, 100);
    HandWritten hand{handPicture.Get(), nullptr, nullptr, 1};
    Ref<CScrollBars> controller = MakeRef<CScrollBars>();
};

// wheel: the test window's routine that turns notches into a vertical position; every property is
// read from the controller when it is used.
void WheelScrollV(CScrollBars& c, std::int32_t delta) {
    if (c.VVisible() == kFalse) return;
    const VerticalBar bar{c.VValue(), c.VMin(), c.VMax(), c.VSmallChange(), c.VLargeChange()};
    c.VScrollTo(WheelScrollTarget(bar, delta, WheelScrollLines));
}

// wheel: two top-level windows, each with a panel (set as the test window's left panel), its
// picture and text boxes: one handled by hand, one by the components as the test window uses them.
struct WheelPanels {
    WheelPanels() {
        WheelScrollLines = 3;
        SetWindowLongPtrA(handPanel.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handPanelState));
        SetWindowLongPtrA(handTop.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handTopState));
        controller->SubClass(panel.Get());
        controller->VMin(0), controller->VMax(400), controller->VLargeChange(201), controller->VSmallChange(5);
        controller->VValue(100), controller->VVisible(kTrue), controller->WheelSupport(kTrue);
        controller->VScroll.Connect([moved = picture.Get()](std::int32_t position) { MovePicture(moved, position); });
        controller->WheelRotate.Connect([this](auto delta, auto shift, auto x, auto y, Bool16&) {
            WheelScrollV(*controller, delta);
            WriteWheelReport(text.Get(), delta, shift, x, y);
        });
        hook->SubClass(top.Get());
        hook->WheelRotate.Connect([this](auto& delta, auto& shift, auto& x, auto& y, Bool16& wheeled) {
            wheeled = MSupport::IsPointInWindow(panel.Get(), x, y);
            if (wheeled == kFalse) return;
            WheelScrollV(*controller, delta);
            WriteWheelReport(text2.Get(), delta, shift, x, y);
        });
    }

    // Untimed: both bars back where they started, paint work done; carry: WheelCarry while a case runs.
    void Reset(bool carry) {
        controller->WheelCarry(Bool16::From(carry));
        SetVerticalBar(handPanel.Get(), 400, 201, 100);
        controller->VValue(100);
        PumpMessages();
    }

    OwnedWindow handTop = TopLevel(), handPanel = Panel(handTop.Get(), 10, 10);
    OwnedWindow handPicture = Child("STATIC", handPanel.Get(), 0, kPictureTop, 100, 100);
    OwnedWindow handText = Child("EDIT", handTop.Get(), 10, 300, 500, 20);
    OwnedWindow top = TopLevel(), panel = Panel(top.Get(), 10, 10);
    OwnedWindow picture = Child("STATIC", panel.Get(), 0, kPictureTop, 100, 100);
    OwnedWindow text = Child("EDIT", top.Get(), 10, 300, 500, 20), text2 = Child("EDIT", top.Get(), 10, 330, 500, 20);
    HandWritten handPanelState{handPicture.Get(), handText.Get(), nullptr, 5};
    HandWritten handTopState{handPicture.Get(), handText.Get(), handPanel.Get(), 5};
    Ref<CScrollBars> controller = MakeRef<CScrollBars>();
    Ref<cSubClassWheel> hook = MakeRef<cSubClassWheel>();  // unhooks first
};

}  // namespace

bool HandledByHand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* state = reinterpret_cast<const HandWritten*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (state != nullptr && message == WM_VSCROLL) ScrollByHand(window, *state, LOWORD(wParam));
    if (state != nullptr && message == WM_MOUSEWHEEL) WheelByHand(window, *state, wParam, lParam);
    return state != nullptr;
}

void AddScrollCases(Suite& suite) {
    for (const bool visible : {true, false}) {
        const auto f = std::make_shared<ScrollPanels>(visible);
        const auto reset = [f] { f->Reset(); };
        const auto add = [&](const char* name, const char* peer, double target, HWND window, HWND movedPicture) {
            const char* group = visible ? "scroll line" : "scroll line, hidden";
            const char* skipped =
                f->MovesOneLine(window, movedPicture) ? "" : "one line down did not move the bar and the picture";
            suite.Add({.group = group, .name = name, .peer = peer, .skipped = skipped, .target = target, .batch = 100},
                      reset, [window](std::int32_t count) { SendLinesDown(window, count); });
        };
        add("hand-written procedure", "", 0.0, f->handPanel.Get(), f->handPicture.Get());
        add("CScrollBars + VChange handler", "hand-written procedure", 1.10, f->panel.Get(), f->picture.Get());
    }
}

void AddWheelCases(Suite& suite) {
    const auto f = std::make_shared<WheelPanels>();
    // A case only counts when one turn toward the user moved the panel's bar and wrote the text box.
    const auto add = [&](const char* name, const char* peer, double target, HWND window, HWND panel, HWND textBox,
                         const std::function<void()>& reset) {
        reset();
        SetWindowTextA(textBox, "");
        const int before = GetScrollPos(panel, SB_VERT);
        SendWheel(window, panel, 1);
        const bool works = GetScrollPos(panel, SB_VERT) != before && GetWindowTextLengthA(textBox) > 0;
        reset();
        const char* skipped = works ? "" : "one wheel turn did not scroll the panel and write the line";
        suite.Add({.group = "wheel", .name = name, .peer = peer, .skipped = skipped, .target = target, .batch = 100},
                  reset, [window, panel](std::int32_t count) { SendWheel(window, panel, count); });
    };
    const auto reset = [f](bool carry) { return [f, carry] { f->Reset(carry); }; };
    constexpr const char* kControllerPath = "controller path (CScrollBars)";
    constexpr const char* kHookPath = "hook path (cSubClassWheel)";
    add("hand-written panel", "", 0.0, f->handPanel.Get(), f->handPanel.Get(), f->handText.Get(), reset(false));
    add("hand-written top-level", "", 0.0, f->handTop.Get(), f->handPanel.Get(), f->handText.Get(), reset(false));
    add(kControllerPath, "hand-written panel", 0.0, f->panel.Get(), f->panel.Get(), f->text.Get(), reset(false));
    add("controller path, carry on", kControllerPath, 1.05, f->panel.Get(), f->panel.Get(), f->text.Get(), reset(true));
    add(kHookPath, "hand-written top-level", 0.0, f->top.Get(), f->panel.Get(), f->text2.Get(), reset(false));

    // The test window, with both switches on: each path's message goes to its own window, so
    // neither disturbs the other.
    const auto form = std::make_shared<frmMain>();
    const auto pump = [form] { PumpMessages(); };  // holds the test window for its cases
    namespace ids = ControlId;
    const HWND window = form->Handle(), panel = GetDlgItem(window, ids::picControlLeft);
    if (window != nullptr) form->Show();
    PumpMessages();
    for (const HWND box : {GetDlgItem(window, ids::chkWheelSupport), GetDlgItem(window, ids::chkWheelSupport2)}) {
        if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED) SendMessageA(box, BM_CLICK, 0, 0);
    }
    add("test window: controller path", kControllerPath, 0.0, panel, panel, GetDlgItem(window, ids::txtWheel), pump);
    add("test window: hook path", kHookPath, 0.0, window, panel, GetDlgItem(window, ids::txtWheel2), pump);
}

}  // namespace brennick_bench
