// cSubClassWheel reports mouse-wheel rotation over one window and lets its owner decide, message
// by message, whether the wheel message is consumed or goes on to the window's previous procedure.
#pragma once

#include <cstdint>

#include "controls/hook/WindowHook.h"
#include "platform/Win32Types.h"
#include "support/Bool16.h"
#include "support/Event.h"
#include "support/Ref.h"

namespace brennick {

class cSubClassWheel final : public RefCounted {
public:
    static constexpr const char* kPropertyName = "nvAdvSubcls";
    static const HookKind kHookKind;

    ~cSubClassWheel() override;  // unhooks the window, if any

    // A wheel message over the hooked window: notches (positive toward the user), key state and
    // pointer in screen coordinates, and Wheeled (false on entry). Setting Wheeled to true
    // consumes the message; values written into the other four are discarded.
    Event<std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, Bool16&> WheelRotate;

    // Hooks window: stores this hook's address in the window's "nvAdvSubcls" property and replaces
    // its window procedure; from now on each WM_MOUSEWHEEL raises WheelRotate and every other
    // message goes on to the previous procedure. Refused (nothing changes) for a handle that names
    // no window, a window that already carries a wheel hook, and while this hook serves another window.
    void SubClass(win::Hwnd window);
    // Puts the window's previous procedure back and removes the property; the hook can then serve
    // a window again. Does nothing when nothing is hooked or the window is gone. Raises nothing.
    void UnSubClass();

    // State, for inspection; neither touches the window.
    win::WndProc PrevWndProc() const { return hook_.PrevWndProc(); }
    win::Hwnd TargetWnd() const { return hook_.TargetWnd(); }

private:
    friend class HookedWindow<cSubClassWheel>;
    template <class T, class... Args>
    friend Ref<T> MakeRef(Args&&... args);

    cSubClassWheel();  // created by MakeRef only

    win::LResult WindowProc(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam);
    win::LResult OnWheel(win::Hwnd window, win::WParam wParam, win::LParam lParam);

    WindowHook hook_;
};

}  // namespace brennick
