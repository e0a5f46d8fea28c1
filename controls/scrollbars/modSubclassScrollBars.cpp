#include <brennick/modSubclassScrollBars.h>

#include "controls/hook/HookTable.h"

namespace brennick::modSubclassScrollBars {

win::LResult BRENNICK_CALLBACK ScrollBarsWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                 win::LParam lParam) noexcept {
    return detail::HookedWindow<CScrollBars>::Dispatch(window, message, wParam, lParam);
}

Ref<CScrollBars> ScrollBarsFromWindow(win::WindowHandle window) {
    return detail::HookedWindow<CScrollBars>::FromWindow(window);
}

}  // namespace brennick::modSubclassScrollBars
