// Real windows for the tests that run against the system's user32.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>

namespace brennick::test {

// A procedure that saw a message: a foreign layer (its number) or the window's own (kOwn).
struct Seen {
    int layer;
    UINT message;
    WPARAM wParam;
    LPARAM lParam = 0;
    bool operator==(const Seen&) const = default;
};
inline constexpr int kOwn = -1;

// A hidden top-level window with both scroll bars, of an ANSI or a Unicode class, whose own
// procedure records what it receives and answers WM_USER and both wheels with Answer().
// Destroyed with the object unless the test destroyed it first.
class TestWindow {
public:
    TestWindow() : TestWindow(false) {}
    explicit TestWindow(bool unicode);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return window_; }
    void Destroy();

    std::vector<Seen>& Log();  // what the window's procedures saw, oldest first
    static WNDPROC Procedure(bool unicode);
    static LRESULT& Answer();

private:
    HWND window_ = nullptr;
};

// The log of what window's procedures saw; foreign layers in the tests add to it.
std::vector<Seen>& SeenBy(HWND window);

}  // namespace brennick::test
