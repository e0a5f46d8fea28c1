#include <brennick/modSubclassScrollBars.h>

#include "controls/hook/Hooks.h"

namespace brennick::modSubclassScrollBars {

win::LResult BRENNICK_CALLBACK ScrollBarsWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                 win::LParam lParam) noexcept {
    return detail::SharedProcedure<CScrollBars>::Dispatch(window, message, wParam, lParam);
}

Ref<CScrollBars> ScrollBarsFromWindow(win::WindowHandle window) {
    return detail::SharedProcedure<CScrollBars>::Owner(window);
}

}  // namespace brennick::modSubclassScrollBars
