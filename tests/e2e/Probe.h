// What shows of the test window through Win32 alone, from its own process or another: controls by
// their IDs (0: the form itself; the pictures inside their panels), texts, colours, bars, focus.
#pragma once

#include <cstdint>
#include <string>

#include "app/ControlIds.h"
#include "app/toolkit/Automation.h"
#include "app/toolkit/Windows.h"

namespace brennick::e2e {

using namespace ControlId;
using ui::ScrollBarField;

// Twips in pixels at dpi, as the layout converts them.
inline int Px(int twips, int dpi = 96) { return MulDiv(twips, dpi, 1440); }

inline HWND Control(HWND form, int id) {
    if (id == picTrialLeft || id == picTrialRight)
        return GetDlgItem(Control(form, id == picTrialLeft ? picControlLeft : picControlRight), id);
    return id == 0 ? form : GetDlgItem(form, id);
}
inline std::string Text(HWND form, int id) {
    char text[512] = {};
    SendMessageA(Control(form, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}
inline std::uint32_t BackColor(HWND form, int id) {
    return static_cast<std::uint32_t>(
        reinterpret_cast<std::uintptr_t>(GetPropA(Control(form, id), ui::kBackColorProperty)));
}
// Wine keeps a window's built-in scroll bars where only its own process reads them: the panel is asked.
inline LRESULT Bar(HWND form, int panel, int bar, ScrollBarField field) {
    return SendMessageA(Control(form, panel), ui::kQueryScrollBarMessage, static_cast<WPARAM>(bar),
                        static_cast<LPARAM>(field));
}
inline bool BarShown(HWND form, int panel, int bar) {
    return (GetWindowLongPtrA(Control(form, panel), GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}
// A control's window rectangle in its parent's client coordinates.
inline RECT PlaceInParent(HWND form, int id) {
    RECT rect{};
    GetWindowRect(Control(form, id), &rect);
    MapWindowPoints(nullptr, GetParent(Control(form, id)), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
inline HWND Focus(HWND form) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Checks every control of form against the documented layout at dpi (the pictures too unless
// they have moved).
void ExpectLaidOut(HWND form, int dpi, bool pictures = true);

}  // namespace brennick::e2e
