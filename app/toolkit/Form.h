// The top-level window: a caption, a client area laid out in twips, load, unload and double-click
// notifications, and dialog-style keyboard focus (the first tab stop on activation).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/toolkit/Handles.h"
#include "app/toolkit/Twips.h"
#include "app/toolkit/Windows.h"
#include <brennick/Event.h>

namespace brennick::ui {

class Control;

class Form {
public:
    // Creates the window, hidden; client gives the client area's place on the screen and its size.
    Form(const char* caption, const TwipsRect& client, int iconId);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    ~Form() = default;

    HWND Handle() const { return window_.Get(); }
    ui::Dpi Dpi() const { return dpi_; }
    void Caption(const std::string& text);

    // Raises Load, shows the window and gives the focus to the first control that takes it.
    void Show();

    Event<> Load;
    Event<std::int16_t&> Unload;  // Cancel: non-zero keeps the window open
    Event<> DblClick;             // on the window's own surface, outside its controls

    // Controls whose notifications the form hands back to them.
    void Adopt(Control& control);
    void Forget(Control& control);

    // The window procedure of the form's class; its body runs through the library's exception
    // boundary (platform/Boundary.h), as every procedure the system calls.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    LRESULT OnActivate(WPARAM wParam);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnControlColor(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnDoubleClick();
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose();
    LRESULT OnDestroyNow();
    LRESULT OnDestroy();
    void OnNcDestroy();

    Control* Find(HWND window) const;
    HWND FirstTabStop() const;
    void FocusControl();

    UniqueWindow window_;
    ui::Dpi dpi_;
    HWND lastFocus_ = nullptr;
    std::vector<Control*> controls_;
};

}  // namespace brennick::ui
