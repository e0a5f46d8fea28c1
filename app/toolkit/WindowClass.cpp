#include "app/toolkit/WindowClass.h"

namespace brennick::ui {

void RegisterWindowClassOnce(const WNDCLASSEXA& windowClass) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(windowClass.hInstance, windowClass.lpszClassName, &existing)) return;
    RegisterClassExA(&windowClass);
}

}  // namespace brennick::ui
