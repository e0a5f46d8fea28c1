#include <brennick/CScrollBars.h>

#include <algorithm>
#include <limits>
#include <utility>

#include <brennick/MSupport.h>
#include <brennick/Saturating.h>
#include <brennick/modSubclassScrollBars.h>

#include "controls/hook/HookLink.h"
#include "platform/Boundary.h"
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick {
namespace {

static_assert(SB_HORZ == 0 && SB_VERT == 1, "a bar's selector indexes the controller's arrays");
constexpr int kGlideSteps = 4;  // a glide's steps: the first at once, the others on the timer

}  // namespace

const detail::HookKind CScrollBars::kHookKind{kPropertyName, &modSubclassScrollBars::ScrollBarsWndProc, &Serve,
                                              &Destroy};

// Every wheel message that raises an event is consumed, whatever its handler says.
CScrollBars::CScrollBars() : HookedComponent(kHookKind, true) {}

// Runs on the window's thread once the window is unhooked (or gone): the timers go too, and a
// pan's capture.
CScrollBars::~CScrollBars() { EndGlides(), EndPointer(); }

// --- owner-facing properties: each names its bar and runs on the window's thread ---

Bool16 CScrollBars::HVisible() {
    return OnWindowThread([&] { return bars_[SB_HORZ].visible; });
}
void CScrollBars::HVisible(Bool16 value) {
    OnWindowThread([&] { SetVisible(SB_HORZ, value); });
}
std::int32_t CScrollBars::HMin() {
    return OnWindowThread([&] { return Query(SB_HORZ, SIF_RANGE).nMin; });
}
void CScrollBars::HMin(std::int32_t value) {
    OnWindowThread([&] { SetMin(SB_HORZ, value); });
}
std::int32_t CScrollBars::HMax() {
    return OnWindowThread([&] { return Query(SB_HORZ, SIF_RANGE).nMax; });
}
void CScrollBars::HMax(std::int32_t value) {
    OnWindowThread([&] { SetMax(SB_HORZ, value); });
}
std::int32_t CScrollBars::HLargeChange() {
    return OnWindowThread([&] { return LargeChange(SB_HORZ); });
}
void CScrollBars::HLargeChange(std::int32_t value) {
    OnWindowThread([&] { SetLargeChange(SB_HORZ, value); });
}
std::int32_t CScrollBars::HValue() {
    return OnWindowThread([&] { return Query(SB_HORZ, SIF_POS).nPos; });
}
void CScrollBars::HValue(std::int32_t value) {
    OnWindowThread([&] { SetValue(SB_HORZ, value); });
}
void CScrollBars::HScrollTo(std::int32_t position) {
    OnWindowThread([&] { ScrollTo(SB_HORZ, position); });
}
std::int32_t CScrollBars::HSmallChange() {
    return OnWindowThread([&] { return bars_[SB_HORZ].smallChange; });
}
void CScrollBars::HSmallChange(std::int32_t value) {
    OnWindowThread([&] { bars_[SB_HORZ].smallChange = value; });
}
Bool16 CScrollBars::HDisableNoScroll() {
    return OnWindowThread([&] { return bars_[SB_HORZ].disableNoScroll; });
}
void CScrollBars::HDisableNoScroll(Bool16 value) {
    OnWindowThread([&] { bars_[SB_HORZ].disableNoScroll = value; });
}
void CScrollBars::WheelSupport(Bool16 value) {
    OnWindowThread([&] { wheels_.enabled[SB_VERT] = value; });
}

Bool16 CScrollBars::VVisible() {
    return OnWindowThread([&] { return bars_[SB_VERT].visible; });
}
void CScrollBars::VVisible(Bool16 value) {
    OnWindowThread([&] { SetVisible(SB_VERT, value); });
}
std::int32_t CScrollBars::VMin() {
    return OnWindowThread([&] { return Query(SB_VERT, SIF_RANGE).nMin; });
}
void CScrollBars::VMin(std::int32_t value) {
    OnWindowThread([&] { SetMin(SB_VERT, value); });
}
std::int32_t CScrollBars::VMax() {
    return OnWindowThread([&] { return Query(SB_VERT, SIF_RANGE).nMax; });
}
void CScrollBars::VMax(std::int32_t value) {
    OnWindowThread([&] { SetMax(SB_VERT, value); });
}
std::int32_t CScrollBars::VLargeChange() {
    return OnWindowThread([&] { return LargeChange(SB_VERT); });
}
void CScrollBars::VLargeChange(std::int32_t value) {
    OnWindowThread([&] { SetLargeChange(SB_VERT, value); });
}
std::int32_t CScrollBars::VValue() {
    return OnWindowThread([&] { return Query(SB_VERT, SIF_POS).nPos; });
}
void CScrollBars::VValue(std::int32_t value) {
    OnWindowThread([&] { SetValue(SB_VERT, value); });
}
void CScrollBars::VScrollTo(std::int32_t position) {
    OnWindowThread([&] { ScrollTo(SB_VERT, position); });
}
std::int32_t CScrollBars::VSmallChange() {
    return OnWindowThread([&] { return bars_[SB_VERT].smallChange; });
}
void CScrollBars::VSmallChange(std::int32_t value) {
    OnWindowThread([&] { bars_[SB_VERT].smallChange = value; });
}
Bool16 CScrollBars::VDisableNoScroll() {
    return OnWindowThread([&] { return bars_[SB_VERT].disableNoScroll; });
}
void CScrollBars::VDisableNoScroll(Bool16 value) {
    OnWindowThread([&] { bars_[SB_VERT].disableNoScroll = value; });
}

Bool16 CScrollBars::KeyboardSupport() {
    return OnWindowThread([&] { return keyboard_; });
}
void CScrollBars::KeyboardSupport(Bool16 value) {
    OnWindowThread([&] { keyboard_ = value; });
}
std::int32_t CScrollBars::SmoothScroll() {
    return OnWindowThread([&] { return smoothMs_; });
}
void CScrollBars::SmoothScroll(std::int32_t milliseconds) {
    OnWindowThread([&] { smoothMs_ = milliseconds; });
}
void CScrollBars::HScrollBy(std::int32_t amount) {
    OnWindowThread([&] { Step(SB_HORZ, amount, false); });
}
void CScrollBars::VScrollBy(std::int32_t amount) {
    OnWindowThread([&] { Step(SB_VERT, amount, false); });
}
std::int32_t CScrollBars::HLastPos() const { return bars_[SB_HORZ].lastPos; }
std::int32_t CScrollBars::VLastPos() const { return bars_[SB_VERT].lastPos; }

// --- talking to the window's bars ---

// Deliberately unchecked: a failed query leaves the fields it did not fill at 0.
win::ScrollInfo CScrollBars::Query(int bar, std::uint32_t mask) {
    win::ScrollInfo info;
    info.fMask = mask;
    win::GetScrollInfo(QueryTarget(), bar, info);
    return info;
}

// The page is unsigned; a page of 2^31 or more (a range that wide) counts as the largest step.
std::int32_t CScrollBars::LargeChange(int bar) {
    constexpr std::uint32_t largest = std::numeric_limits<std::int32_t>::max();
    const std::uint32_t page = Query(bar, SIF_PAGE).nPage;
    return static_cast<std::int32_t>(page < largest ? page : largest);
}

void CScrollBars::SetVisible(int bar, Bool16 value) {
    if (value == bars_[bar].visible) return;
    bars_[bar].visible = value;
    ShowBar(bar, value);
}

void CScrollBars::SetMin(int bar, std::int32_t value) {
    EndGlide(bar);
    win::ScrollInfo request;
    request.fMask = SIF_RANGE;
    request.nMin = value;
    request.nMax = Query(bar, SIF_RANGE).nMax;
    Apply(bar, request);
}

void CScrollBars::SetMax(int bar, std::int32_t value) {
    EndGlide(bar);
    win::ScrollInfo request;
    request.fMask = SIF_RANGE;
    request.nMin = Query(bar, SIF_RANGE).nMin;
    request.nMax = value;
    Apply(bar, request);
}

void CScrollBars::SetLargeChange(int bar, std::int32_t value) {
    EndGlide(bar);
    win::ScrollInfo request;
    request.fMask = SIF_PAGE;
    request.nPage = static_cast<std::uint32_t>(value);
    Apply(bar, request);
}

void CScrollBars::SetValue(int bar, std::int32_t value) {
    EndGlide(bar);
    PushPosition(bar, value);
}

void CScrollBars::PushPosition(int bar, std::int32_t value) {
    win::ScrollInfo request;
    request.fMask = SIF_POS;
    request.nPos = value;
    Apply(bar, request);
}

// Where the window puts position: within min .. max - page + 1 (min .. max without a page).
std::int32_t CScrollBars::Reachable(int bar, std::int32_t position) {
    const win::ScrollInfo info = Query(bar, SIF_RANGE | SIF_PAGE);
    const std::int64_t last = std::int64_t{info.nMax} - std::max<std::int64_t>(std::int64_t{info.nPage} - 1, 0);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(position, info.nMin, std::max<std::int64_t>(last, info.nMin)));
}

