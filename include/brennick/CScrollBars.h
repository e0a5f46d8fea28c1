/// @file
/// CScrollBars, the scroll-bar controller: working horizontal and vertical scroll bars for any
/// window, from the window's own built-in bars.
#pragma once

#include <brennick/detail/Cxx20.h>

#include <cstdint>
#include <optional>

#include <brennick/HookedComponent.h>
#include <brennick/Win32Types.h>
#include <brennick/Bool16.h>
#include <brennick/Event.h>
#include <brennick/Ref.h>

/// Everything of the Brennick library: the components CScrollBars and cSubClassWheel, their
/// window procedures and lookups, the support routines and the types they share.
namespace brennick {

/// The scroll-bar controller: gives one window working horizontal and vertical scroll bars by
/// driving the window's own built-in bars (no scroll-bar controls), turns the window's scroll and
/// wheel messages into new positions and reports them as events.
///
/// Create one with `MakeRef<CScrollBars>()`, hook a window with SubClass(), configure each bar
/// (Visible and DisableNoScroll first, then Min, Max, LargeChange, SmallChange and Value), connect
/// handlers to the events. The window's bar is the only store of range, page and position: their
/// getters ask the window (`GetScrollInfo`), their setters push to it (`SetScrollInfo` with
/// redraw); the controller keeps only what the window has no place for (the Visible and
/// DisableNoScroll flags, the line steps, the wheel, keyboard and smooth-scrolling options). No
/// setter validates its value and none raises an event. The keyboard and smooth-scrolling
/// options are off by default.
///
/// Units: positions, ranges, pages and line steps are 32-bit signed values in the bar's own
/// units, whichever the owner chooses (rows, pixels, ...); the window limits a position to
/// `min .. max - page + 1`. Booleans are Bool16: HVisible and VVisible show a bar only for
/// exactly -1 (kTrue); every other flag takes any non-zero value as true.
///
/// Threads: the window's thread runs everything. Operations may be called on any thread: while
/// the controller hooks a window they run on that window's thread, by a synchronous private
/// message (so that thread must be pumping messages, as for `SendMessage`), and events are
/// raised there, synchronously, inside the window procedure. Handlers must not throw: the window
/// procedure is `noexcept`, so an escaping exception ends the program.
///
/// Lifetime: the controller lives as long as a Ref to it; when the last one goes (on any thread,
/// even inside one of its own events, where it ends once the message returns) it unhooks its
/// window. If the window is destroyed first, the controller lets go of it by itself.
///
/// @warning A handler that captures a Ref to this controller makes a reference cycle: the
/// controller's event owns the handler, so the controller is never destroyed and its window
/// stays hooked after the owner's last reset. Capture a raw pointer (`bars.Get()`: the handler
/// cannot outlive the controller that owns it) or the window handle, looked up with
/// modSubclassScrollBars::ScrollBarsFromWindow() when the handler runs, or call
/// Event::DisconnectAll() on the events before dropping the last Ref.
class CScrollBars final : public HookedComponent<std::int32_t> {
public:
    /// The window property that marks a hooked window: set by SubClass() to this controller's
    /// address (an uncounted reference) and removed when the controller lets go of the window.
    static constexpr const char* kPropertyName = "nvStdScroll";

    /// Runs once the window is unhooked: when the last Ref goes on the window's thread (or with no
    /// window) at once; when it goes on another thread, on the window's thread after the unhook,
    /// which that thread does at its next message. The previous procedure is back (or, below
    /// someone else's procedure, the controller's link passes messages on until it can leave) and
    /// "nvStdScroll" is gone. Raises nothing.
    ~CScrollBars() override;  // runs once the window is unhooked (LastReferenceGone)
    CScrollBars(const CScrollBars&) = delete;
    CScrollBars& operator=(const CScrollBars&) = delete;

