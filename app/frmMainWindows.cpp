#include "app/frmMainWindows.h"

#include "app/Colors.h"
#include "app/ControlIds.h"
#include "app/frmMainLayout.h"
#include "resources/resource.h"

namespace brennick {

using frmMainLayout::Row;

frmMainWindows::frmMainWindows()
    : trialImage_(static_cast<HBITMAP>(
          LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TRIAL), IMAGE_BITMAP, 0, 0, 0))),
      form_(frmMainLayout::kStoredCaption, frmMainLayout::kClientArea, IDI_BRENNICK),
      picControlLeft(form_, Row(ControlId::picControlLeft).rect, ControlId::picControlLeft, Colors::kButtonFace),
      picTrialLeft(picControlLeft, form_.Dpi(), Row(ControlId::picTrialLeft).rect, ControlId::picTrialLeft,
                   trialImage_.Get()),
      chkShowScrollH(form_, Row(ControlId::chkShowScrollH).rect, ControlId::chkShowScrollH,
                     Row(ControlId::chkShowScrollH).caption, Row(ControlId::chkShowScrollH).value),
      chkShowScrollV(form_, Row(ControlId::chkShowScrollV).rect, ControlId::chkShowScrollV,
                     Row(ControlId::chkShowScrollV).caption, Row(ControlId::chkShowScrollV).value),
      lblPosH(form_, Row(ControlId::lblPosH).rect, ControlId::lblPosH, Row(ControlId::lblPosH).caption),
      lblPosV(form_, Row(ControlId::lblPosV).rect, ControlId::lblPosV, Row(ControlId::lblPosV).caption),
      txtWheel(form_, Row(ControlId::txtWheel).rect, ControlId::txtWheel, Colors::kWindowBackground),
      chkWheelSupport(form_, Row(ControlId::chkWheelSupport).rect, ControlId::chkWheelSupport,
                      Row(ControlId::chkWheelSupport).caption, Row(ControlId::chkWheelSupport).value),
      picControlRight(form_, Row(ControlId::picControlRight).rect, ControlId::picControlRight, Colors::kButtonFace),
      picTrialRight(picControlRight, form_.Dpi(), Row(ControlId::picTrialRight).rect, ControlId::picTrialRight,
                    trialImage_.Get()),
      chkWheelSupport2(form_, Row(ControlId::chkWheelSupport2).rect, ControlId::chkWheelSupport2,
                       Row(ControlId::chkWheelSupport2).caption, Row(ControlId::chkWheelSupport2).value),
      txtWheel2(form_, Row(ControlId::txtWheel2).rect, ControlId::txtWheel2, Colors::kWindowBackground) {}

}  // namespace brennick
