// CScrollBars gives a window working horizontal and vertical scroll bars by driving the window's
// own built-in bars. The window's bar is the only store of range, page and position: getters ask
// the window, setters push to it. Scroll and wheel messages of the hooked window become new
// positions and events.
//
// Units: positions, ranges and steps are the bar's own units (32-bit signed). Booleans are Bool16
// (true = -1, false = 0). Events are raised synchronously, on the window's thread, to the
// connected handlers, which must not throw. Operations may be called on any thread: while the
// controller hooks a window they run on that window's thread.
#pragma once

#include <cstdint>
#include <optional>

#include <brennick/detail/WindowHook.h>
#include <brennick/Win32Types.h>
#include <brennick/Bool16.h>
#include <brennick/Event.h>
#include <brennick/Ref.h>

namespace brennick {

namespace detail {
template <class T>
struct HookedWindow;
}  // namespace detail

class CScrollBars final : public RefCounted {
public:
    static constexpr const char* kPropertyName = "nvStdScroll";

    ~CScrollBars() override;  // runs once the window is unhooked (LastReferenceGone)

    // Events, with the position the bar holds after the change.
    Event<std::int32_t> HChange;  // WM_HSCROLL line, page or end
    Event<std::int32_t> HScroll;  // WM_HSCROLL thumb, and HScrollTo
    Event<std::int32_t> VChange;  // WM_VSCROLL line, page or end
    Event<std::int32_t> VScroll;  // WM_VSCROLL thumb, and VScrollTo
    // WM_MOUSEWHEEL while WheelSupport is on: notches (positive toward the user), key state,
    // pointer in screen coordinates. The message is consumed whatever ret_Wheeled becomes.
    Event<std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&> WheelRotate;
    // WM_MOUSEHWHEEL while HWheelSupport is on: notches positive to the right (a tilt or swipe
    // to the right; the opposite sense to WheelRotate's), otherwise as WheelRotate.
    Event<std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&> HWheelRotate;

    // Hooks window: stores this controller's address in the window's "nvStdScroll" property and
    // replaces its window procedure, so its scroll and wheel messages reach this controller from
    // now on. Refused (nothing changes) for a handle that names no window, a window of another
    // thread, a window that already carries a controller, and while this controller serves a
    // window that still exists. Raises nothing.
    void SubClass(win::WindowHandle window);

    // Horizontal bar (SB_HORZ of the hooked window). Range, page and position are read from the bar
    // and pushed to it with redraw (plus SIF_DISABLENOSCROLL while HDisableNoScroll is set); the
    // other properties live in the controller. No setter raises an event.
    Bool16 HVisible();                    // what the owner last set
    void HVisible(Bool16 value);          // on change: ShowScrollBar, showing for exactly -1
    std::int32_t HMin();                  // GetScrollInfo(SIF_RANGE).nMin
    void HMin(std::int32_t value);        // SetScrollInfo(SIF_RANGE) with the window's current max
    std::int32_t HMax();                  // GetScrollInfo(SIF_RANGE).nMax
    void HMax(std::int32_t value);        // SetScrollInfo(SIF_RANGE) with the window's current min
    std::int32_t HLargeChange();          // GetScrollInfo(SIF_PAGE).nPage, at most INT32_MAX
    void HLargeChange(std::int32_t value);  // SetScrollInfo(SIF_PAGE)
    std::int32_t HValue();                // GetScrollInfo(SIF_POS).nPos
    void HValue(std::int32_t value);      // SetScrollInfo(SIF_POS); raises nothing
    void HScrollTo(std::int32_t position);  // sets HValue, reads it back, raises HScroll
    std::int32_t HSmallChange();          // line step, kept here
    void HSmallChange(std::int32_t value);
    Bool16 HDisableNoScroll();            // disable rather than hide an unneeded bar (any non-zero
    void HDisableNoScroll(Bool16 value);  // value), from the next push of the bar on
    void WheelSupport(Bool16 value);      // any non-zero value: raise WheelRotate for wheel messages

