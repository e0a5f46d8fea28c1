// frmMain's layout: every control with its place in twips (from the top-left corner of its
// parent's client area), caption and initial value, in tab order. The toolkit converts it to
// pixels at the window's DPI; at 96 DPI every value is a whole number of pixels.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "app/ControlIds.h"
#include "app/toolkit/Twips.h"

namespace brennick::frmMainLayout {

struct ControlLayout {
    int id = 0;
    ui::TwipsRect rect{};
    const char* caption = "";
    int value = 0;  // check boxes: 0 clear, 1 checked
};

inline constexpr ControlLayout kControls[] = {
    {ControlId::picControlLeft, {450, 390, 4020, 4500}, "", 0},
    {ControlId::picTrialLeft, {210, 2160, 3000, 540}, "", 0},
    {ControlId::chkShowScrollH, {450, 4980, 2505, 285}, "Show Horizontal Scrollbar", 1},
    {ControlId::chkShowScrollV, {450, 5280, 2505, 285}, "Show Vertical Scrollbar", 1},
    {ControlId::lblPosH, {3090, 5010, 1425, 225}, "PosH", 0},
    {ControlId::lblPosV, {3090, 5310, 1425, 225}, "PosV", 0},
    {ControlId::txtWheel, {450, 6120, 8085, 285}, "", 0},
    {ControlId::chkWheelSupport, {450, 5880, 8085, 225}, "Extra Wheel Support (using WM_MouseWheel message)", 0},
    {ControlId::picControlRight, {4530, 390, 4020, 4500}, "", 0},
    {ControlId::picTrialRight, {210, 2160, 3000, 540}, "", 0},
    {ControlId::chkWheelSupport2, {480, 6750, 8085, 225}, "Extra Wheel Support 2.0 (using WM_MouseWheel message)", 0},
    {ControlId::txtWheel2, {480, 6990, 8085, 285}, "", 0},
};

// The window: where its client area stands on the screen at design time, and its size.
inline constexpr ui::TwipsRect kClientArea{1965, 1590, 8970, 8010};
// Replaced by the load handler before the window is first shown.
inline constexpr const char* kStoredCaption = "Brennick - 20080525";

// The row of one control, found while compiling: an ID missing from the table reads past its end,
// which no constant evaluation accepts.
consteval const ControlLayout& Row(int id) {
    std::size_t index = 0;
    while (index < std::size(kControls) && kControls[index].id != id) ++index;
    // cppcheck-suppress arrayIndexOutOfBoundsCond ; past the end on purpose: compiling fails there
    return kControls[index];
}

// Control IDs follow the tab order, which is the order of the table.
constexpr bool IdsFollowTabOrder() {
    int tab = 0;
    return std::ranges::all_of(
        kControls, [&tab](const ControlLayout& row) { return row.id == ControlId::picControlLeft + tab++; });
}
static_assert(IdsFollowTabOrder());

}  // namespace brennick::frmMainLayout
