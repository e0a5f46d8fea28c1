// The test window without its components: the same form, controls, icon, image and caption as
// Brennick.exe, built by the same toolkit from the same layout, but no CScrollBars and no
// cSubClassWheel. The start-up group's floor: what Brennick.exe takes beyond it is what the
// components add.
#include "app/Colors.h"
#include "app/frmMainLayout.h"
#include "app/frmMainRules.h"
#include "app/toolkit/CheckBox.h"
#include "app/toolkit/Form.h"
#include "app/toolkit/Handles.h"
#include "app/toolkit/Label.h"
#include "app/toolkit/MessageLoop.h"
#include "app/toolkit/Panel.h"
#include "app/toolkit/Picture.h"
#include "app/toolkit/TextBox.h"
#include "resources/resource.h"
#include <brennick/MSupport.h>

namespace {

using brennick::frmMainLayout::Row;
namespace ControlId = brennick::ControlId;
namespace Colors = brennick::Colors;
namespace ui = brennick::ui;

// The windows in the test window's tab order, which is their creation order.
struct BareWindow {
    BareWindow()
        : image(static_cast<HBITMAP>(
              LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TRIAL), IMAGE_BITMAP, 0, 0, 0))),
          form(brennick::frmMainLayout::kStoredCaption, brennick::frmMainLayout::kClientArea, IDI_BRENNICK),
          left(form, Row(ControlId::picControlLeft).rect, ControlId::picControlLeft, Colors::kButtonFace),
          pictureLeft(left, form.Dpi(), Row(ControlId::picTrialLeft).rect, ControlId::picTrialLeft, image.Get()),
          showH(form, Row(ControlId::chkShowScrollH).rect, ControlId::chkShowScrollH,
                Row(ControlId::chkShowScrollH).caption, Row(ControlId::chkShowScrollH).value),
          showV(form, Row(ControlId::chkShowScrollV).rect, ControlId::chkShowScrollV,
                Row(ControlId::chkShowScrollV).caption, Row(ControlId::chkShowScrollV).value),
          posH(form, Row(ControlId::lblPosH).rect, ControlId::lblPosH, Row(ControlId::lblPosH).caption),
          posV(form, Row(ControlId::lblPosV).rect, ControlId::lblPosV, Row(ControlId::lblPosV).caption),
          wheelText(form, Row(ControlId::txtWheel).rect, ControlId::txtWheel, Colors::kWindowBackground),
          wheelSupport(form, Row(ControlId::chkWheelSupport).rect, ControlId::chkWheelSupport,
                       Row(ControlId::chkWheelSupport).caption, Row(ControlId::chkWheelSupport).value),
          right(form, Row(ControlId::picControlRight).rect, ControlId::picControlRight, Colors::kButtonFace),
          pictureRight(right, form.Dpi(), Row(ControlId::picTrialRight).rect, ControlId::picTrialRight,
                       image.Get()),
          wheelSupport2(form, Row(ControlId::chkWheelSupport2).rect, ControlId::chkWheelSupport2,
                        Row(ControlId::chkWheelSupport2).caption, Row(ControlId::chkWheelSupport2).value),
          wheelText2(form, Row(ControlId::txtWheel2).rect, ControlId::txtWheel2, Colors::kWindowBackground) {
        // The test window's load work, less the components.
        form.Load.Connect([this] {
            form.Caption("Brennick - " + brennick::MSupport::AppVersion());
            brennick::frmMainRules::WheelScrollLines = brennick::MSupport::GetWheelScrollLines();
        });
    }

    ui::UniqueBitmap image;
    ui::Form form;
    ui::Panel left;
    ui::Picture pictureLeft;
    ui::CheckBox showH, showV;
    ui::Label posH, posV;
    ui::TextBox wheelText;
    ui::CheckBox wheelSupport;
    ui::Panel right;
    ui::Picture pictureRight;
    ui::CheckBox wheelSupport2;
    ui::TextBox wheelText2;
};

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    BareWindow window;
    if (window.form.Handle() == nullptr) return 1;
    window.form.Show();
    return ui::RunMessageLoop(window.form.Handle());
}
