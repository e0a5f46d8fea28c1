#include "app/toolkit/TextBox.h"

namespace brennick::ui {

TextBox::TextBox(Form& parent, const TwipsRect& rect, int id, std::uint32_t backColor)
    : Control(parent), backColor_(backColor) {
    Create("EDIT", "", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, rect, id);
    PublishBackColor(Handle(), backColor);
}

void TextBox::Text(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

void TextBox::BackColor(std::uint32_t stored) {
    backColor_.Set(stored);
    PublishBackColor(Handle(), stored);
    InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH TextBox::OnControlColor(HDC dc) {
    SetBkColor(dc, backColor_.Resolve());
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return backColor_.Brush();
}

}  // namespace brennick::ui
