#include <brennick/CScrollBars.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "controls/hook/HookTable.h"
#include <brennick/modSubclassScrollBars.h>
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"
#include <brennick/MSupport.h>
#include <brennick/Saturating.h>
#include "support/WheelMessage.h"

namespace brennick {
namespace {

constexpr int kGlideSteps = 4;  // a glide's steps: the first at once, the others on the timer

}  // namespace

const detail::HookKind CScrollBars::kHookKind{kPropertyName, &modSubclassScrollBars::ScrollBarsWndProc,
                                              detail::HookedWindow<CScrollBars>::kHandle,
                                              &detail::HookedWindow<CScrollBars>::HookOf,
                                              &detail::HookedWindow<CScrollBars>::Destroy};

CScrollBars::CScrollBars() = default;

// Runs on the window's thread once the window is unhooked (or gone): the glide's timer goes too.
CScrollBars::~CScrollBars() { EndGlides(); }

void CScrollBars::LastReferenceGone() noexcept { hook_.Release(kHookKind, *this); }

void CScrollBars::SubClass(win::WindowHandle window) {
    hook_.OnWindowThread(*this, [&] { hook_.Attach(window, kHookKind, *this); });
}

int CScrollBars::Index(int bar) { return bar == SB_HORZ ? 0 : 1; }

// --- owner-facing properties: each names its bar and runs on the window's thread ---

Bool16 CScrollBars::HVisible() { return hook_.OnWindowThread(*this, [&] { return bars_[0].visible; }); }
void CScrollBars::HVisible(Bool16 value) { hook_.OnWindowThread(*this, [&] { SetVisible(SB_HORZ, value); }); }
std::int32_t CScrollBars::HMin() { return hook_.OnWindowThread(*this, [&] { return Min(SB_HORZ); }); }
void CScrollBars::HMin(std::int32_t value) { hook_.OnWindowThread(*this, [&] { SetMin(SB_HORZ, value); }); }
std::int32_t CScrollBars::HMax() { return hook_.OnWindowThread(*this, [&] { return Max(SB_HORZ); }); }
void CScrollBars::HMax(std::int32_t value) { hook_.OnWindowThread(*this, [&] { SetMax(SB_HORZ, value); }); }
std::int32_t CScrollBars::HLargeChange() { return hook_.OnWindowThread(*this, [&] { return LargeChange(SB_HORZ); }); }
void CScrollBars::HLargeChange(std::int32_t value) { hook_.OnWindowThread(*this, [&] { SetLargeChange(SB_HORZ, value); }); }
std::int32_t CScrollBars::HValue() { return hook_.OnWindowThread(*this, [&] { return Value(SB_HORZ); }); }
void CScrollBars::HValue(std::int32_t value) { hook_.OnWindowThread(*this, [&] { SetValue(SB_HORZ, value); }); }
void CScrollBars::HScrollTo(std::int32_t position) { hook_.OnWindowThread(*this, [&] { ScrollTo(SB_HORZ, position); }); }
std::int32_t CScrollBars::HSmallChange() { return hook_.OnWindowThread(*this, [&] { return bars_[0].smallChange; }); }
void CScrollBars::HSmallChange(std::int32_t value) { hook_.OnWindowThread(*this, [&] { bars_[0].smallChange = value; }); }
Bool16 CScrollBars::HDisableNoScroll() { return hook_.OnWindowThread(*this, [&] { return bars_[0].disableNoScroll; }); }
void CScrollBars::HDisableNoScroll(Bool16 value) { hook_.OnWindowThread(*this, [&] { bars_[0].disableNoScroll = value; }); }
void CScrollBars::WheelSupport(Bool16 value) { hook_.OnWindowThread(*this, [&] { wheels_.enabled[1] = value; }); }

Bool16 CScrollBars::VVisible() { return hook_.OnWindowThread(*this, [&] { return bars_[1].visible; }); }
void CScrollBars::VVisible(Bool16 value) { hook_.OnWindowThread(*this, [&] { SetVisible(SB_VERT, value); }); }
std::int32_t CScrollBars::VMin() { return hook_.OnWindowThread(*this, [&] { return Min(SB_VERT); }); }
void CScrollBars::VMin(std::int32_t value) { hook_.OnWindowThread(*this, [&] { SetMin(SB_VERT, value); }); }
std::int32_t CScrollBars::VMax() { return hook_.OnWindowThread(*this, [&] { return Max(SB_VERT); }); }
void CScrollBars::VMax(std::int32_t value) { hook_.OnWindowThread(*this, [&] { SetMax(SB_VERT, value); }); }
std::int32_t CScrollBars::VLargeChange() { return hook_.OnWindowThread(*this, [&] { return LargeChange(SB_VERT); }); }
void CScrollBars::VLargeChange(std::int32_t value) { hook_.OnWindowThread(*this, [&] { SetLargeChange(SB_VERT, value); }); }
std::int32_t CScrollBars::VValue() { return hook_.OnWindowThread(*this, [&] { return Value(SB_VERT); }); }
void CScrollBars::VValue(std::int32_t value) { hook_.OnWindowThread(*this, [&] { SetValue(SB_VERT, value); }); }
void CScrollBars::VScrollTo(std::int32_t position) { hook_.OnWindowThread(*this, [&] { ScrollTo(SB_VERT, position); }); }
std::int32_t CScrollBars::VSmallChange() { return hook_.OnWindowThread(*this, [&] { return bars_[1].smallChange; }); }
void CScrollBars::VSmallChange(std::int32_t value) { hook_.OnWindowThread(*this, [&] { bars_[1].smallChange = value; }); }
Bool16 CScrollBars::VDisableNoScroll() { return hook_.OnWindowThread(*this, [&] { return bars_[1].disableNoScroll; }); }
void CScrollBars::VDisableNoScroll(Bool16 value) { hook_.OnWindowThread(*this, [&] { bars_[1].disableNoScroll = value; }); }

Bool16 CScrollBars::HWheelSupport() { return hook_.OnWindowThread(*this, [&] { return wheels_.enabled[0]; }); }
void CScrollBars::HWheelSupport(Bool16 value) { hook_.OnWindowThread(*this, [&] { wheels_.enabled[0] = value; }); }
Bool16 CScrollBars::WheelCarry() { return hook_.OnWindowThread(*this, [&] { return wheels_.carry; }); }
void CScrollBars::WheelCarry(Bool16 value) { hook_.OnWindowThread(*this, [&] { wheels_.SetCarry(value); }); }
Bool16 CScrollBars::KeyboardSupport() { return hook_.OnWindowThread(*this, [&] { return keyboard_; }); }
void CScrollBars::KeyboardSupport(Bool16 value) { hook_.OnWindowThread(*this, [&] { keyboard_ = value; }); }
std::int32_t CScrollBars::SmoothScroll() { return hook_.OnWindowThread(*this, [&] { return smoothMs_; }); }
void CScrollBars::SmoothScroll(std::int32_t milliseconds) { hook_.OnWindowThread(*this, [&] { smoothMs_ = milliseconds; }); }
void CScrollBars::HScrollBy(std::int32_t amount) { hook_.OnWindowThread(*this, [&] { Step(SB_HORZ, amount, false); }); }
void CScrollBars::VScrollBy(std::int32_t amount) { hook_.OnWindowThread(*this, [&] { Step(SB_VERT, amount, false); }); }
std::int32_t CScrollBars::RawDelta() { return hook_.OnWindowThread(*this, [&] { return wheels_.raw; }); }

// --- talking to the window's bars ---

const win::ScrollInfo& CScrollBars::Query(int bar, std::uint32_t mask) {
    queryInfo_.fMask = mask;
    // Deliberately unchecked: a failed query leaves the record as the previous one left it.
    win::GetScrollInfo(hook_.TargetWnd(), bar, queryInfo_);
    return queryInfo_;
}

std::int32_t CScrollBars::Min(int bar) { return Query(bar, SIF_RANGE).nMin; }
std::int32_t CScrollBars::Max(int bar) { return Query(bar, SIF_RANGE).nMax; }
std::int32_t CScrollBars::Value(int bar) { return Query(bar, SIF_POS).nPos; }

// The page is unsigned; a page of 2^31 or more (a range that wide) counts as the largest step.
std::int32_t CScrollBars::LargeChange(int bar) {
    constexpr std::uint32_t largest = std::numeric_limits<std::int32_t>::max();
    const std::uint32_t page = Query(bar, SIF_PAGE).nPage;
    return static_cast<std::int32_t>(page < largest ? page : largest);
}

void CScrollBars::SetVisible(int bar, Bool16 value) {
    BarState& state = bars_[Index(bar)];
    if (value == state.visible) return;
    state.visible = value;
    ShowBar(bar, value);
}

void CScrollBars::SetMin(int bar, std::int32_t value) {
    EndGlide(bar);
    requestInfo_.fMask = SIF_RANGE;
    requestInfo_.nMin = value;
    requestInfo_.nMax = Max(bar);
    Apply(bar);
}

void CScrollBars::SetMax(int bar, std::int32_t value) {
    EndGlide(bar);
    requestInfo_.fMask = SIF_RANGE;
    requestInfo_.nMin = Min(bar);
    requestInfo_.nMax = value;
    Apply(bar);
}

void CScrollBars::SetLargeChange(int bar, std::int32_t value) {
    EndGlide(bar);
    requestInfo_.fMask = SIF_PAGE;
    requestInfo_.nPage = static_cast<std::uint32_t>(value);
    Apply(bar);
}

void CScrollBars::SetValue(int bar, std::int32_t value) {
    EndGlide(bar);
    PushPosition(bar, value);
}

void CScrollBars::PushPosition(int bar, std::int32_t value) {
    requestInfo_.fMask = SIF_POS;
    requestInfo_.nPos = value;
    Apply(bar);
}

// Where the window puts position: within min .. max - page + 1 (min .. max without a page).
std::int32_t CScrollBars::Reachable(int bar, std::int32_t position) {
    const win::ScrollInfo& info = Query(bar, SIF_RANGE | SIF_PAGE);
    const std::int64_t last = std::int64_t{info.nMax} - std::max<std::int64_t>(std::int64_t{info.nPage} - 1, 0);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, info.nMin, std::max<std::int64_t>(last, info.nMin)));
}

