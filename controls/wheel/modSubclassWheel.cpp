#include "controls/wheel/modSubclassWheel.h"

namespace brennick::modSubclassWheel {

win::LResult BRENNICK_CALLBACK WheelWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                            win::LParam lParam) {
    return HookedWindow<cSubClassWheel>::Dispatch(window, message, wParam, lParam);
}

Ref<cSubClassWheel> WheelFromWindow(win::Hwnd window) { return HookedWindow<cSubClassWheel>::FromWindow(window); }

}  // namespace brennick::modSubclassWheel
