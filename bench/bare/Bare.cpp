// The test window without its components: the same form, controls, icon, image and caption as
// Brennick.exe, built by the same toolkit from the same layout, but no CScrollBars and no
// cSubClassWheel. The start-up group's floor: what Brennick.exe takes beyond it is what the
// components add.
#include "app/frmMainRules.h"
#include "app/frmMainWindows.h"
#include "app/toolkit/MessageLoop.h"
#include <brennick/MSupport.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    // The test window's windows, and its load work less the components.
    brennick::frmMainWindows window;
    window.form_.Load.Connect([&window] {
        window.form_.Caption("Brennick - " + brennick::MSupport::AppVersion());
        brennick::frmMainRules::WheelScrollLines = brennick::MSupport::GetWheelScrollLines();
    });
    if (window.form_.Handle() == nullptr) return 1;
    window.form_.Show();
    return brennick::ui::RunMessageLoop(window.form_.Handle());
}