    // Vertical bar (SB_VERT), the same operations as the horizontal ones.
    Bool16 VVisible();
    void VVisible(Bool16 value);
    std::int32_t VMin();
    void VMin(std::int32_t value);
    std::int32_t VMax();
    void VMax(std::int32_t value);
    std::int32_t VLargeChange();
    void VLargeChange(std::int32_t value);
    std::int32_t VValue();
    void VValue(std::int32_t value);
    void VScrollTo(std::int32_t position);
    std::int32_t VSmallChange();
    void VSmallChange(std::int32_t value);
    Bool16 VDisableNoScroll();
    void VDisableNoScroll(Bool16 value);

    // Wheel options, off by default. HWheelSupport (any non-zero value): raise HWheelRotate for
    // WM_MOUSEHWHEEL (otherwise it goes on to the window unchanged). WheelCarry (any non-zero
    // value): a message's amount joins what earlier messages left short of a notch, so that
    // touchpads and high-resolution wheels, which send parts of a notch, add up to whole notches.
    Bool16 HWheelSupport();
    void HWheelSupport(Bool16 value);
    Bool16 WheelCarry();
    void WheelCarry(Bool16 value);
    // The amount of the wheel message being reported, in the event's sense, 120 a notch; for an
    // owner that scrolls by parts of a notch (lines = RawDelta() * lines per notch / 120).
    std::int32_t RawDelta();

    // State, for inspection; none of these touches the window.
    win::WndProc PrevWndProc() const { return hook_.PrevWndProc(); }
    win::Hwnd TargetWnd() const { return hook_.TargetWnd(); }
    std::int32_t HLastPos() const { return bars_[0].lastPos; }  // what SetScrollInfo last returned
    std::int32_t VLastPos() const { return bars_[1].lastPos; }

private:
    friend struct detail::HookedWindow<CScrollBars>;
    template <class T, class... Args>
    friend Ref<T> MakeRef(Args&&... args);

    static const detail::HookKind kHookKind;

    CScrollBars();  // created by MakeRef only
    // Unhooks the window and frees this, on the window's thread; never waits for that thread.
    void LastReferenceGone() noexcept override;

    // What the controller keeps of one bar; range, page and position stay in the window.
    struct BarState {
        Bool16 visible;
        Bool16 disableNoScroll;
        std::int32_t smallChange = 0;
        std::int32_t lastPos = 0;
    };
    // What the controller keeps of one wheel.
    struct WheelState {
        Bool16 enabled;
        std::int32_t carried = 0;  // parts of a notch, while WheelCarry is on
    };

    std::optional<win::LResult> WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                           win::LParam lParam);
    void OnScroll(int bar, win::Hwnd window, win::WParam wParam);
    void OnWheel(int bar, win::WParam wParam, win::LParam lParam);

    const win::ScrollInfo& Query(int bar, std::uint32_t mask);
    std::int32_t Min(int bar);
    std::int32_t Max(int bar);
    std::int32_t LargeChange(int bar);
    std::int32_t Value(int bar);
    void SetVisible(int bar, Bool16 value);
    void SetMin(int bar, std::int32_t value);
    void SetMax(int bar, std::int32_t value);
    void SetLargeChange(int bar, std::int32_t value);
    void SetValue(int bar, std::int32_t value);
    void ScrollTo(int bar, std::int32_t position);
    void Apply(int bar);  // pushes RequestInfo to the bar (ApplyH / ApplyV)
    void ShowBar(int bar, Bool16 show);
    void UnSubClass();

    static int Index(int bar);  // 0 for SB_HORZ, 1 for SB_VERT

    detail::WindowHook hook_;
    BarState bars_[2];      // SB_HORZ, SB_VERT
    WheelState wheels_[2];  // WM_MOUSEHWHEEL, WM_MOUSEWHEEL (the latter is WheelSupport)
    Bool16 wheelCarry_;
    std::int32_t rawDelta_ = 0;
    win::ScrollInfo requestInfo_;
    win::ScrollInfo queryInfo_;
};

}  // namespace brennick
