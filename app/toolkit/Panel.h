// A panel in the manner of a picture box: a child window of its own class with a tab stop, the
// window's built-in scroll bars (none shown until someone shows them), a background colour, and
// focus notifications. It takes the focus when clicked.
#pragma once

#include <cstdint>
#include <vector>

#include "app/toolkit/BackColor.h"
#include "app/toolkit/Control.h"
#include <brennick/Event.h>

namespace brennick::ui {

class Picture;

class Panel final : public Control {
public:
    Panel(Form& parent, const TwipsRect& rect, int id, std::uint32_t backColor);

    std::uint32_t BackColor() const { return backColor_.Stored(); }
    void BackColor(std::uint32_t stored);

    Event<> GotFocus;
    Event<> LostFocus;

    // The pictures inside, which move with the panel's layout.
    void Adopt(Picture& picture) { pictures_.push_back(&picture); }
    void Relayout(Dpi dpi) override;

    // The window procedure of the panels' class.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    LRESULT OnPaint();
    LRESULT OnMouseDown();
    LRESULT OnSetFocus();
    LRESULT OnKillFocus();
    LRESULT OnQueryScrollBar(WPARAM bar, LPARAM field);

    ui::BackColor backColor_;
    std::vector<Picture*> pictures_;
};

}  // namespace brennick::ui
