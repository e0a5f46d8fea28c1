// The window-property hook shared by both components. A hooked window carries a named property
// holding the component's address (uncounted) and runs a procedure shared by all components of
// one kind; that procedure finds the component through the property and hands it each message.
#pragma once

#include "platform/Win32Constants.h"
#include "platform/Win32Types.h"
#include "platform/WindowSystem.h"
#include "support/Ref.h"

namespace brennick {

class WindowHook;

// Which of its two fields a component writes first when it attaches.
enum class HookFieldOrder { PrevThenTarget, TargetThenPrev };

// What one kind of hooking component supplies: its property name, its shared procedure, the
// order it stores its fields in, and how to reach the hook inside a component found by address.
struct HookKind {
    const char* property;
    win::WndProc procedure;
    HookFieldOrder order;
    WindowHook& (*hookOf)(void* component);
};

// The two fields a hooking component keeps, and the attach and detach steps on them.
// Invariant: the property is on the window for the whole time its procedure is replaced.
class WindowHook {
public:
    win::WndProc PrevWndProc() const { return prevWndProc_; }
    win::Hwnd TargetWnd() const { return targetWnd_; }

    // Hooks window for owner. Refused (nothing changes) when the handle names no window, the
    // window already carries the property, this hook already serves a window, the platform
    // refuses the property or the procedure, or the procedure it would forward to leads back
    // to this kind's own procedure.
    void Attach(win::Hwnd window, const HookKind& kind, void* owner);

    // Leaves the window: the previous procedure goes back (or, when a hook of a known kind was
    // attached after this one, that hook forwards past this one from now on) and the property
    // is removed. Does nothing when not attached or when the window is gone; a window whose
    // property no longer names owner (its handle now names another window) is forgotten
    // without being touched.
    void Detach(const HookKind& kind, const void* owner);

    // Hands a message to the procedure that was in place before the hook.
    win::LResult Forward(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam) const {
        return CallPrevious(prevWndProc_, window, message, wParam, lParam);
    }

    static win::LResult CallPrevious(win::WndProc previous, win::Hwnd window, unsigned int message,
                                     win::WParam wParam, win::LParam lParam);

private:
    void Store(win::Hwnd window, win::WndProc previous, HookFieldOrder order);

    win::WndProc prevWndProc_ = nullptr;
    win::Hwnd targetWnd_ = nullptr;
};

// Lookup and dispatch for one component type T, which provides kPropertyName, kHookKind, a
// member hook_ (WindowHook) and WindowProc, and befriends this class.
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
        if (message == WM_NCDESTROY && component->hook_.TargetWnd() == window) {
            component->hook_.Detach(T::kHookKind, component.Get());
        }
        return result;
    }

    // The hook inside a component of type T known by its address.
    static WindowHook& HookOf(void* component) { return static_cast<T*>(component)->hook_; }
};

}  // namespace brennick
