// The windows the benchmark measures: one window class for every case, so that the cases differ
// only in what sits in front of the class's procedure; and owners that destroy what they made.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "app/toolkit/Handles.h"

#include <cstdint>
#include <utility>

namespace brennick_bench {

using OwnedWindow = brennick::ui::UniqueWindow;

// What the class's procedure needs to handle scroll and wheel messages by hand.
struct HandWrittenState {
    HWND picture = nullptr;   // the child that follows the vertical position
    HWND textBox = nullptr;   // receives the wheel report line
    HWND panel = nullptr;     // for a top-level window: the panel the wheel scrolls
    int originTop = 0;
    int smallChange = 1;
};

// The bench class ("BrennickBench"), registered while the object lives. Its procedure answers
// WM_USER with kForwardAnswer and handles WM_VSCROLL and WM_MOUSEWHEEL by hand for windows whose
// GWLP_USERDATA holds a HandWrittenState; everything else goes to DefWindowProcA.
class BenchClass {
public:
    static constexpr LRESULT kForwardAnswer = 7;

    BenchClass();
    ~BenchClass();
    BenchClass(const BenchClass&) = delete;
    BenchClass& operator=(const BenchClass&) = delete;

    // Shown (without activation) unless visible is false; a hidden window paints nothing.
    OwnedWindow CreateTopLevel(bool visible = true) const;
    // A hidden top-level window of one pixel, for cases that need thousands of windows: 10,000
    // hidden windows of the usual size exhaust a 32-bit process's memory under Wine.
    OwnedWindow CreateHiddenSmall() const;
    // A bordered child with both built-in scroll bars.
    OwnedWindow CreatePanel(HWND parent, int x, int y) const;

private:
    ATOM atom_ = 0;
};

// A child window of a system class ("STATIC" for a picture, "EDIT" for a text box).
OwnedWindow CreateSystemChild(const char* className, HWND parent, int x, int y, int width, int height);

// Sends count WM_USER messages to window, which its class answers with kForwardAnswer once they
// are passed on to it.
void SendForwarded(HWND window, std::int32_t count);
// Whether one such message reaches the class's procedure and its answer comes back.
bool Forwards(HWND window);

// Sends count wheel turns to window with the pointer at the middle of overPanel: one notch
// toward the user, then one away, and so on, so a bar keeps moving within its range.
void SendWheel(HWND window, HWND overPanel, std::int32_t count);

// Lets queued and paint messages run, so that no sample inherits another's backlog.
void PumpMessages();

}  // namespace brennick_bench
