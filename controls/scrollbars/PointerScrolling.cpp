// CScrollBars' pointer switches: the wheel that scrolls by itself, the middle-button pan and the
// scrolling at the edge of a drag.
#include <brennick/CScrollBars.h>

#include <algorithm>
#include <cstdlib>

#include <brennick/MSupport.h>
#include <brennick/Saturating.h>

#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick {
namespace {

constexpr std::int32_t kDeadZone = 8;                  // pixels around a pan's start point that scroll nothing
constexpr std::int32_t kEdgeMargin = 8;                // pixels inside an edge that already scroll toward it
constexpr std::int32_t kPixelsPerStep = 16;            // each this many pixels further adds a line a tick
constexpr unsigned int kPanTick = 20, kEdgeTick = 40;  // milliseconds

// A mouse message's point, in the window's client coordinates (signed: a captured pointer may be
// left of or above the window).
std::int32_t Coordinate(win::LParam lParam, bool y) {
    const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(lParam));
    return y ? MSupport::HiWord(bits) : MSupport::LoWord(bits);
}

// How far position lies beyond low .. high: negative below, positive above, 0 within.
std::int32_t Beyond(std::int32_t position, std::int32_t low, std::int32_t high) {
    return position < low ? position - low : position > high ? position - high : 0;
}

}  // namespace

Bool16 CScrollBars::WheelScroll() {
    return OnWindowThread([&] { return pointer_.wheelScroll; });
}
Bool16 CScrollBars::PanSupport() {
    return OnWindowThread([&] { return pointer_.pan; });
}
Bool16 CScrollBars::EdgeScroll() {
    return OnWindowThread([&] { return pointer_.edge; });
}

void CScrollBars::WheelScroll(Bool16 value) {
    OnWindowThread([&] {
        pointer_.wheelScroll = value;
        if (value.IsNonZero()) ReadWheelSettings();
    });
}

void CScrollBars::PanSupport(Bool16 value) {
    OnWindowThread([&] {
        pointer_.pan = value;
        if (!value.IsNonZero()) EndPan();
    });
}

void CScrollBars::EdgeScroll(Bool16 value) {
    OnWindowThread([&] {
        pointer_.edge = value;
        if (!value.IsNonZero()) StopTimer(kEdgeTimer);
    });
}

void CScrollBars::ReadWheelSettings() {
    pointer_.lines = MSupport::GetWheelScrollLines();
    pointer_.chars = MSupport::GetWheelScrollChars();
}

