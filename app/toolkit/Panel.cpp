#include "app/toolkit/Panel.h"

#include "app/toolkit/Automation.h"
#include "app/toolkit/Handles.h"
#include "app/toolkit/Picture.h"
#include "app/toolkit/WindowClass.h"
#include "platform/Boundary.h"

namespace brennick::ui {
namespace {

constexpr const char* kClassName = "BrennickPanel";

void RegisterPanelClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Panel::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;  // WM_PAINT fills the background, so nothing is painted twice
    windowClass.lpszClassName = kClassName;
    RegisterWindowClassOnce(windowClass);
}

}  // namespace

Panel::Panel(Form& parent, const TwipsRect& rect, int id, std::uint32_t backColor)
    : Control(parent), backColor_(backColor) {
    RegisterPanelClass();
    // Clipping children keeps a moving picture from being painted over and flickering.
    Create(kClassName, "", WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE, rect, id);
    PublishBackColor(Handle(), backColor);
}

void Panel::BackColor(std::uint32_t stored) {
    backColor_.Set(stored);
    PublishBackColor(Handle(), stored);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void Panel::Relayout(Dpi dpi) {
    Control::Relayout(dpi);
    for (Picture* picture : pictures_) picture->Relayout(dpi);
}

LRESULT CALLBACK Panel::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return platform::AtBoundary([&]() -> LRESULT {
        auto* panel = dynamic_cast<Panel*>(BoundObject<Control>(window, message, lParam));
        if (panel == nullptr || panel->Handle() != window) return DefWindowProcA(window, message, wParam, lParam);
        switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painted with the rest in WM_PAINT
        case WM_PAINT:
            return panel->OnPaint();
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return panel->OnMouseDown();
        case WM_SETFOCUS:
            return panel->OnSetFocus();
        case WM_KILLFOCUS:
            return panel->OnKillFocus();
        case kQueryScrollBarMessage:
            return panel->OnQueryScrollBar(wParam, lParam);
        default:
            break;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    });
}

LRESULT Panel::OnPaint() {
    const PaintDc dc = BeginPainting(Handle());
    if (HBRUSH brush = backColor_.Brush()) FillRect(dc.Get(), &dc.Releaser().paint.rcPaint, brush);
    return 0;
}

LRESULT Panel::OnMouseDown() {
    SetFocus(Handle());
    return 0;
}

LRESULT Panel::OnSetFocus() {
    GotFocus.Raise();
    return 0;
}

LRESULT Panel::OnKillFocus() {
    LostFocus.Raise();
    return 0;
}

LRESULT Panel::OnQueryScrollBar(WPARAM bar, LPARAM field) {
    if (bar != SB_HORZ && bar != SB_VERT) return 0;
    if (field == static_cast<LPARAM>(ScrollBarField::State)) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!GetScrollBarInfo(Handle(), bar == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info)) return 0;
        return static_cast<LRESULT>(info.rgstate[0]);
    }
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(Handle(), static_cast<int>(bar), &info)) return 0;
    switch (static_cast<ScrollBarField>(field)) {
    case ScrollBarField::Min:
        return info.nMin;
    case ScrollBarField::Max:
        return info.nMax;
    case ScrollBarField::Page:
        return static_cast<LRESULT>(info.nPage);
    case ScrollBarField::Pos:
        return info.nPos;
    default:
        return 0;
    }
}

}  // namespace brennick::ui