    /// @name Events
    /// Raised synchronously on the window's thread, in the order the handlers were connected; a
    /// handler may call back into the controller, which may raise further events first.
    //@{
    /// `WM_HSCROLL` line, page or end: `SB_LINELEFT` and `SB_LINERIGHT` move by HSmallChange(),
    /// `SB_PAGELEFT` and `SB_PAGERIGHT` by HLargeChange() (sums stop at the 32-bit limits),
    /// `SB_LEFT` and `SB_RIGHT` go to HMin() and HMax(). The position is pushed as HValue() is and
    /// the event carries `nCurPos`, the position the window accepted (HLastPos()), also when it
    /// did not change. The message is consumed (result 0); `SB_ENDSCROLL` and unknown codes are
    /// consumed without an event. Also raised by the keys (KeyboardSupport()), by HScrollBy() and
    /// by each step of a glide (SmoothScroll()).
    Event<std::int32_t> HChange;  // WM_HSCROLL line, page or end
    /// `WM_HSCROLL` thumb (`SB_THUMBTRACK`, `SB_THUMBPOSITION`): the bar goes to the full 32-bit
    /// track position (`SIF_TRACKPOS`), and the event carries `nCurPos`, the position the window
    /// accepted. Also raised by HScrollTo(). The message is consumed (result 0).
    Event<std::int32_t> HScroll;  // WM_HSCROLL thumb, and HScrollTo
    /// As HChange, for `WM_VSCROLL` and the vertical bar (`SB_LINEUP`, `SB_LINEDOWN`,
    /// `SB_PAGEUP`, `SB_PAGEDOWN`, `SB_TOP`, `SB_BOTTOM`).
    Event<std::int32_t> VChange;  // WM_VSCROLL line, page or end
    /// As HScroll, for `WM_VSCROLL` thumb and VScrollTo().
    Event<std::int32_t> VScroll;  // WM_VSCROLL thumb, and VScrollTo
    //@}

    /// @name Horizontal bar
    /// The hooked window's `SB_HORZ` bar. Range, page and position are read from the bar
    /// (`GetScrollInfo`) and pushed to it (`SetScrollInfo` with redraw, plus
    /// `SIF_DISABLENOSCROLL` while HDisableNoScroll() is non-zero); the other properties live in
    /// the controller. Without a hooked window the pushes go nowhere, and a getter whose query the
    /// window does not answer returns 0. No setter validates or raises an event.
    //@{
    /// Whether the owner wants the bar shown: the value last set (false at first), not what the
    /// window shows.
    Bool16 HVisible();  // what the owner last set
    /// When value differs from the stored one, stores it and calls `ShowScrollBar`: shows the bar
    /// for exactly -1 (kTrue) and hides it for any other value. An unchanged value makes no call.
    void HVisible(Bool16 value);  // on change: ShowScrollBar, showing for exactly -1
    /// The low end of the range: `nMin` as the window reports it (`SIF_RANGE`).
    std::int32_t HMin();  // GetScrollInfo(SIF_RANGE).nMin
    /// Pushes the range with `nMin` = value and `nMax` as the window reports it now, so the other
    /// end stays; an inverted range goes to the window as it is. HLastPos() takes the position the
    /// window returns.
    void HMin(std::int32_t value);  // SetScrollInfo(SIF_RANGE) with the window's current max
    /// The high end of the range: `nMax` as the window reports it (`SIF_RANGE`).
    std::int32_t HMax();  // GetScrollInfo(SIF_RANGE).nMax
    /// Pushes the range with `nMax` = value and `nMin` as the window reports it now; otherwise as
    /// the HMin() setter.
    void HMax(std::int32_t value);  // SetScrollInfo(SIF_RANGE) with the window's current min
    /// The page: `nPage` as the window reports it (`SIF_PAGE`), at most `INT32_MAX`. The step of
    /// `SB_PAGELEFT` and `SB_PAGERIGHT`, and the size of the thumb.
    std::int32_t HLargeChange();  // GetScrollInfo(SIF_PAGE).nPage, at most INT32_MAX
    /// Pushes the page (`SIF_PAGE`, `nPage` = value). HLastPos() takes the position the window
    /// returns.
    void HLargeChange(std::int32_t value);  // SetScrollInfo(SIF_PAGE)
    /// The position: `nPos` as the window reports it (`SIF_POS`).
    std::int32_t HValue();  // GetScrollInfo(SIF_POS).nPos
    /// Pushes the position (`SIF_POS`, `nPos` = value); the window limits it to its range, and
    /// HLastPos() takes the position the window returns. Raises no event: see HScrollTo().
    void HValue(std::int32_t value);  // SetScrollInfo(SIF_POS); raises nothing
    /// Sets HValue() to position, reads the position back from the window and raises HScroll
    /// with it: on every call, also when the position did not change.
    void HScrollTo(std::int32_t position);  // sets HValue, reads it back, raises HScroll
    /// The line step of `SB_LINELEFT` and `SB_LINERIGHT`, kept in the controller (0 at first).
    std::int32_t HSmallChange();  // line step, kept here
    /// Sets the line step; nothing goes to the window.
    void HSmallChange(std::int32_t value);
    /// Whether an unneeded bar (its range fits in the page) is disabled rather than hidden: the
    /// value last set (false at first).
    Bool16 HDisableNoScroll();  // disable rather than hide an unneeded bar (any non-zero
    /// Any non-zero value adds `SIF_DISABLENOSCROLL` to every push of the bar from the next one
    /// on; nothing goes to the window now. Set it before the range, page and position.
    void HDisableNoScroll(Bool16 value);  // value), from the next push of the bar on
    //@}

