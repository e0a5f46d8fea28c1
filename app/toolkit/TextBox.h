// A single-line text box: the system's EDIT, with a text and a background colour.
#pragma once

#include <cstdint>
#include <string>

#include "app/toolkit/BackColor.h"
#include "app/toolkit/Control.h"

namespace brennick::ui {

class TextBox final : public Control {
public:
    TextBox(Form& parent, const TwipsRect& rect, int id, std::uint32_t backColor);

    void Text(const std::string& text);

    std::uint32_t BackColor() const { return backColor_.Stored(); }
    void BackColor(std::uint32_t stored);

    HBRUSH OnControlColor(HDC dc) override;

private:
    ui::BackColor backColor_;
};

}  // namespace brennick::ui
