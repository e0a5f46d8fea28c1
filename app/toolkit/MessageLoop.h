// The program's message loop, with dialog keyboard navigation (Tab, Shift+Tab) for one window.
#pragma once

#include "app/toolkit/Windows.h"

namespace brennick::ui {

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop(HWND dialogWindow);

}  // namespace brennick::ui
