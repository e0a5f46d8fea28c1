#include "app/toolkit/Form.h"

#include <algorithm>

#include "app/toolkit/Control.h"
#include "app/toolkit/WindowClass.h"
#include "platform/Boundary.h"

namespace brennick::ui {
namespace {

constexpr const char* kClassName = "BrennickForm";
// A fixed frame: the controls keep their places, so there is nothing to gain from resizing.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;
// Posted by the close: the window is destroyed once whatever delivered WM_CLOSE has returned, so
// that anything the unload handler let go of has let go of its windows before they go. Registered:
// a subclass that uses a WM_APP message for itself cannot swallow it and keep the window open.
UINT DestroyMessage() {
    static const UINT message = RegisterWindowMessageA("BrennickFormDestroy");
    return message;
}

void RegisterFormClass(HINSTANCE instance, int iconId) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &Form::Procedure;
    windowClass.hInstance = instance;
    // Shared icons (LR_SHARED): the system owns them.
    windowClass.hIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kClassName;
    RegisterWindowClassOnce(windowClass);
}

}  // namespace

Form::Form(const char* caption, const TwipsRect& client, int iconId) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterFormClass(instance, iconId);
    window_.Reset(CreateWindowExA(kExStyle, kClassName, caption, kStyle, 0, 0, 0, 0, nullptr, nullptr, instance, this));
    if (Handle() == nullptr) return;
    // Sized only now: the DPI that the layout converts at is the window's own.
    dpi_ = DpiOf(Handle());
    const PixelRect place = ToPixels(client, dpi_);
    RECT frame{0, 0, place.width, place.height};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    SetWindowPos(Handle(), nullptr, place.left + frame.left, place.top + frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Caption(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

void Form::Show() {
    Load.Raise();
    ShowWindow(Handle(), SW_SHOW);
    // Activation normally focuses a control already (OnActivate); a window shown without
    // activation still starts with its first control focused.
    if (!IsChild(Handle(), GetFocus())) FocusControl();
}

void Form::Adopt(Control& control) { controls_.push_back(&control); }

void Form::Forget(Control& control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
}

LRESULT CALLBACK Form::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return platform::AtBoundary([&]() -> LRESULT {
        Form* form = BoundObject<Form>(window, message, lParam);
        if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
        if (message == DestroyMessage()) return form->OnDestroyNow();
        switch (message) {
        case WM_ACTIVATE:
            return form->OnActivate(wParam);
        case WM_COMMAND:
            return form->OnCommand(wParam, lParam);
        case WM_CTLCOLOREDIT:
            return form->OnControlColor(message, wParam, lParam);
        case WM_LBUTTONDBLCLK:
            return form->OnDoubleClick();
        case WM_DPICHANGED:
            return form->OnDpiChanged(wParam, lParam);
        case WM_CLOSE:
            return form->OnClose();
        case WM_DESTROY:
            return form->OnDestroy();
        case WM_NCDESTROY:
            form->OnNcDestroy();
            break;
        default:
            break;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    });
}

// Like a dialog: the focus leaves with the window and comes back to the control that had it.
// (DefWindowProc would give it to the frame itself.)
LRESULT Form::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) lastFocus_ = focus;
        return 0;
    }
    if (HIWORD(wParam) == 0) FocusControl();  // not while minimised
    return 0;
}

LRESULT Form::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (Control* control = Find(reinterpret_cast<HWND>(lParam))) control->OnCommand(HIWORD(wParam));
    return 0;
}

LRESULT Form::OnControlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Control* control = Find(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = control->OnControlColor(reinterpret_cast<HDC>(wParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
    }
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

LRESULT Form::OnDoubleClick() {
    DblClick.Raise();
    return 0;
}

// The new DPI comes in wParam, the rectangle the system suggests for the window at it in lParam.
LRESULT Form::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    dpi_ = {LOWORD(wParam), HIWORD(wParam)};
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested != nullptr) {
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (Control* control : controls_) control->Relayout(dpi_);
    return 0;
}

LRESULT Form::OnClose() {
    std::int16_t cancel = 0;
    Unload.Raise(cancel);
    if (cancel == 0) PostMessageA(Handle(), DestroyMessage(), 0, 0);
    return 0;
}

LRESULT Form::OnDestroyNow() {
    DestroyWindow(Handle());
    return 0;
}

LRESULT Form::OnDestroy() {
    PostQuitMessage(0);
    return 0;
}

void Form::OnNcDestroy() {
    window_.Forget();
    lastFocus_ = nullptr;
}

Control* Form::Find(HWND window) const {
    if (window == nullptr) return nullptr;
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [window](const Control* control) { return control->Handle() == window; });
    return found == controls_.end() ? nullptr : *found;
}

HWND Form::FirstTabStop() const {
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        if ((style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE)) return child;
    }
    return nullptr;
}

void Form::FocusControl() {
    const bool remembered = lastFocus_ != nullptr && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_);
    const HWND target = remembered ? lastFocus_ : FirstTabStop();
    if (target != nullptr) SetFocus(target);
}

}  // namespace brennick::ui
