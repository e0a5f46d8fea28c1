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

namespace brennick::e2e {

// The program file under test, as a path this process can open.
std::string ProgramPath();

// A handle of this process, closed on destruction.
class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~UniqueHandle() {
        if (handle_ != nullptr) CloseHandle(handle_);
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    HANDLE Get() const { return handle_; }
    void Reset(HANDLE handle) {
        if (handle_ != nullptr) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

struct Bar {
    int min = 0;
    int max = 0;
    unsigned int page = 0;
    int pos = 0;
};

class RunningBrennick {
public:
    // Starts the program and waits until its window is shown and idle. Failures are reported
    // through gtest; Form() is null then.
    RunningBrennick();
    // Closes the window if the test has not; a program that will not end is terminated.
    ~RunningBrennick();
    RunningBrennick(const RunningBrennick&) = delete;
    RunningBrennick& operator=(const RunningBrennick&) = delete;

    HWND Form() const { return form_; }
    HWND Control(int id) const;  // pictures are found inside their panels

    // Reading.
    std::string Text(int id) const;  // WM_GETTEXT
    std::string Caption() const;
    int Check(int id) const;  // BM_GETCHECK
    std::uint32_t BackColor(int id) const;
    bool HasProperty(HWND window, const char* name) const;
    Bar ScrollBar(int id, int bar) const;
    bool BarShown(int id, int bar) const;    // the window style carries the bar
    bool BarEnabled(int id, int bar) const;  // shown and not disabled
    RECT PlaceInParent(int id) const;        // window rectangle in the parent's client coordinates
    POINT PictureCorner(int pictureId) const;
    HWND Focus() const;
    int ScreenDpi() const;

    // Acting. Each returns when the program has handled the message.
    void Click(int checkBoxId) const;  // BM_CLICK
    void Scroll(int panelId, UINT message, int code, int thumb = 0) const;
    LRESULT Wheel(HWND target, int notchesTowardUser, int keys, int x, int y) const;
    void DoubleClickForm(int x, int y) const;  // client coordinates
    void MouseDown(int id) const;

    // Closes the window as its close button does and returns the exit code (STILL_ACTIVE if the
    // program did not end).
    DWORD Close();

private:
    LRESULT QueryBar(int id, int bar, ScrollBarField field) const;

    PROCESS_INFORMATION process_{};
    UniqueHandle processHandle_;
    UniqueHandle threadHandle_;
    HWND form_ = nullptr;
    bool closed_ = false;
};

// Seconds since midnight, local time.
int SecondOfDay();
// The seconds since midnight of a "hh:nn:ss" prefix, or -1.
int SecondOfDay(const std::string& line);

}  // namespace brennick::e2e
