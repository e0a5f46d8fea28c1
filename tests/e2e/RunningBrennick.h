// Brennick.exe, started for one test and driven from this process through Win32 alone: the
// window is found by its class and process, the controls by their IDs; every action is a message.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/ControlIds.h"
#include "app/toolkit/Automation.h"
#include "app/toolkit/Handles.h"

namespace brennick::e2e {

using namespace ControlId;

// The program file under test, as a path this process can open.
std::string ProgramPath();

class RunningBrennick {
public:
    // Starts the program, at logPixels dots per inch (the prefix's setting while it starts), and
    // waits until its window is shown and idle. Failures are reported through gtest.
    explicit RunningBrennick(int logPixels = 96);
    ~RunningBrennick();  // closes the window if the test has not; ends a program that will not end

    HWND Form() const { return form_; }
    HWND Control(int id) const;  // pictures are found inside their panels
    std::string Text(int id) const;  // WM_GETTEXT; the form's caption for id 0
    std::uint32_t BackColor(int id) const;
    LRESULT Bar(int panelId, int bar, ui::ScrollBarField field) const;
    bool BarShown(int panelId, int bar) const;
    RECT PlaceInParent(int id) const;  // window rectangle in the parent's client coordinates
    HWND Focus() const;
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    DWORD Close();  // as the close button does; the exit code, or STILL_ACTIVE

private:
    ui::UniqueKernelHandle process_;
    DWORD processId_ = 0, threadId_ = 0;
    HWND form_ = nullptr;
    bool closed_ = false;
};

// Twips in pixels at dpi, as the layout converts them.
int Px(int twips, int dpi = 96);
// Checks every control of the window form against the documented layout at dpi (the pictures
// too unless they have moved), from outside or inside the program alike.
void ExpectLaidOut(HWND form, int dpi, bool pictures = true);

// A wheel message's wParam and lParam: notches toward the user, keys, screen point.
WPARAM WheelWParam(int notchesTowardUser, int keys);
LPARAM PointLParam(int x, int y);

}  // namespace brennick::e2e
