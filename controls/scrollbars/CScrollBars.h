// CScrollBars gives a window working horizontal and vertical scroll bars by driving the window's
// own built-in bars. The window's bar is the only store of range, page and position: getters ask
// the window, setters push to it. Scroll and wheel messages of the hooked window become new
// positions and events.
//
// Units: positions, ranges and steps are the bar's own units (32-bit signed). Booleans are Bool16
// (true = -1, false = 0). Events are raised synchronously to the connected handler.
#pragma once

#include <cstdint>

#include "controls/hook/WindowHook.h"
#include "platform/Win32Types.h"
#include "support/Bool16.h"
#include "support/Event.h"
#include "support/Ref.h"

namespace brennick {

class CScrollBars final : public RefCounted {
public:
    static constexpr const char* kPropertyName = "nvStdScroll";
    static const HookKind kHookKind;

    ~CScrollBars() override;  // unhooks the window, if any

    // Events, raised synchronously, with the position the bar holds after the change.
    Event<std::int32_t> HChange;  // WM_HSCROLL line, page or end
    Event<std::int32_t> HScroll;  // WM_HSCROLL thumb, and HScrollTo
    Event<std::int32_t> VChange;  // WM_VSCROLL line, page or end
    Event<std::int32_t> VScroll;  // WM_VSCROLL thumb, and VScrollTo
    // A wheel message while WheelSupport is on: notches (positive toward the user), key state,
    // pointer in screen coordinates. The message is consumed whatever ret_Wheeled becomes.
    Event<std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&> WheelRotate;

    // Hooks window: stores this controller's address in the window's "nvStdScroll" property and
    // replaces its window procedure, so its scroll and wheel messages reach this controller from
    // now on. Refused (nothing changes) for a handle that names no window, a window that already
    // carries a controller, and when this controller already serves a window. Raises nothing.
    void SubClass(win::Hwnd window);

    // Horizontal bar (SB_HORZ of the hooked window). Range, page and position are read from the bar
    // and pushed to it with redraw (plus SIF_DISABLENOSCROLL while HDisableNoScroll is set); the
    // other properties live in the controller. No setter raises an event.
    Bool16 HVisible() const;              // what the owner last set
    void HVisible(Bool16 value);          // on change: ShowScrollBar
    std::int32_t HMin();                  // GetScrollInfo(SIF_RANGE).nMin
    void HMin(std::int32_t value);        // SetScrollInfo(SIF_RANGE) with the window's current max
    std::int32_t HMax();                  // GetScrollInfo(SIF_RANGE).nMax
    void HMax(std::int32_t value);        // SetScrollInfo(SIF_RANGE) with the window's current min
    std::int32_t HLargeChange();          // GetScrollInfo(SIF_PAGE).nPage
    void HLargeChange(std::int32_t value);  // SetScrollInfo(SIF_PAGE)
    std::int32_t HValue();                // GetScrollInfo(SIF_POS).nPos
    void HValue(std::int32_t value);      // SetScrollInfo(SIF_POS); raises nothing
    void HScrollTo(std::int32_t position);  // sets HValue, reads it back, raises HScroll
    std::int32_t HSmallChange() const;    // line step, kept here
    void HSmallChange(std::int32_t value);
    Bool16 HDisableNoScroll() const;      // disable rather than hide an unneeded bar,
    void HDisableNoScroll(Bool16 value);  // from the next push of the bar on
    void WheelSupport(Bool16 value);      // any non-zero value: raise WheelRotate for wheel messages

    // Vertical bar (SB_VERT), the same operations as the horizontal ones.
    Bool16 VVisible() const;              // what the owner last set
    void VVisible(Bool16 value);          // on change: ShowScrollBar
    std::int32_t VMin();                  // GetScrollInfo(SIF_RANGE).nMin
    void VMin(std::int32_t value);        // SetScrollInfo(SIF_RANGE) with the window's current max
    std::int32_t VMax();                  // GetScrollInfo(SIF_RANGE).nMax
    void VMax(std::int32_t value);        // SetScrollInfo(SIF_RANGE) with the window's current min
    std::int32_t VLargeChange();          // GetScrollInfo(SIF_PAGE).nPage
    void VLargeChange(std::int32_t value);  // SetScrollInfo(SIF_PAGE)
    std::int32_t VValue();                // GetScrollInfo(SIF_POS).nPos
    void VValue(std::int32_t value);      // SetScrollInfo(SIF_POS); raises nothing
    void VScrollTo(std::int32_t position);  // sets VValue, reads it back, raises VScroll
    std::int32_t VSmallChange() const;    // line step, kept here
    void VSmallChange(std::int32_t value);
    Bool16 VDisableNoScroll() const;      // disable rather than hide an unneeded bar,
    void VDisableNoScroll(Bool16 value);  // from the next push of the bar on

    // State, for inspection; none of these touches the window.
    win::WndProc PrevWndProc() const { return hook_.PrevWndProc(); }
    win::Hwnd TargetWnd() const { return hook_.TargetWnd(); }
    std::int32_t HLastPos() const { return bars_[0].lastPos; }  // what SetScrollInfo last returned
    std::int32_t VLastPos() const { return bars_[1].lastPos; }

private:
    friend class HookedWindow<CScrollBars>;
    template <class T, class... Args>
    friend Ref<T> MakeRef(Args&&... args);

    CScrollBars();  // created by MakeRef only

    // What the controller keeps of one bar; range, page and position stay in the window.
    struct BarState {
        Bool16 visible;
        Bool16 disableNoScroll;
        std::int32_t smallChange = 0;
        std::int32_t lastPos = 0;
    };

    win::LResult WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam);
    void OnScroll(int bar, win::Hwnd window, win::WParam wParam);
    void OnWheel(win::WParam wParam, win::LParam lParam);

    const win::ScrollInfo& Query(int bar, std::uint32_t mask);
    std::int32_t Min(int bar) { return Query(bar, SIF_RANGE).nMin; }
    std::int32_t Max(int bar) { return Query(bar, SIF_RANGE).nMax; }
    std::int32_t LargeChange(int bar) { return static_cast<std::int32_t>(Query(bar, SIF_PAGE).nPage); }
    std::int32_t Value(int bar) { return Query(bar, SIF_POS).nPos; }
    void SetVisible(int bar, Bool16 value);
    void SetMin(int bar, std::int32_t value);
    void SetMax(int bar, std::int32_t value);
    void SetLargeChange(int bar, std::int32_t value);
    void SetValue(int bar, std::int32_t value);
    void ScrollTo(int bar, std::int32_t position);
    void Apply(int bar);  // pushes RequestInfo to the bar (ApplyH / ApplyV)
    void ShowBar(int bar, Bool16 show);
    void UnSubClass();
    // Operations that push to the window hold this while the window may run other code (and
    // its owner drop the last reference) before they are done with the object.
    Ref<CScrollBars> KeepAlive() { return Ref<CScrollBars>::Retain(this); }

    BarState& State(int bar) { return bars_[bar == SB_HORZ ? 0 : 1]; }
    const BarState& State(int bar) const { return bars_[bar == SB_HORZ ? 0 : 1]; }

    WindowHook hook_;
    BarState bars_[2];  // SB_HORZ, SB_VERT
    Bool16 wheelSupport_;
    win::ScrollInfo requestInfo_;
    win::ScrollInfo queryInfo_;
};

}  // namespace brennick
