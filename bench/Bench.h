// What the benchmark's groups share: the harness, the windows they measure (BenchWindow.cpp), and
// the groups themselves. Every case's windows are of one class ("BrennickBench"), so that the
// cases differ only in what sits in front of its procedure.
#pragma once

#include "app/toolkit/Handles.h"  // with <windows.h>
#include "bench/Harness.h"

namespace brennick_bench {

using OwnedWindow = brennick::ui::UniqueWindow;

// The class's procedure answers WM_USER with this, once the message is passed on to it. It hands
// WM_VSCROLL and WM_MOUSEWHEEL to HandledByHand (PanelCases.cpp), and whatever that does not
// handle to DefWindowProcA.
constexpr LRESULT kForwardAnswer = 7;
bool HandledByHand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A top-level window of the bench class, shown without activation unless visible is false (a
// hidden window paints nothing).
OwnedWindow TopLevel(bool visible = true);
// A hidden top-level window of one pixel, for cases that need thousands of windows: 10,000 hidden
// windows of the usual size exhaust a 32-bit process's memory under Wine.
OwnedWindow HiddenSmall();
// A bordered child of the bench class with both built-in scroll bars.
OwnedWindow Panel(HWND parent, int x, int y);
// A child window of a system class ("STATIC" for a picture, "EDIT" for a text box).
OwnedWindow Child(const char* className, HWND parent, int x, int y, int width, int height);
// Lets queued and paint messages run, so that no sample inherits another's backlog.
void PumpMessages();

// The groups, each adding its cases with the fixtures they measure: forward, scale and threads
// (ForwardCases.cpp), scroll line and wheel (PanelCases.cpp), start-up (StartupCases.cpp), which
// launches minimal (bench/minimal: one empty window), bare (bench/bare: the test window's windows
// without components) and app (Brennick.exe).
void AddForwardCases(Suite& suite);
void AddScaleCases(Suite& suite);
void AddThreadCases(Suite& suite);
void AddScrollCases(Suite& suite);
void AddWheelCases(Suite& suite);
void AddStartupCases(Suite& suite, const std::wstring& minimal, const std::wstring& bare, const std::wstring& app);

}  // namespace brennick_bench
