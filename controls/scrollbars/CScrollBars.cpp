#include "controls/scrollbars/CScrollBars.h"

#include "controls/scrollbars/modSubclassScrollBars.h"
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"
#include "support/MSupport.h"
#include "support/Saturating.h"
#include "support/WheelMessage.h"

namespace brennick {

const HookKind CScrollBars::kHookKind{kPropertyName, &modSubclassScrollBars::ScrollBarsWndProc,
                                      HookFieldOrder::PrevThenTarget, &HookedWindow<CScrollBars>::HookOf};

CScrollBars::CScrollBars() = default;

CScrollBars::~CScrollBars() { UnSubClass(); }

void CScrollBars::SubClass(win::Hwnd window) {
    hook_.Attach(window, kHookKind, this);
}

void CScrollBars::UnSubClass() { hook_.Detach(kHookKind, this); }

// --- owner-facing properties: each names its bar and delegates; those that push to the window
// keep the controller alive until they are done ---

Bool16 CScrollBars::HVisible() const { return State(SB_HORZ).visible; }
void CScrollBars::HVisible(Bool16 value) {
    const auto self = KeepAlive();
    SetVisible(SB_HORZ, value);
}
std::int32_t CScrollBars::HMin() { return Min(SB_HORZ); }
void CScrollBars::HMin(std::int32_t value) {
    const auto self = KeepAlive();
    SetMin(SB_HORZ, value);
}
std::int32_t CScrollBars::HMax() { return Max(SB_HORZ); }
void CScrollBars::HMax(std::int32_t value) {
    const auto self = KeepAlive();
    SetMax(SB_HORZ, value);
}
std::int32_t CScrollBars::HLargeChange() { return LargeChange(SB_HORZ); }
void CScrollBars::HLargeChange(std::int32_t value) {
    const auto self = KeepAlive();
    SetLargeChange(SB_HORZ, value);
}
std::int32_t CScrollBars::HValue() { return Value(SB_HORZ); }
void CScrollBars::HValue(std::int32_t value) {
    const auto self = KeepAlive();
    SetValue(SB_HORZ, value);
}
void CScrollBars::HScrollTo(std::int32_t position) {
    const auto self = KeepAlive();
    ScrollTo(SB_HORZ, position);
}
std::int32_t CScrollBars::HSmallChange() const { return State(SB_HORZ).smallChange; }
void CScrollBars::HSmallChange(std::int32_t value) { State(SB_HORZ).smallChange = value; }
Bool16 CScrollBars::HDisableNoScroll() const { return State(SB_HORZ).disableNoScroll; }
void CScrollBars::HDisableNoScroll(Bool16 value) { State(SB_HORZ).disableNoScroll = value; }
void CScrollBars::WheelSupport(Bool16 value) { wheelSupport_ = value; }

Bool16 CScrollBars::VVisible() const { return State(SB_VERT).visible; }
void CScrollBars::VVisible(Bool16 value) {
    const auto self = KeepAlive();
    SetVisible(SB_VERT, value);
}
std::int32_t CScrollBars::VMin() { return Min(SB_VERT); }
void CScrollBars::VMin(std::int32_t value) {
    const auto self = KeepAlive();
    SetMin(SB_VERT, value);
}
std::int32_t CScrollBars::VMax() { return Max(SB_VERT); }
void CScrollBars::VMax(std::int32_t value) {
    const auto self = KeepAlive();
    SetMax(SB_VERT, value);
}
std::int32_t CScrollBars::VLargeChange() { return LargeChange(SB_VERT); }
void CScrollBars::VLargeChange(std::int32_t value) {
    const auto self = KeepAlive();
    SetLargeChange(SB_VERT, value);
}
std::int32_t CScrollBars::VValue() { return Value(SB_VERT); }
void CScrollBars::VValue(std::int32_t value) {
    const auto self = KeepAlive();
    SetValue(SB_VERT, value);
}
void CScrollBars::VScrollTo(std::int32_t position) {
    const auto self = KeepAlive();
    ScrollTo(SB_VERT, position);
}
std::int32_t CScrollBars::VSmallChange() const { return State(SB_VERT).smallChange; }
void CScrollBars::VSmallChange(std::int32_t value) { State(SB_VERT).smallChange = value; }
Bool16 CScrollBars::VDisableNoScroll() const { return State(SB_VERT).disableNoScroll; }
void CScrollBars::VDisableNoScroll(Bool16 value) { State(SB_VERT).disableNoScroll = value; }

// --- talking to the window's bars ---

const win::ScrollInfo& CScrollBars::Query(int bar, std::uint32_t mask) {
    queryInfo_.fMask = mask;
    // Deliberately unchecked: a failed query leaves the record as the previous one left it.
    win::GetScrollInfo(hook_.TargetWnd(), bar, queryInfo_);
    return queryInfo_;
}

void CScrollBars::SetVisible(int bar, Bool16 value) {
    BarState& state = State(bar);
    if (value == state.visible) return;
    state.visible = value;
    ShowBar(bar, value);
}

void CScrollBars::SetMin(int bar, std::int32_t value) {
    requestInfo_.fMask = SIF_RANGE;
    requestInfo_.nMin = value;
    requestInfo_.nMax = Max(bar);
    Apply(bar);
}

void CScrollBars::SetMax(int bar, std::int32_t value) {
    requestInfo_.fMask = SIF_RANGE;
    requestInfo_.nMin = Min(bar);
    requestInfo_.nMax = value;
    Apply(bar);
}

void CScrollBars::SetLargeChange(int bar, std::int32_t value) {
    requestInfo_.fMask = SIF_PAGE;
    requestInfo_.nPage = static_cast<std::uint32_t>(value);
    Apply(bar);
}

void CScrollBars::SetValue(int bar, std::int32_t value) {
    requestInfo_.fMask = SIF_POS;
    requestInfo_.nPos = value;
    Apply(bar);
}

void CScrollBars::ScrollTo(int bar, std::int32_t position) {
    SetValue(bar, position);
    const std::int32_t reported = Value(bar);
    (bar == SB_HORZ ? HScroll : VScroll).Raise(reported);
}

void CScrollBars::Apply(int bar) {
    BarState& state = State(bar);
    if (state.disableNoScroll.IsNonZero()) requestInfo_.fMask |= SIF_DISABLENOSCROLL;
    state.lastPos = win::SetScrollInfo(hook_.TargetWnd(), bar, requestInfo_, true);
}

void CScrollBars::ShowBar(int bar, Bool16 show) {
    win::ShowScrollBar(hook_.TargetWnd(), bar, show.IsTrue());  // result deliberately unused
}

// --- messages of the hooked window ---

win::LResult CScrollBars::WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                     win::LParam lParam) {
    switch (message) {
    case WM_HSCROLL:
        OnScroll(SB_HORZ, window, wParam);
        return 0;
    case WM_VSCROLL:
        OnScroll(SB_VERT, window, wParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (!wheelSupport_.IsNonZero()) break;
        OnWheel(wParam, lParam);
        return 0;
    default:
        break;
    }
    return hook_.Forward(window, message, wParam, lParam);
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
        const std::int32_t value = Value(bar);  // read before the step
        const bool line = code == SB_LINEUP || code == SB_LINEDOWN;
        const std::int32_t step = line ? State(bar).smallChange : LargeChange(bar);
        requested = code == SB_LINEUP || code == SB_PAGEUP ? SatSub(value, step) : SatAdd(value, step);
        break;
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
    const std::int32_t position = State(bar).lastPos;
    if (thumb) {
        (horizontal ? HScroll : VScroll).Raise(position);
    } else {
        (horizontal ? HChange : VChange).Raise(position);
    }
}

void CScrollBars::OnWheel(win::WParam wParam, win::LParam lParam) {
    const WheelMessage wheel = DecodeWheel(wParam, lParam);
    Bool16 wheeled = kFalse;
    WheelRotate.Raise(wheel.Delta, wheel.Shift, wheel.X, wheel.Y, wheeled);
    // The message is consumed whatever the handler wrote into wheeled.
}

}  // namespace brennick
