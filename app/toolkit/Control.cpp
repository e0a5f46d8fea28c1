#include "app/toolkit/Control.h"

#include "app/toolkit/Form.h"

namespace brennick::ui {

Control::~Control() { parent_.Forget(*this); }

void Control::Create(const char* className, const char* text, DWORD style, DWORD exStyle, const TwipsRect& rect,
                     int id) {
    rect_ = rect;
    const PixelRect place = ToPixels(rect, parent_.Dpi());
    window_ = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                              place.width, place.height, parent_.Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
    if (window_ == nullptr) return;
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    parent_.Adopt(*this);
}

void Control::Relayout(Dpi dpi) {
    const PixelRect place = ToPixels(rect_, dpi);
    SetWindowPos(window_, nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace brennick::ui