std::optional<win::LResult> CScrollBars::OnPointer(win::Hwnd window, unsigned int message, win::WParam /*wParam*/,
                                                   win::LParam lParam) {
    switch (message) {
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return OnMiddleButton(window, message == WM_MBUTTONDOWN, lParam);
    case WM_MOUSEMOVE:
        OnMouseMove(window, lParam);
        return std::nullopt;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_KILLFOCUS:
        EndPan();
        return std::nullopt;
    case WM_CAPTURECHANGED:
        EndPointer();
        return std::nullopt;
    case WM_SETCURSOR:  // the pan's cursor stays while it pans
        if (pointer_.state != Pan::Held && pointer_.state != Pan::Clicked) return std::nullopt;
        win::SetCursor(win::LoadSystemCursor(kSizeAllCursor));
        return 1;
    case WM_SETTINGCHANGE:
        if (pointer_.wheelScroll.IsNonZero()) ReadWheelSettings();
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// The wheel ends a pan; with the wheel switch on, a message nobody took moves its bar by the
// system's setting, what falls short of a unit waiting for the next message.
bool CScrollBars::WheelTurned(int bar, win::WParam wParam, bool takenOver) {
    EndPan();
    if (takenOver || !pointer_.wheelScroll.IsNonZero()) return false;
    const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(wParam));
    const std::int32_t raw = (bar == SB_VERT ? -1 : 1) * MSupport::HiWord(bits);  // down and right are positive
    const int target = bar == SB_VERT && (MSupport::LoWord(bits) & MK_SHIFT) != 0 ? SB_HORZ : bar;
    const std::int32_t setting = target == SB_VERT ? pointer_.lines : pointer_.chars;
    const std::int32_t notch =
        setting == WHEEL_PAGESCROLL ? LargeChange(target) : SatMul(setting, bars_[target].smallChange);
    std::int32_t& parts = pointer_.parts[target];
    if ((parts < 0 && raw > 0) || (parts > 0 && raw < 0)) parts = 0;  // a turn the other way starts afresh
    const std::int64_t total = parts + std::int64_t{raw} * notch;
    parts = static_cast<std::int32_t>(total % WHEEL_DELTA);
    const std::int64_t units = std::clamp<std::int64_t>(total / WHEEL_DELTA, INT32_MIN, INT32_MAX);
    if (units != 0) Step(target, static_cast<std::int32_t>(units), false);
    return true;
}

// A press starts a pan; a release where it was pressed leaves it going, one after a drag ends it;
// the next press ends a pan that goes on, and its release is the pan's too.
std::optional<win::LResult> CScrollBars::OnMiddleButton(win::Hwnd window, bool down, win::LParam lParam) {
    Pointer& p = pointer_;
    if (!down) {
        if (p.state == Pan::Held && !p.dragged) return p.state = Pan::Clicked, 0;
        if (p.state == Pan::Held) return EndPan(), 0;
        if (p.state == Pan::EndingClick) return p.state = Pan::None, 0;
        return std::nullopt;
    }
    if (p.state == Pan::Clicked) return EndPan(), p.state = Pan::EndingClick, 0;
    if (!p.pan.IsNonZero()) return std::nullopt;
    StartTimer(kPanTimer, window, kPanTick);
    if (timerWindows_[kPanTimer] == nullptr) return std::nullopt;  // no timer, no pan
    p.start = p.at = Point{Coordinate(lParam, false), Coordinate(lParam, true)};
    p.state = Pan::Held, p.dragged = false;
    win::SetCapture(window);
    win::SetCursor(win::LoadSystemCursor(kSizeAllCursor));
    return 0;
}

void CScrollBars::OnMouseMove(win::Hwnd window, win::LParam lParam) {
    Pointer& p = pointer_;
    p.at = Point{Coordinate(lParam, false), Coordinate(lParam, true)};
    const bool away = std::abs(p.at.x - p.start.x) > kDeadZone || std::abs(p.at.y - p.start.y) > kDeadZone;
    if (p.state == Pan::Held && away) p.dragged = true;
    if (!p.edge.IsNonZero() || (p.state != Pan::None && p.state != Pan::EndingClick)) return;
    const Point beyond = BeyondEdges(window);
    if (beyond.x != 0 || beyond.y != 0) return StartTimer(kEdgeTimer, window, kEdgeTick);
    StopTimer(kEdgeTimer);
}

void CScrollBars::OnPanTimer() {
    const Pointer& p = pointer_;
    Nudge(SB_HORZ, Beyond(p.at.x - p.start.x, -kDeadZone, kDeadZone));
    Nudge(SB_VERT, Beyond(p.at.y - p.start.y, -kDeadZone, kDeadZone));
}

// How far the pointer lies beyond the window's client area less the margin, while the window holds
// the capture; nothing otherwise.
CScrollBars::Point CScrollBars::BeyondEdges(win::Hwnd window) const {
    win::Rect client{};
    if (win::GetCapture() != window || !win::GetClientRect(window, client)) return {};
    return {Beyond(pointer_.at.x, client.left + kEdgeMargin, client.right - 1 - kEdgeMargin),
            Beyond(pointer_.at.y, client.top + kEdgeMargin, client.bottom - 1 - kEdgeMargin)};
}

// The edge scroll goes on while the window holds the capture and the pointer is near or beyond an edge.
void CScrollBars::OnEdgeTimer() {
    const Point beyond = BeyondEdges(timerWindows_[kEdgeTimer]);
    if (beyond.x == 0 && beyond.y == 0) return StopTimer(kEdgeTimer);
    Nudge(SB_HORZ, beyond.x), Nudge(SB_VERT, beyond.y);
}

// A line (at least one unit) a tick, and one more for each kPixelsPerStep further; a step that
// moves the bar raises its Change event.
void CScrollBars::Nudge(int bar, std::int32_t distance) {
    if (distance == 0) return;
    const std::int32_t steps = 1 + std::abs(distance) / kPixelsPerStep;
    const std::int32_t amount = SatMul(std::max(bars_[bar].smallChange, 1), distance < 0 ? -steps : steps);
    const std::int32_t before = Query(bar, SIF_POS).nPos;
    SetValue(bar, SatAdd(before, amount));
    if (bars_[bar].lastPos != before) (bar == SB_HORZ ? HChange : VChange).Raise(bars_[bar].lastPos);
}

// A pan lets go of the capture it took (the window losing it first ends the pan).
void CScrollBars::EndPan() {
    if (pointer_.state != Pan::Held && pointer_.state != Pan::Clicked) return;
    pointer_.state = Pan::None;
    const win::Hwnd window = timerWindows_[kPanTimer];
    StopTimer(kPanTimer);
    if (window != nullptr && win::GetCapture() == window) win::ReleaseCapture();
}

void CScrollBars::EndPointer() {
    EndPan();
    StopTimer(kEdgeTimer);
}

}  // namespace brennick
