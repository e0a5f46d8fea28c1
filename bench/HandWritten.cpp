#include "bench/HandWritten.h"

#include "bench/ReportLine.h"
#include "support/MSupport.h"
#include "support/Saturating.h"
#include "support/WheelMessage.h"

namespace brennick_bench {
namespace {

constexpr std::int32_t kWheelPageScroll = -1;  // WHEEL_PAGESCROLL, as the signed setting holds it

void MovePicture(const HandWrittenState& state, int position) {
    SetWindowPos(state.picture, nullptr, 0, state.originTop - position, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void HandWrittenScroll(HWND window, const HandWrittenState& state, int code) {
    if (state.lookUp != nullptr) GetPropA(window, state.lookUp);
    if (code != SB_LINEDOWN && code != SB_LINEUP) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(window, SB_VERT, &info);
    const int step = code == SB_LINEDOWN ? state.smallChange : -state.smallChange;
    info.nPos = brennick::SatAdd(info.nPos, step);
    MovePicture(state, SetScrollInfo(window, SB_VERT, &info, TRUE));
}

void HandWrittenWheel(HWND window, const HandWrittenState& state, WPARAM wParam, LPARAM lParam) {
    const brennick::WheelMessage wheel = brennick::DecodeWheel(wParam, lParam);
    HWND panel = state.panel != nullptr ? state.panel : window;
    if (state.panel != nullptr) {
        RECT rect;
        GetWindowRect(panel, &rect);
        const bool inside = rect.left <= wheel.X && wheel.X <= rect.right && rect.top <= wheel.Y && wheel.Y <= rect.bottom;
        if (!inside) return;
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(panel, SB_VERT, &info);
    const std::int32_t page = static_cast<std::int32_t>(info.nPage);
    const std::int32_t lines = brennick::MSupport::WheelScrollLines;
    const std::int32_t step = lines == kWheelPageScroll
                                  ? page
                                  : brennick::SatMul(brennick::MSupport::MinOf(lines, page), state.smallChange);
    const std::int32_t target = brennick::SatAdd(info.nPos, brennick::SatMul(wheel.Delta, step));
    info.fMask = SIF_POS;
    info.nPos = brennick::MSupport::Clamp(info.nMin, target, info.nMax);
    MovePicture(state, SetScrollInfo(panel, SB_VERT, &info, TRUE));
    SetWindowTextA(state.textBox, FormatWheelLine(wheel.Delta, wheel.Shift, wheel.X, wheel.Y).text);
}

}  // namespace brennick_bench
