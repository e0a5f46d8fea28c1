#include "app/toolkit/MessageLoop.h"

namespace brennick::ui {

int RunMessageLoop(HWND dialogWindow) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(dialogWindow) && IsDialogMessageA(dialogWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace brennick::ui
