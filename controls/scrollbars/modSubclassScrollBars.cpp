#include "controls/scrollbars/modSubclassScrollBars.h"

namespace brennick::modSubclassScrollBars {

win::LResult BRENNICK_CALLBACK ScrollBarsWndProc(win::Hwnd window, unsigned int message, win::WParam wParam,
                                                 win::LParam lParam) {
    return HookedWindow<CScrollBars>::Dispatch(window, message, wParam, lParam);
}

Ref<CScrollBars> ScrollBarsFromWindow(win::Hwnd window) { return HookedWindow<CScrollBars>::FromWindow(window); }

}  // namespace brennick::modSubclassScrollBars
