#include <brennick/modSubclassWheel.h>

#include "controls/hook/Hooks.h"

namespace brennick::modSubclassWheel {

win::LResult BRENNICK_CALLBACK WheelWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                            win::LParam lParam) noexcept {
    return detail::SharedProcedure<cSubClassWheel>::Dispatch(window, message, wParam, lParam);
}

Ref<cSubClassWheel> WheelFromWindow(win::WindowHandle window) {
    return detail::SharedProcedure<cSubClassWheel>::Owner(window);
}

}  // namespace brennick::modSubclassWheel