    /// @name Wheel switch
    //@{
    /// Any non-zero value: each `WM_MOUSEWHEEL` raises WheelRotate and is consumed; 0 (the
    /// default): it goes on to the previous procedure unchanged. No getter; touches no window.
    void WheelSupport(Bool16 value);  // any non-zero value: raise WheelRotate for wheel messages
    //@}

    /// @name Keyboard switch
    //@{
    /// Whether keys scroll the bars: the value last set (false at first).
    Bool16 KeyboardSupport();
    /// Any non-zero value: each `WM_KEYDOWN` of a scrolling key is handled as the scroll message
    /// a click on the bar sends, raising the same event with the position the window accepted,
    /// and is consumed (result 0): Up and Down a line (VSmallChange()), Page Up and Page Down a
    /// page (VLargeChange()), Home and End (with or without Ctrl) the top and the bottom; Left and
    /// Right a line of the horizontal bar (HSmallChange()) while HVisible() is -1. Each message,
    /// each auto-repeat one too, steps once. Every other key, and every key while the switch is 0
    /// (the default), goes on to the previous procedure unchanged. Touches no window.
    void KeyboardSupport(Bool16 value);
    //@}

    /// @name Smooth scrolling
    //@{
    /// The glide's duration in milliseconds: the value last set (0 at first: off).
    std::int32_t SmoothScroll();
    /// A positive value: line and page steps (scroll messages and keys) and HScrollBy() and
    /// VScrollBy() glide to their target in four steps over about that many milliseconds, driven by
    /// a timer on the hooked window: the first step at once, each step pushing the position and
    /// raising HChange or VChange with the position the window accepted; positions move steadily
    /// toward the target and the last one lands exactly where the step would have landed without
    /// the glide. A step during a glide continues from the glide's target, so quick steps add up.
    /// Thumb drags, the ends (`SB_TOP`, `SB_BOTTOM`, Home, End), the ScrollTo methods and the range,
    /// page and position setters stay immediate and end the bar's glide. The timer's id is this
    /// controller's address and its procedure takes the `WM_TIMER` messages, which never reach the
    /// window; it is gone once a glide ends, the controller ends or the window is destroyed. 0 or
    /// less (the default): every step is immediate. Touches no window.
    void SmoothScroll(std::int32_t milliseconds);
    /// Moves the horizontal bar by amount (sums stop at the 32-bit limits) from where it is going:
    /// the glide's target while it glides, else its position; pushes the position (gliding while
    /// SmoothScroll() is on) and raises HChange with the position the window accepted. For a
    /// wheel handler: fast turns add up during a glide.
    void HScrollBy(std::int32_t amount);
    /// As HScrollBy(), for the vertical bar and VChange.
    void VScrollBy(std::int32_t amount);
    //@}

