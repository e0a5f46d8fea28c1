// A recording stand-in for the window layer. It records every call with its arguments, keeps
// windows with properties, procedures, threads and two scroll bars that follow Win32's rules, and
// answers as a test scripts it. One instance is current at a time; the layer's functions go to it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <brennick/Win32Types.h>
#include "platform/WindowSystem.h"

namespace brennick::test {

enum class Api {
    GetScrollInfo, SetScrollInfo, ShowScrollBar, IsWindow, IsWindowUnicode, GetProp, SetProp, RemoveProp, SetWindowProcedureA,
    SetWindowProcedureW, GetWindowProcedureA, GetWindowProcedureW, CallWindowProcA, CallWindowProcW, DefWindowProcA, DefWindowProcW,
    GetWindowThreadProcessId, GetCurrentThreadId, SystemParametersInfo, FindWindow, RegisterWindowMessage, SendMessage, PostMessage, GetWindowRect,
    GetProgramFileVersion, SetTimer, KillTimer,
};

// One call to the layer, with the arguments it was given (fields a call does not use stay empty).
struct Call {
    Api api{};
    win::Hwnd window = nullptr;
    int bar = 0;
    std::string text{};  // property, class or message name
    win::ScrollInfo info{};
    bool flag = false;  // redraw, show
    const void* value = nullptr;
    unsigned int message = 0; win::WParam wParam = 0; win::LParam lParam = 0;
    std::uint32_t thread = 0;  // the calling thread
};

// A bar as the system keeps it; nobody drags its thumb here, so SIF_TRACKPOS reports pos.
struct FakeBar {
    std::int32_t min = 0, max = 0, pos = 0;
    std::uint32_t page = 0;
    bool shown = false, enabled = true;
};

// A procedure that saw a message: a foreign layer (its number) or the window's own (kOwnProcedure).
struct Visit { int layer; unsigned int message; win::WParam wParam; win::LParam lParam; bool operator==(const Visit&) const = default; };
inline constexpr int kOwnProcedure = -1;

// unicode: the character set its current procedure was installed in; thread: the one that created it;
// visits: what the foreign layers and its own procedure saw; answer: what its own procedure returns.
struct FakeWindow {
    bool alive = true, unicode = false;
    std::string className{}, title{};
    win::WndProc procedure = nullptr;
    std::uint32_t thread = 1;
    std::map<std::string, void*> properties{};
    std::array<FakeBar, 2> bars{};
    std::vector<Visit> visits{};
    win::LResult answer = 0;
};

class FakeWindowSystem {
public:
    FakeWindowSystem() { current_ = this; }
    ~FakeWindowSystem() { current_ = nullptr; }
    FakeWindowSystem(const FakeWindowSystem&) = delete;
    static FakeWindowSystem* Current() { return current_; }

    // A new window runs OwnProcedure, which records what it receives.
    win::Hwnd CreateWindow(const std::string& className = "Fake", bool unicode = false);
    win::Hwnd CreateWindowReusing(win::Hwnd handle);  // a destroyed window's handle, come back
    void DestroyWindow(win::Hwnd window);             // WM_DESTROY and WM_NCDESTROY through its procedure
    // Delivers a message to the window's current procedure, on the window's thread.
    win::LResult Send(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam);
    std::vector<Call> posted;  // PostMessageA's messages not yet delivered
    void DeliverPosted();      // each to its window, if still alive, oldest first
    FakeWindow& Window(win::Hwnd window) { return windows_.at(reinterpret_cast<std::uintptr_t>(window)); }
    FakeBar& Bar(win::Hwnd window, int bar) { return Window(window).bars.at(bar == 1 ? 1 : 0); }
    FakeWindow* Find(win::Hwnd window);  // a live window, or null
    win::Hwnd Named(const std::string& className, const std::string& title);
    static win::LResult BRENNICK_CALLBACK OwnProcedure(win::Hwnd, unsigned int, win::WParam, win::LParam);

    // Foreign subclassing layers 0..kLayers-1, each recording what it sees and passing it on. Raw:
    // removed below the top it only stops recording (it cannot leave without cutting out those
    // above). Comctl32 style: removed below the top it leaves once a message finds it on top.
    static constexpr int kLayers = 4;
    void InstallLayer(win::Hwnd window, int layer, bool comctl32Style);  // not while it is still in the chain
    void RemoveLayer(win::Hwnd window, int layer);
    bool HasLayer(win::Hwnd window, int layer) const;  // installed, and not removed or stuck
    std::vector<int> LayersTopFirst(win::Hwnd window) const;  // those HasLayer names, top first
    bool Stuck(win::Hwnd window) const;  // a raw layer removed below the top is in the chain for good
    int TopLayer(win::Hwnd window);  // the layer whose procedure the window runs, or -1
    win::LResult RunLayer(int layer, win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam);

    // Timers by window and id; Tick hands each of window's timers one WM_TIMER, as DispatchMessage does.
    std::map<std::pair<win::Hwnd, std::uintptr_t>, std::pair<unsigned int, win::TimerProc>> timers;
    void Tick(win::Hwnd window);

    std::vector<Call> calls;
    std::vector<Call> CallsOf(Api api) const;  // in order
    void ClearCalls() { calls.clear(); }
    void Record(Call call);

    // Script.
    // dropSentMessages: SendMessageA delivers nothing (a layer swallowed it).
    bool refuseSetProp = false, failSetWindowProcedure = false, failGetScrollInfo = false, dropSentMessages = false;
    std::int32_t wheelScrollLines = 3, wheelScrollChars = 3;
    std::uint32_t currentThread = 1;  // the thread that calls the layer
    std::function<void(const Call&)> onCall;  // runs after each call is recorded

private:
    struct Layer { win::WndProc prev = nullptr; bool comctl32Style = false, removed = false; int order = 0; };
    void LeaveIfOnTop(win::Hwnd window, int layer, bool removing);

    static inline FakeWindowSystem* current_ = nullptr;
    std::map<std::uintptr_t, FakeWindow> windows_;
    std::map<std::pair<std::uintptr_t, int>, Layer> layers_;
    int installs_ = 0;
};

}  // namespace brennick::test
