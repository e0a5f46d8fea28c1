#include "bench/HandWritten.h"

#include "app/frmMainRules.h"
#include <brennick/MSupport.h>
#include <brennick/Saturating.h>
#include "support/WheelMessage.h"

namespace brennick_bench {
namespace {

void MovePicture(const HandWrittenState& state, int position) {
    SetWindowPos(state.picture, nullptr, 0, state.originTop - position, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void HandWrittenScroll(HWND window, const HandWrittenState& state, int code) {
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
    std::int32_t carried = 0;
    const brennick::WheelMessage wheel =
        brennick::DecodeWheel(wParam, lParam, brennick::WheelSense::TowardUser, false, carried);
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
    namespace rules = brennick::frmMainRules;
    const rules::VerticalBar bar{info.nPos, info.nMin, info.nMax, state.smallChange, static_cast<std::int32_t>(info.nPage)};
    info.fMask = SIF_POS;
    info.nPos = rules::WheelScrollTarget(bar, wheel.Delta, rules::WheelScrollLines);
    MovePicture(state, SetScrollInfo(panel, SB_VERT, &info, TRUE));
    const std::string line = rules::WheelReportLine(rules::LocalTimeOfDay(), rules::kWheelReportLeft, wheel.Delta,
                                                    wheel.Shift, wheel.X, wheel.Y);
    SetWindowTextA(state.textBox, line.c_str());
}

}  // namespace brennick_bench
