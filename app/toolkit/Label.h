// A label: the system's STATIC. It keeps its place in the tab order but never takes the focus,
// and it keeps its clicks to itself rather than passing them to the form.
#pragma once

#include <string>

#include "app/toolkit/Control.h"

namespace brennick::ui {

class Label final : public Control {
public:
    Label(Form& parent, const TwipsRect& rect, int id, const char* caption);

    void Caption(const std::string& text);
};

}  // namespace brennick::ui