    /// @name Pointer switches
    /// Off by default: while a switch is off, the messages it concerns reach the window unchanged.
    /// Each one's timer has an identifier of this controller's own and a procedure of its own, so
    /// its `WM_TIMER` never reaches the window; it is gone once its work ends, and when the
    /// controller ends or the window is destroyed. Setting a switch touches no window.
    //@{
    /// Whether the wheel scrolls the bars by itself: the value last set (false at first).
    Bool16 WheelScroll();
    /// Any non-zero value: a `WM_MOUSEWHEEL` moves the vertical bar by the system's lines per notch
    /// (`SPI_GETWHEELSCROLLLINES`) times VSmallChange(), or by a page (VLargeChange()) a notch where
    /// the setting is a page a notch; a `WM_MOUSEHWHEEL` moves the horizontal bar by the characters
    /// per tilt notch (`SPI_GETWHEELSCROLLCHARS`) times HSmallChange(), and with Shift held the
    /// vertical wheel does the same. Parts of a notch add up from message to message (a turn the
    /// other way starts afresh); each step glides while SmoothScroll() is on and raises HChange or
    /// VChange. WheelRotate or HWheelRotate, when switched on, is raised first, and a handler that
    /// sets `ret_Wheeled` takes the message over: nothing scrolls. The message is consumed. The
    /// settings are read when the switch goes on and at each `WM_SETTINGCHANGE` the window gets
    /// (a child window gets it only where its parent passes it on).
    void WheelScroll(Bool16 value);
    /// Whether the middle button pans the window: the value last set (false at first).
    Bool16 PanSupport();
    /// Any non-zero value: a middle-button press over the window starts a pan around that point.
    /// While the pointer is more than a few pixels (the dead zone) from it, a timer scrolls both
    /// bars toward the pointer, the faster the further it is, each step that moves a bar raising
    /// HChange or VChange. Released where it was pressed (a click), the button leaves the pan going until
    /// any button is pressed, the wheel turns, Esc is pressed, the window loses the mouse capture
    /// or the focus; released after a drag, it ends the pan at once. The window holds the capture
    /// and shows the four-headed arrow while it pans, and does not see the middle-button messages
    /// that start or end a pan, nor an Esc that ends one; every other message reaches it.
    void PanSupport(Bool16 value);
    /// Whether a drag beyond an edge scrolls: the value last set (false at first).
    Bool16 EdgeScroll();
    /// Any non-zero value: while the window holds the mouse capture (a selection drag, say) and
    /// the pointer is beyond an edge of its client area or within a few pixels inside it, a timer
    /// scrolls that way, on both bars, the faster the further out the pointer is, each step that
    /// moves a bar raising HChange or VChange; it stops when the pointer comes back or the capture ends. The mouse
    /// messages still reach the window unchanged.
    void EdgeScroll(Bool16 value);
    //@}

    /// @name Vertical bar
    /// The hooked window's `SB_VERT` bar: the same operations as the horizontal ones.
    //@{
    /// As HVisible(), for the vertical bar.
    Bool16 VVisible();
    /// As HVisible(Bool16), for the vertical bar: `ShowScrollBar` with `SB_VERT`.
    void VVisible(Bool16 value);
    /// As HMin(), for the vertical bar.
    std::int32_t VMin();
    /// As HMin(std::int32_t), for the vertical bar; VLastPos() takes the result.
    void VMin(std::int32_t value);
    /// As HMax(), for the vertical bar.
    std::int32_t VMax();
    /// As HMax(std::int32_t), for the vertical bar; VLastPos() takes the result.
    void VMax(std::int32_t value);
    /// As HLargeChange(), for the vertical bar: the step of `SB_PAGEUP` and `SB_PAGEDOWN`.
    std::int32_t VLargeChange();
    /// As HLargeChange(std::int32_t), for the vertical bar.
    void VLargeChange(std::int32_t value);
    /// As HValue(), for the vertical bar.
    std::int32_t VValue();
    /// As HValue(std::int32_t), for the vertical bar; raises no event.
    void VValue(std::int32_t value);
    /// As HScrollTo(), for the vertical bar: raises VScroll on every call.
    void VScrollTo(std::int32_t position);
    /// As HSmallChange(), for the vertical bar: the step of `SB_LINEUP` and `SB_LINEDOWN`.
    std::int32_t VSmallChange();
    /// As HSmallChange(std::int32_t), for the vertical bar.
    void VSmallChange(std::int32_t value);
    /// As HDisableNoScroll(), for the vertical bar.
    Bool16 VDisableNoScroll();
    /// As HDisableNoScroll(Bool16), for the vertical bar.
    void VDisableNoScroll(Bool16 value);
    //@}

    /// @name State, for inspection
    /// None of these touches the window or waits for its thread.
    //@{
    /// What `SetScrollInfo` returned at the latest push of the horizontal bar (0 at first): the
    /// position the window accepted, and the `nCurPos` of HChange and HScroll raised for a
    /// message. Read without going to the window's thread: call it there (in a handler, say).
    std::int32_t HLastPos() const;
    /// As HLastPos(), for the vertical bar and VChange and VScroll.
    std::int32_t VLastPos() const;
    //@}

private:
    template <class T, class... Args>
    friend Ref<T> MakeRef(Args&&... args);
    friend struct detail::SharedProcedure<CScrollBars>;
    static const detail::HookKind kHookKind;