void CScrollBars::ScrollTo(int bar, std::int32_t position) {
    SetValue(bar, position);
    const std::int32_t reported = Query(bar, SIF_POS).nPos;
    (bar == SB_HORZ ? HScroll : VScroll).Raise(reported);
}

// A window that is not provably the hooked one (its handle may name another window by now) gets
// nothing: the push goes to handle 0, as for a controller never attached.
void CScrollBars::Apply(int bar, win::ScrollInfo request) {
    if (bars_[bar].disableNoScroll.IsNonZero()) request.fMask |= SIF_DISABLENOSCROLL;
    bars_[bar].lastPos = win::SetScrollInfo(PushTarget(), bar, request, true);
}

void CScrollBars::ShowBar(int bar, Bool16 show) {
    // Result deliberately unused.
    win::ShowScrollBar(PushTarget(), bar, show.IsTrue());
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
        EndGlides(), EndPointer();  // the window's timers go with it
        return std::nullopt;
    default:
        return OnPointer(window, message, wParam, lParam);
    }
}

void CScrollBars::OnScroll(int bar, win::Hwnd window, win::WParam wParam) {
    const int code = MSupport::LoWord(static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam)));
    std::int32_t requested = 0;
    bool thumb = false;
    switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_PAGEUP:
    case SB_PAGEDOWN: {
        const bool line = code == SB_LINEUP || code == SB_LINEDOWN;
        Step(bar, line ? bars_[bar].smallChange : LargeChange(bar), code == SB_LINEUP || code == SB_PAGEUP);
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
        requested = Query(bar, SIF_RANGE).nMin;
        break;
    case SB_BOTTOM:
        requested = Query(bar, SIF_RANGE).nMax;
        break;
    default:
        return;  // SB_ENDSCROLL and unknown codes: consumed, nothing else
    }
    SetValue(bar, requested);
    const std::int32_t position = bars_[bar].lastPos;
    if (thumb) {
        (bar == SB_HORZ ? HScroll : VScroll).Raise(position);
    } else {
        (bar == SB_HORZ ? HChange : VChange).Raise(position);
    }
}