void CScrollBars::ScrollTo(int bar, std::int32_t position) {
    SetValue(bar, position);
    const std::int32_t reported = Value(bar);
    (bar == SB_HORZ ? HScroll : VScroll).Raise(reported);
}

// A window that no longer carries this controller's property (its handle may name another
// window by now) gets nothing: the push goes to handle 0, as for a controller never attached.
void CScrollBars::Apply(int bar) {
    BarState& state = bars_[Index(bar)];
    if (state.disableNoScroll.IsNonZero()) requestInfo_.fMask |= SIF_DISABLENOSCROLL;
    state.lastPos = win::SetScrollInfo(hook_.PushTarget(kHookKind, *this), bar, requestInfo_, true);
}

void CScrollBars::ShowBar(int bar, Bool16 show) {
    // Result deliberately unused.
    win::ShowScrollBar(hook_.PushTarget(kHookKind, *this), bar, show.IsTrue());
}

// --- messages of the hooked window ---

std::optional<win::LResult> CScrollBars::WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                    win::LParam lParam) {
    switch (message) {
    case WM_HSCROLL:
        OnScroll(SB_HORZ, window, wParam);
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, window, wParam);
        return 0;
    case WM_KEYDOWN:
        return OnKey(window, wParam);
    case WM_DESTROY:
        EndGlides();  // the window's timers go with it
        return std::nullopt;
    case WM_MOUSEHWHEEL:
        if (!wheels_.enabled[0].IsNonZero()) return std::nullopt;
        OnWheel(SB_HORZ, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (!wheels_.enabled[1].IsNonZero()) return std::nullopt;
        OnWheel(SB_VERT, wParam, lParam);
        return 0;
    default:
        return std::nullopt;
    }
}

