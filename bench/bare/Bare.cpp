// The test window without its components: the same form, controls, icon, image and caption as
// Brennick.exe, built by the same toolkit from the same layout, but no CScrollBars and no
// cSubClassWheel. The start-up group's floor: what Brennick.exe takes beyond it is what the
// components add.
#include "app/frmMainRules.h"
#include "app/frmMainWindows.h"
#include "app/toolkit/MessageLoop.h"
#include <brennick/MSupport.h>

namespace {

namespace ui = brennick::ui;

// The test window's windows, and its load work less the components.
struct BareWindow : brennick::frmMainWindows {
    BareWindow() {
        form_.Load.Connect([this] {
            form_.Caption("Brennick - " + brennick::MSupport::AppVersion());
            brennick::frmMainRules::WheelScrollLines = brennick::MSupport::GetWheelScrollLines();
        });
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    BareWindow window;
    if (window.form_.Handle() == nullptr) return 1;
    window.form_.Show();
    return ui::RunMessageLoop(window.form_.Handle());
}
