// A check box: the system's BUTTON with the auto check box style. Value 0 is clear, 1 checked,
// 2 grayed; Click follows every change the user makes.
#pragma once

#include "app/toolkit/Control.h"
#include <brennick/Event.h>

namespace brennick::ui {

class CheckBox final : public Control {
public:
    CheckBox(Form& parent, const TwipsRect& rect, int id, const char* caption, int value);

    int Value() const;

    Event<> Click;

    void OnCommand(unsigned int code) override;
};

}  // namespace brennick::ui