    CScrollBars();  // created by MakeRef only

    // What the controller keeps of one bar; range, page and position stay in the window.
    struct BarState {
        Bool16 visible;
        Bool16 disableNoScroll;
        std::int32_t smallChange = 0;
        std::int32_t lastPos = 0;
    };
    // A glide of one bar: from where, to which reachable target, the position asked for, steps done.
    struct Glide {
        bool active = false;
        std::int32_t from = 0, target = 0, requested = 0;
        int step = 0;
    };

    // The controller's timers: a glide's steps, a pan's and an edge scroll's; each has its own id.
    enum Timer { kGlideTimer, kPanTimer, kEdgeTimer, kTimers };
    // A pan: none, the middle button held, going on after a click, or its ending click's button-up
    // still to come.
    enum class Pan : std::uint8_t { None, Held, Clicked, EndingClick };
    struct Point {
        std::int32_t x = 0, y = 0;
    };
    // What the pointer switches keep.
    struct Pointer {
        Bool16 wheelScroll, pan, edge;
        std::int32_t lines = 0, chars = 0;  // the system's wheel settings, as last read
        std::int32_t parts[2] = {};         // what each bar's wheel left short of a unit, times a notch (120)
        Pan state = Pan::None;
        bool dragged = false;  // moved beyond the dead zone since the pan began
        Point start, at;       // where the pan began, where the pointer is (client coordinates)
    };

    std::optional<win::LResult> WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                           win::LParam lParam) override;
    bool WheelTurned(int bar, win::WParam wParam, bool takenOver) override;
    void OnScroll(int bar, win::Hwnd window, win::WParam wParam);
    std::optional<win::LResult> OnKey(win::Hwnd window, win::WParam key);
    void Step(int bar, std::int32_t amount, bool back);
    void AdvanceGlide(int bar);
    void EndGlide(int bar);
    void EndGlides();

    // PointerScrolling.cpp
    std::optional<win::LResult> OnPointer(win::Hwnd window, unsigned int message, win::WParam wParam,
                                          win::LParam lParam);
    std::optional<win::LResult> OnMiddleButton(win::Hwnd window, bool down, win::LParam lParam);
    void OnMouseMove(win::Hwnd window, win::LParam lParam);
    void ReadWheelSettings();
    void EndPan();
    void OnPanTimer();
    void OnEdgeTimer();
    Point BeyondEdges(win::Hwnd window) const;
    void Nudge(int bar, std::int32_t distance);  // scrolls toward a pointer distance pixels beyond its mark
    void EndPointer();                           // ends a pan and an edge scroll

    void StartTimer(Timer timer, win::Hwnd window, unsigned int milliseconds);
    void StopTimer(Timer timer);
    static void BRENNICK_CALLBACK TimerProc(win::Hwnd window, unsigned int message, std::uintptr_t id,
                                            unsigned long time) noexcept;

    win::ScrollInfo Query(int bar, std::uint32_t mask);
    std::int32_t LargeChange(int bar);
    void SetVisible(int bar, Bool16 value);
    void SetMin(int bar, std::int32_t value);
    void SetMax(int bar, std::int32_t value);
    void SetLargeChange(int bar, std::int32_t value);
    void SetValue(int bar, std::int32_t value);  // ends the bar's glide
    void PushPosition(int bar, std::int32_t value);
    std::int32_t Reachable(int bar, std::int32_t position);
    void ScrollTo(int bar, std::int32_t position);
    void Apply(int bar, win::ScrollInfo request);  // pushes a request to the bar (ApplyH / ApplyV)
    void ShowBar(int bar, Bool16 show);

    // Each bar by its selector, SB_HORZ (0) or SB_VERT (1), the one name of a bar here.
    BarState bars_[2];
    Glide glides_[2];
    Bool16 keyboard_;            // KeyboardSupport
    std::int32_t smoothMs_ = 0;  // SmoothScroll
    Pointer pointer_;
    win::Hwnd timerWindows_[kTimers] = {};  // where each timer runs; null while it does not
};

}  // namespace brennick
