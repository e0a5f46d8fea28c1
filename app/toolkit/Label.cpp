#include "app/toolkit/Label.h"

namespace brennick::ui {

// SS_NOTIFY makes the label answer hit tests itself, so a double-click on it is not the form's.
Label::Label(Form& parent, const TwipsRect& rect, int id, const char* caption) : Control(parent) {
    Create("STATIC", caption, SS_LEFT | SS_NOTIFY, 0, rect, id);
}

void Label::Caption(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

}  // namespace brennick::ui