// While the keyboard switch is on, a key that scrolls acts as its scroll code on its bar, once per
// message (each auto-repeat one too); Left and Right only while the horizontal bar is shown.
std::optional<win::LResult> CScrollBars::OnKey(win::Hwnd window, win::WParam key) {
    struct KeyCode {
        unsigned int key;
        int bar, code;
    };
    static constexpr KeyCode kKeys[] = {
        {VK_UP, SB_VERT, SB_LINEUP},     {VK_DOWN, SB_VERT, SB_LINEDOWN},   {VK_PRIOR, SB_VERT, SB_PAGEUP},
        {VK_NEXT, SB_VERT, SB_PAGEDOWN}, {VK_HOME, SB_VERT, SB_TOP},        {VK_END, SB_VERT, SB_BOTTOM},
        {VK_LEFT, SB_HORZ, SB_LINELEFT}, {VK_RIGHT, SB_HORZ, SB_LINERIGHT},
    };
    if (key == VK_ESCAPE && pointer_.state != Pan::None && pointer_.state != Pan::EndingClick) return EndPan(), 0;
    if (!keyboard_.IsNonZero()) return std::nullopt;
    for (const KeyCode& k : kKeys) {
        if (k.key != key || (k.bar == SB_HORZ && !bars_[SB_HORZ].visible.IsTrue())) continue;
        OnScroll(k.bar, window, static_cast<win::WParam>(k.code));
        return 0;
    }
    return std::nullopt;
}

