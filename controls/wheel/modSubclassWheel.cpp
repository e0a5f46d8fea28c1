#include <brennick/modSubclassWheel.h>

#include "controls/hook/HookTable.h"

namespace brennick::modSubclassWheel {

win::LResult BRENNICK_CALLBACK WheelWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                            win::LParam lParam) noexcept {
    return detail::HookedWindow<cSubClassWheel>::Dispatch(window, message, wParam, lParam);
}

Ref<cSubClassWheel> WheelFromWindow(win::WindowHandle window) {
    return detail::HookedWindow<cSubClassWheel>::FromWindow(window);
}

}  // namespace brennick::modSubclassWheel
