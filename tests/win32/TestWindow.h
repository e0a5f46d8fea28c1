// Real windows for the tests that run against the system's user32.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

namespace brennick::test {

// A hidden top-level window of a class whose procedure records the messages it receives.
// Destroyed with the object unless the test destroyed it first.
class TestWindow {
public:
    explicit TestWindow(DWORD style = WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window_; }
    void Destroy();  // the handle and the log of received messages stay readable

    // Messages that reached the class's own procedure, and what it answers.
    std::vector<UINT>& Received();
    static LRESULT& Answer();

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND window_ = nullptr;
    bool destroyed_ = false;
};

}  // namespace brennick::test
