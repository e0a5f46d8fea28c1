#include "app/toolkit/BackColor.h"

#include "app/toolkit/Automation.h"

namespace brennick::ui {

void BackColor::Set(std::uint32_t stored) {
    stored_ = stored;
    ownBrush_.Reset(IsSystem() ? nullptr : CreateSolidBrush(static_cast<COLORREF>(stored & 0x00FFFFFFu)));
}

COLORREF BackColor::Resolve() const {
    if (IsSystem()) return GetSysColor(SystemIndex());
    return static_cast<COLORREF>(stored_ & 0x00FFFFFFu);
}

HBRUSH BackColor::Brush() const {
    if (IsSystem()) return GetSysColorBrush(SystemIndex());
    return ownBrush_.Get();
}

void PublishBackColor(HWND window, std::uint32_t stored) {
    // The property holds a number, not a resource: nothing to free, and the system drops it
    // together with the window.
    SetPropA(window, kBackColorProperty, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(stored)));
}

}  // namespace brennick::ui