void CScrollBars::OnScroll(int bar, win::Hwnd window, win::WParam wParam) {
    const int code = MSupport::LoWord(static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam)));
    const bool horizontal = bar == SB_HORZ;
    std::int32_t requested = 0;
    bool thumb = false;
    switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_PAGEUP:
    case SB_PAGEDOWN: {
        const bool line = code == SB_LINEUP || code == SB_LINEDOWN;
        Step(bar, line ? bars_[Index(bar)].smallChange : LargeChange(bar), code == SB_LINEUP || code == SB_PAGEUP);
        return;
    }
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        win::ScrollInfo track;
        track.fMask = SIF_TRACKPOS;
        win::GetScrollInfo(window, bar, track);  // a failed query leaves 0
        requested = track.nTrackPos;
        thumb = true;
        break;
    }
    case SB_TOP:
        requested = Min(bar);
        break;
    case SB_BOTTOM:
        requested = Max(bar);
        break;
    default:
        return;  // SB_ENDSCROLL and unknown codes: consumed, nothing else
    }
    SetValue(bar, requested);
    const std::int32_t position = bars_[Index(bar)].lastPos;
    if (thumb) {
        (horizontal ? HScroll : VScroll).Raise(position);
    } else {
        (horizontal ? HChange : VChange).Raise(position);
    }
}

