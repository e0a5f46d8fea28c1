// Brennick.exe: the test window and its message loop. The exit code is that of WM_QUIT, 0.
#include "app/frmMain.h"
#include "app/toolkit/MessageLoop.h"
#include "app/toolkit/Windows.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    brennick::frmMain window;
    if (window.Handle() == nullptr) return 1;
    window.Show();
    return brennick::ui::RunMessageLoop(window.Handle());
}
