// A window that the test or benchmark created and destroys, unless it is gone already.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <utility>

namespace brennick::test {

class OwnedWindow {
public:
    explicit OwnedWindow(HWND window = nullptr) : window_(window) {}
    OwnedWindow(OwnedWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
    OwnedWindow& operator=(OwnedWindow other) noexcept {
        std::swap(window_, other.window_);
        return *this;
    }
    ~OwnedWindow() {
        if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
    }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

}  // namespace brennick::test
