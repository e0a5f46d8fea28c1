// The window-property hook shared by both components. A hooked window carries a named property
// holding the component's address (uncounted) and runs a procedure shared by all components of
// one type; that procedure finds the component through the property and hands it each message.
#pragma once

#include "platform/Win32Constants.h"
#include "platform/Win32Types.h"
#include "platform/WindowSystem.h"
#include "support/Ref.h"

namespace brennick {

// Which of its two fields a component writes first when it attaches.
enum class HookFieldOrder { PrevThenTarget, TargetThenPrev };

// The two fields a hooking component keeps, and the attach and detach steps on them.
// Invariant: the property is on the window for the whole time its procedure is replaced.
class WindowHook {
public:
    win::WndProc PrevWndProc() const { return prevWndProc_; }
    win::Hwnd TargetWnd() const { return targetWnd_; }

    // Hooks window for owner. Refused (nothing changes) when the handle names no window, the
    // window already carries the property, this hook already serves a window, or the platform
    // refuses the property or the procedure.
    void Attach(win::Hwnd window, const char* property, void* owner, win::WndProc procedure, HookFieldOrder order);

    // Puts the previous procedure back and removes the property. Does nothing when not
    // attached or when the window is gone; a window whose property no longer names owner
    // (its handle now names another window) is forgotten without being touched.
    void Detach(const char* property, const void* owner);

    // Hands a message to the procedure that was in place before the hook.
    win::LResult Forward(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam) const {
        return CallPrevious(prevWndProc_, window, message, wParam, lParam);
    }

    static win::LResult CallPrevious(win::WndProc previous, win::Hwnd window, unsigned int message,
                                     win::WParam wParam, win::LParam lParam);

private:
    win::WndProc prevWndProc_ = nullptr;
    win::Hwnd targetWnd_ = nullptr;
};

// Lookup and dispatch for one component type T, which provides kPropertyName, a member
// hook_ (WindowHook) and WindowProc, and befriends this class.
template <class T>
class HookedWindow {
public:
    // A counted reference to the component registered on window; empty without the property.
    static Ref<T> FromWindow(win::Hwnd window) {
        return Ref<T>::Retain(static_cast<T*>(win::GetPropA(window, T::kPropertyName)));
    }

    // One message of a hooked window. The counted reference keeps the component alive until
    // the message returns, even if its owner drops it meanwhile. A window without the
    // property gets the default handling. When the window is being destroyed, the component
    // first lets the previous procedure see WM_NCDESTROY and then leaves the window.
    static win::LResult Dispatch(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam) {
        const Ref<T> component = FromWindow(window);
        if (!component) return win::DefWindowProcA(window, message, wParam, lParam);
        const win::LResult result = component->WindowProc(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) component->hook_.Detach(T::kPropertyName, component.Get());
        return result;
    }
};

}  // namespace brennick