// While the keyboard switch is on, a key that scrolls acts as its scroll code on its bar, once per
// message (each auto-repeat one too); Left and Right only while the horizontal bar is shown.
std::optional<win::LResult> CScrollBars::OnKey(win::Hwnd window, win::WParam key) {
    struct KeyCode { unsigned int key; int bar, code; };
    static constexpr KeyCode kKeys[] = {
        {VK_UP, SB_VERT, SB_LINEUP}, {VK_DOWN, SB_VERT, SB_LINEDOWN}, {VK_PRIOR, SB_VERT, SB_PAGEUP},
        {VK_NEXT, SB_VERT, SB_PAGEDOWN}, {VK_HOME, SB_VERT, SB_TOP}, {VK_END, SB_VERT, SB_BOTTOM},
        {VK_LEFT, SB_HORZ, SB_LINELEFT}, {VK_RIGHT, SB_HORZ, SB_LINERIGHT},
    };
    if (!keyboard_.IsNonZero()) return std::nullopt;
    for (const KeyCode& k : kKeys) {
        if (k.key != key || (k.bar == SB_HORZ && !bars_[0].visible.IsTrue())) continue;
        OnScroll(k.bar, window, static_cast<win::WParam>(k.code));
        return 0;
    }
    return std::nullopt;
}

// --- steps and glides ---

// A line, page or ScrollBy step from where the bar is going: at once, or the first step of a glide.
void CScrollBars::Step(int bar, std::int32_t amount, bool back) {
    Glide& glide = glides_[Index(bar)];
    const std::int32_t base = glide.active ? glide.target : Value(bar);
    const std::int32_t requested = back ? SatSub(base, amount) : SatAdd(base, amount);
    const win::Hwnd window = smoothMs_ > 0 ? hook_.PushTarget(kHookKind, *this) : nullptr;
    if (window == nullptr) {
        SetValue(bar, requested);
        (bar == SB_HORZ ? HChange : VChange).Raise(bars_[Index(bar)].lastPos);
        return;
    }
    glide = Glide{true, glide.active ? Value(bar) : base, Reachable(bar, requested), requested, 0};
    const auto interval = static_cast<unsigned int>(std::max(smoothMs_ / kGlideSteps, 1));
    if (timerWindow_ == nullptr && win::SetTimer(window, reinterpret_cast<std::uintptr_t>(this), interval, &GlideTimerProc) != 0) {
        timerWindow_ = window;
    }
    if (timerWindow_ == nullptr) glide.step = kGlideSteps - 1;  // no timer: straight to the last step
    AdvanceGlide(bar);
}

// The glide's next step; the last one pushes the position asked for, so it lands where the step
// without a glide would.
void CScrollBars::AdvanceGlide(int bar) {
    Glide& glide = glides_[Index(bar)];
    const bool last = ++glide.step >= kGlideSteps;
    const std::int64_t span = std::int64_t{glide.target} - glide.from;
    const std::int32_t position = last ? glide.requested : static_cast<std::int32_t>(glide.from + span * glide.step / kGlideSteps);
    if (last) EndGlide(bar);
    PushPosition(bar, position);
    (bar == SB_HORZ ? HChange : VChange).Raise(bars_[Index(bar)].lastPos);
}

void CScrollBars::OnGlideTimer() {
    for (const int bar : {SB_HORZ, SB_VERT}) {
        if (glides_[Index(bar)].active) AdvanceGlide(bar);
    }
}

// The timer goes with the last glide.
void CScrollBars::EndGlide(int bar) {
    glides_[Index(bar)].active = false;
    if (glides_[0].active || glides_[1].active || timerWindow_ == nullptr) return;
    win::KillTimer(std::exchange(timerWindow_, nullptr), reinterpret_cast<std::uintptr_t>(this));
}

void CScrollBars::EndGlides() {
    EndGlide(SB_HORZ);
    EndGlide(SB_VERT);
}

// DispatchMessage hands the glide timer's WM_TIMER here, never to the window. A timer whose
// controller is gone, or glides no more, ends.
void BRENNICK_CALLBACK CScrollBars::GlideTimerProc(win::Hwnd window, unsigned int /*message*/, std::uintptr_t id,
                                                   unsigned long /*time*/) noexcept {
    const Ref<CScrollBars> bars = modSubclassScrollBars::ScrollBarsFromWindow(window);
    if (bars && reinterpret_cast<std::uintptr_t>(bars.Get()) == id && bars->timerWindow_ == window) {
        bars->OnGlideTimer();
    } else {
        win::KillTimer(window, id);
    }
}

// The message is consumed whatever the handler writes into wheeled.
void CScrollBars::OnWheel(int bar, win::WParam wParam, win::LParam lParam) {
    const bool horizontal = bar == SB_HORZ;
    const WheelMessage wheel = DecodeWheel(wheels_, horizontal, wParam, lParam);
    Bool16 wheeled = kFalse;
    (horizontal ? HWheelRotate : WheelRotate).Raise(wheel.Delta, wheel.Shift, wheel.X, wheel.Y, wheeled);
}

}  // namespace brennick
