// The test window's windows, built from its layout in tab order: what frmMain drives, and all that
// the start-up benchmark's bare program builds, without components.
#pragma once

#include "app/toolkit/CheckBox.h"
#include "app/toolkit/Form.h"
#include "app/toolkit/Handles.h"
#include "app/toolkit/Label.h"
#include "app/toolkit/Panel.h"
#include "app/toolkit/Picture.h"
#include "app/toolkit/TextBox.h"

namespace brennick {

struct frmMainWindows {
    frmMainWindows();
    frmMainWindows(const frmMainWindows&) = delete;
    frmMainWindows& operator=(const frmMainWindows&) = delete;
    ~frmMainWindows() = default;

    ui::UniqueBitmap trialImage_;  // shown by both pictures
    ui::Form form_;
    // Controls in tab order: their windows are created in this order.
    ui::Panel picControlLeft;
    ui::Picture picTrialLeft;
    ui::CheckBox chkShowScrollH;
    ui::CheckBox chkShowScrollV;
    ui::Label lblPosH;
    ui::Label lblPosV;
    ui::TextBox txtWheel;
    ui::CheckBox chkWheelSupport;
    ui::Panel picControlRight;
    ui::Picture picTrialRight;
    ui::CheckBox chkWheelSupport2;
    ui::TextBox txtWheel2;
};

}  // namespace brennick
