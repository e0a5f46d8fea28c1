// A child control of a form. The system tells the parent about its controls (commands, edit
// colours); the form hands each such notification back to the control it concerns.
#pragma once

#include "app/toolkit/Twips.h"
#include "app/toolkit/Windows.h"

namespace brennick::ui {

class Form;

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return window_; }

    virtual void OnCommand(unsigned int /*code*/) {}
    // The brush for WM_CTLCOLOR*, or null for the default.
    virtual HBRUSH OnControlColor(HDC /*dc*/) { return nullptr; }
    // Places the control again from its layout in twips, at the form's new DPI.
    virtual void Relayout(Dpi dpi);

protected:
    explicit Control(Form& parent) : parent_(parent) {}
    virtual ~Control();

    // Creates the control's window as a child of the form, placed by its layout in twips at the
    // form's DPI. The window belongs to the form window, which destroys it.
    void Create(const char* className, const char* text, DWORD style, DWORD exStyle, const TwipsRect& rect, int id);

    Form& parent_;

private:
    HWND window_ = nullptr;
    TwipsRect rect_;
};

}  // namespace brennick::ui
