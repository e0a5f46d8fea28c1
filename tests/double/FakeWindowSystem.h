// A recording stand-in for the window layer. It records every call with its arguments, keeps
// windows with properties, procedures and two scroll bars that clamp like Win32's, and answers
// as a test scripts it. One instance is current at a time; the layer's functions go to it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Win32Types.h"

namespace brennick::test {

enum class Api {
    GetScrollInfo, SetScrollInfo, ShowScrollBar, IsWindow, GetProp, SetProp, RemoveProp,
    SetWindowProcedure, GetWindowProcedure, CallWindowProc, DefWindowProc, SystemParametersInfo, FindWindow,
    RegisterWindowMessage, SendMessage, GetWindowRect,
};

const char* ApiName(Api api);
inline std::ostream& operator<<(std::ostream& out, Api api) { return out << ApiName(api); }

// One call to the layer, with the arguments it was given (fields not used by a call stay empty).
struct Call {
    Api api{};
    win::Hwnd window = nullptr;
    int bar = 0;
    std::string text;   // property name, class name, message name
    std::string text2;  // window title
    win::ScrollInfo info;
    bool flag = false;  // redraw, show
    const void* value = nullptr;
    win::WndProc procedure = nullptr;
    unsigned int message = 0;
    win::WParam wParam = 0;
    win::LParam lParam = 0;
};

// A scroll bar as Win32 keeps it.
struct FakeBar {
    std::int32_t min = 0, max = 0, page = 0, pos = 0;
    bool tracking = false;  // while dragging, SIF_TRACKPOS reports trackPos instead of pos
    std::int32_t trackPos = 0;
    bool shown = false;
    bool enabled = true;
};

// A message that reached a window's own (original) procedure.
struct Received {
    unsigned int message;
    win::WParam wParam;
    win::LParam lParam;
};

struct FakeWindow {
    bool alive = true;
    std::string className, title;
    win::WndProc procedure = nullptr;
    std::map<std::string, void*> properties;
    std::array<FakeBar, 2> bars{};
    win::Rect rect{};
    std::vector<Received> received;   // messages that reached the original procedure
    win::LResult answer = 0;          // what the original procedure returns
};

class FakeWindowSystem {
public:
    FakeWindowSystem();
    ~FakeWindowSystem();
    FakeWindowSystem(const FakeWindowSystem&) = delete;
    FakeWindowSystem& operator=(const FakeWindowSystem&) = delete;

    static FakeWindowSystem* Current();

    // Windows. A new window runs OriginalProc, which records what it receives in the window.
    win::Hwnd CreateWindow(const std::string& className = "Fake", const std::string& title = "");
    // A new window under the handle of a destroyed one, as the system may hand out again.
    win::Hwnd CreateWindowReusing(win::Hwnd handle);
    // Sends WM_DESTROY and WM_NCDESTROY through the window's procedure, then ends the window.
    void DestroyWindow(win::Hwnd window);
    // Delivers a message to the window's current procedure, as the system does.
    win::LResult Send(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam);
    FakeWindow& Window(win::Hwnd window);
    FakeBar& Bar(win::Hwnd window, int bar);
    static win::LResult BRENNICK_CALLBACK OriginalProc(win::Hwnd, unsigned int, win::WParam, win::LParam);

    // The record.
    std::vector<Call> calls;
    std::vector<Api> Apis() const;
    std::vector<Call> CallsOf(Api api) const;
    void ClearCalls() { calls.clear(); }

    // Script.
    bool refuseSetProp = false;
    bool failSetWindowProcedure = false;
    bool failGetScrollInfo = false;
    std::int32_t wheelScrollLines = 3;   // what SPI_GETWHEELSCROLLLINES reports
    bool failRegisterWindowMessage = false;
    win::LResult defWindowProcAnswer = 0;
    std::function<void(const Call&)> onCall;  // runs after each call is recorded

    // Used by the layer's functions.
    void Record(Call call);
    FakeWindow* Find(win::Hwnd window);
    std::int32_t ApplyScrollInfo(FakeWindow& window, int bar, const win::ScrollInfo& info);
    unsigned int RegisterMessage(const std::string& name);
    win::Hwnd FindByName(const char* className, const char* title);

private:
    std::map<std::uintptr_t, FakeWindow> windows_;
    std::map<std::string, unsigned int> messages_;
    std::uintptr_t nextHandle_ = 0x1000;
};

}  // namespace brennick::test
