#include "app/toolkit/CheckBox.h"

namespace brennick::ui {

CheckBox::CheckBox(Form& parent, const TwipsRect& rect, int id, const char* caption, int value) : Control(parent) {
    Create("BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, 0, rect, id);
    SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

int CheckBox::Value() const { return static_cast<int>(SendMessageA(Handle(), BM_GETCHECK, 0, 0)); }

void CheckBox::OnCommand(unsigned int code) {
    if (code == BN_CLICKED) Click.Raise();
}

}  // namespace brennick::ui
