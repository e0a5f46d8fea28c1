// A recording stand-in for the window layer. It records every call with its arguments, keeps
// windows with properties, procedures, threads and two scroll bars that clamp like Win32's, and
// answers as a test scripts it. One instance is current at a time; the layer's functions go to it.
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
    GetScrollInfo, SetScrollInfo, ShowScrollBar, IsWindow, IsWindowUnicode, GetProp, SetProp, RemoveProp,
    SetWindowProcedureA, SetWindowProcedureW, GetWindowProcedureA, GetWindowProcedureW, CallWindowProcA,
    CallWindowProcW, DefWindowProcA, DefWindowProcW, GetWindowThreadProcessId, GetCurrentThreadId,
    SystemParametersInfo, FindWindow, RegisterWindowMessage, SendMessage, GetWindowRect, GetProgramFileVersion,
};

const char* ApiName(Api api);
inline std::ostream& operator<<(std::ostream& out, Api api) { return out << ApiName(api); }

// One call to the layer, with the arguments it was given (fields not used by a call stay empty).
struct Call {
    Api api{};
    win::Hwnd window = nullptr;
    int bar = 0;
    std::string text;   // property name, class name, message name
    win::ScrollInfo info;
    bool flag = false;  // redraw, show
    const void* value = nullptr;
    win::WndProc procedure = nullptr;
    unsigned int message = 0;
    win::WParam wParam = 0;
    win::LParam lParam = 0;
    std::uint32_t thread = 0;  // the calling thread
};

// A scroll bar as Win32 keeps it.
struct FakeBar {
    std::int32_t min = 0, max = 0;
    std::uint32_t page = 0;
    std::int32_t pos = 0;
    bool tracking = false;  // while dragging, SIF_TRACKPOS reports trackPos instead of pos
    std::int32_t trackPos = 0;
    bool shown = false;
    bool enabled = true;
};

// A procedure that saw a message: a foreign layer (its number) or the window's own (kOwnProcedure).
struct Visit {
    int layer;
    unsigned int message;
    win::WParam wParam;
    win::LParam lParam;
    bool operator==(const Visit&) const = default;
};
inline constexpr int kOwnProcedure = -1;

struct FakeWindow {
    bool alive = true;
    std::string className, title;
    win::WndProc procedure = nullptr;
    bool unicode = false;       // the character set the current procedure was installed in
    std::uint32_t thread = 1;   // the thread that created the window
    std::map<std::string, void*> properties;
    std::array<FakeBar, 2> bars{};
    win::Rect rect{};
    std::vector<Visit> visits;  // what the foreign layers and the window's own procedure saw
    win::LResult answer = 0;    // what the window's own procedure returns
};

class FakeWindowSystem {
public:
    FakeWindowSystem();
    ~FakeWindowSystem();
    FakeWindowSystem(const FakeWindowSystem&) = delete;
    FakeWindowSystem& operator=(const FakeWindowSystem&) = delete;

    static FakeWindowSystem* Current();

    // Windows. A new window runs OwnProcedure, which records what it receives in the window.
    win::Hwnd CreateWindow(const std::string& className = "Fake", bool unicode = false);
    // A new window under the handle of a destroyed one, as the system may hand out again.
    win::Hwnd CreateWindowReusing(win::Hwnd handle);
    // Sends WM_DESTROY and WM_NCDESTROY through the window's procedure, then ends the window.
    void DestroyWindow(win::Hwnd window);
    // Delivers a message to the window's current procedure, on the window's thread.
    win::LResult Send(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam);
    FakeWindow& Window(win::Hwnd window);
    FakeBar& Bar(win::Hwnd window, int bar);
    static win::LResult BRENNICK_CALLBACK OwnProcedure(win::Hwnd, unsigned int, win::WParam, win::LParam);

    // Foreign subclassing layers, numbered 0..kLayers-1: each records what it sees and passes it
    // on. Raw: SetWindowLongPtr, and its removal below the top only stops it recording (it cannot
    // leave without cutting out those above). Comctl32 style: a removed layer below the top
    // passes messages on and leaves once it is on top again.
    static constexpr int kLayers = 4;
    void InstallLayer(win::Hwnd window, int layer, bool comctl32Style);
    void RemoveLayer(win::Hwnd window, int layer);
    bool HasLayer(win::Hwnd window, int layer) const { return layers_.contains({reinterpret_cast<std::uintptr_t>(window), layer}); }

    // The record.
    std::vector<Call> calls;
    std::vector<Api> Apis() const;
    std::vector<Call> CallsOf(Api api) const;
    void ClearCalls() { calls.clear(); }

    // Script.
    bool refuseSetProp = false;
    bool failSetWindowProcedure = false;
    bool failGetScrollInfo = false;
    std::int32_t wheelScrollLines = 3;  // what SPI_GETWHEELSCROLLLINES reports
    std::uint32_t currentThread = 1;     // the thread that calls the layer
    bool dropSentMessages = false;       // SendMessageA delivers nothing (a layer swallowed it)
    std::array<std::uint16_t, 4> programVersion{1, 0, 0, 11};
    bool programHasVersion = true;
    std::function<void(const Call&)> onCall;  // runs after each call is recorded

    // Used by the layer's functions and the foreign layers' procedures.
    void Record(Call call);
    win::LResult RunLayer(int layer, win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam);
    FakeWindow* Find(win::Hwnd window);
    std::int32_t ApplyScrollInfo(FakeWindow& window, int bar, const win::ScrollInfo& info);
    win::Hwnd FindByName(const char* className, const char* title);

private:
    struct Layer {
        win::WndProc prev = nullptr;
        bool comctl32Style = false;
        bool removed = false;
    };
    void LeaveIfOnTop(win::Hwnd window, int layer, bool removing);

    std::map<std::uintptr_t, FakeWindow> windows_;
    std::map<std::pair<std::uintptr_t, int>, Layer> layers_;
};

}  // namespace brennick::test
