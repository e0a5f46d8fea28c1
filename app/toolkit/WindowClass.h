// The toolkit's own window classes: registration, and the link from a window to the C++ object
// that serves it.
#pragma once

#include "app/toolkit/Windows.h"

namespace brennick::ui {

// Registers the class unless this process already has it.
void RegisterWindowClassOnce(const WNDCLASSEXA& windowClass);

// The object whose address went into CreateWindowEx as lpParam. It is taken at WM_NCCREATE (only
// once, so a forged WM_NCCREATE cannot replace it) and dropped after WM_NCDESTROY, when the
// window no longer reaches it.
template <class T>
T* BoundObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE && GetWindowLongPtrA(window, GWLP_USERDATA) == 0) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    T* object = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return object;
}

}  // namespace brennick::ui
