// A picture box inside a panel: shows a bitmap at its natural size, placed by a single-precision
// Left and Top in twips from the panel's client corner. Mouse input passes through to the panel.
#pragma once

#include "app/toolkit/Twips.h"
#include "app/toolkit/Windows.h"

namespace brennick::ui {

class Panel;

class Picture {
public:
    // bitmap is borrowed and must outlive the picture's window.
    Picture(Panel& parent, Dpi dpi, const TwipsRect& rect, int id, HBITMAP bitmap);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture() = default;

    HWND Handle() const { return window_; }

    float Left() const { return left_; }
    void Left(float twips);
    float Top() const { return top_; }
    void Top(float twips);

    // Sizes and places the picture again, from its twips, at a new DPI.
    void Relayout(Dpi dpi);

    // The window procedure of the pictures' class.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    LRESULT OnPaint();
    void Place();

    HWND window_ = nullptr;
    Dpi dpi_;
    TwipsRect rect_;
    HBITMAP bitmap_;
    float left_;
    float top_;
    POINT placed_{};  // where the window stands, in pixels
};

}  // namespace brennick::ui
