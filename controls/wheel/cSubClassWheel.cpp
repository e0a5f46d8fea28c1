#include <brennick/cSubClassWheel.h>

#include <brennick/modSubclassWheel.h>

#include "controls/hook/HookLink.h"
#include "platform/Win32Constants.h"

namespace brennick {

const detail::HookKind cSubClassWheel::kHookKind{kPropertyName, &modSubclassWheel::WheelWndProc, &Serve, &Destroy};

// Every WM_MOUSEWHEEL is reported; WM_MOUSEHWHEEL while HWheelSupport is on. The handler decides
// whether the message is consumed.
cSubClassWheel::cSubClassWheel() : HookedComponent(kHookKind, false) { wheels_.enabled[SB_VERT] = kTrue; }

cSubClassWheel::~cSubClassWheel() = default;

// Of the window's messages, the hook handles the wheels only.
std::optional<win::LResult> cSubClassWheel::WindowProc(win::Hwnd, unsigned int, win::WParam, win::LParam) {
    return std::nullopt;
}

}  // namespace brennick