// --- steps and glides ---

// A line, page or ScrollBy step from where the bar is going: at once, or the first step of a glide.
void CScrollBars::Step(int bar, std::int32_t amount, bool back) {
    Glide& glide = glides_[bar];
    const std::int32_t base = glide.active ? glide.target : Query(bar, SIF_POS).nPos;
    const std::int32_t requested = back ? SatSub(base, amount) : SatAdd(base, amount);
    const win::Hwnd window = smoothMs_ > 0 ? PushTarget() : nullptr;
    if (window == nullptr) {
        SetValue(bar, requested);
        (bar == SB_HORZ ? HChange : VChange).Raise(bars_[bar].lastPos);
        return;
    }
    glide = Glide{true, glide.active ? Query(bar, SIF_POS).nPos : base, Reachable(bar, requested), requested, 0};
    StartTimer(kGlideTimer, window, static_cast<unsigned int>(std::max(smoothMs_ / kGlideSteps, 1)));
    if (timerWindows_[kGlideTimer] == nullptr) glide.step = kGlideSteps - 1;  // no timer: straight to the last step
    AdvanceGlide(bar);
}

// The glide's next step; the last one pushes the position asked for, so it lands where the step
// without a glide would.
void CScrollBars::AdvanceGlide(int bar) {
    Glide& glide = glides_[bar];
    const bool last = ++glide.step >= kGlideSteps;
    const std::int64_t span = std::int64_t{glide.target} - glide.from;
    const std::int32_t position =
        last ? glide.requested : static_cast<std::int32_t>(glide.from + span * glide.step / kGlideSteps);
    if (last) EndGlide(bar);
    PushPosition(bar, position);
    (bar == SB_HORZ ? HChange : VChange).Raise(bars_[bar].lastPos);
}

// The timer goes with the last glide.
void CScrollBars::EndGlide(int bar) {
    glides_[bar].active = false;
    if (!glides_[SB_HORZ].active && !glides_[SB_VERT].active) StopTimer(kGlideTimer);
}

void CScrollBars::EndGlides() {
    EndGlide(SB_HORZ);
    EndGlide(SB_VERT);
}

// A timer's id is this controller's address plus its number, and its procedure takes its WM_TIMER.
void CScrollBars::StartTimer(Timer timer, win::Hwnd window, unsigned int milliseconds) {
    const std::uintptr_t id = reinterpret_cast<std::uintptr_t>(this) + static_cast<std::uintptr_t>(timer);
    if (timerWindows_[timer] == nullptr && win::SetTimer(window, id, milliseconds, &TimerProc) != 0) {
        timerWindows_[timer] = window;
    }
}

void CScrollBars::StopTimer(Timer timer) {
    if (timerWindows_[timer] == nullptr) return;
    win::KillTimer(std::exchange(timerWindows_[timer], nullptr),
                   reinterpret_cast<std::uintptr_t>(this) + static_cast<std::uintptr_t>(timer));
}

// DispatchMessage hands the timers' WM_TIMER here, never to the window. A timer whose controller is
// gone, or that it no longer runs, ends.
void BRENNICK_CALLBACK CScrollBars::TimerProc(win::Hwnd window, unsigned int /*message*/, std::uintptr_t id,
                                              unsigned long /*time*/) noexcept {
    platform::AtBoundary([&] {
        const Ref<CScrollBars> bars = modSubclassScrollBars::ScrollBarsFromWindow(window);
        const std::uintptr_t timer = bars ? id - reinterpret_cast<std::uintptr_t>(bars.Get()) : std::uintptr_t{kTimers};
        if (timer >= kTimers || bars->timerWindows_[timer] != window) {
            win::KillTimer(window, id);
        } else if (timer == kGlideTimer) {
            for (const int bar : {SB_HORZ, SB_VERT}) {
                if (bars->glides_[bar].active) bars->AdvanceGlide(bar);
            }
        } else {
            timer == kPanTimer ? bars->OnPanTimer() : bars->OnEdgeTimer();
        }
    });
}

}  // namespace brennick
