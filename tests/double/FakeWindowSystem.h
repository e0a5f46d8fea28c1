// A recording stand-in for the window layer: windows with properties, procedures, threads, timers
// and two scroll bars, foreign subclassing layers, and every call made, with its arguments. One
// instance is current at a time; the layer's functions go to it.
// Threaded (the thread stress), real threads call it at once: each is a thread of its own, a
// message sent to another thread's window is swallowed, a posted one waits until its thread
// delivers it, and calls are not recorded.
#pragma once

#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace brennick::test {

// clang-format off
enum class Api { GetScrollInfo, SetScrollInfo, ShowScrollBar, IsWindow, IsWindowUnicode, GetProp, SetProp, RemoveProp,
    SetWindowProcedureA, SetWindowProcedureW, GetWindowProcedureA, GetWindowProcedureW, CallWindowProcA,
    CallWindowProcW, DefWindowProc, GetWindowThreadProcessId, GetCurrentThreadId, SystemParametersInfo, FindWindow,
    RegisterWindowMessage, SendMessage, PostMessage, GetWindowRect, GetProgramFileVersion, SetTimer, KillTimer,
    SetCapture, ReleaseCapture, GetCapture, GetClientRect, LoadSystemCursor, SetCursor };
// clang-format on

// One call, with the arguments it was given (the others stay empty), and the calling thread.
struct Call {
    Api api{};
    win::Hwnd window = nullptr;
    int bar = 0;
    std::string text{};  // property, class or message name
    win::ScrollInfo info{};
    bool flag = false;  // redraw, show
    const void* value = nullptr;
    unsigned int message = 0;
    win::WParam wParam = 0;
    win::LParam lParam = 0;
    std::uint32_t thread = 0;
};

// A bar as SetScrollInfo left it, without the system's rules (the tests of those run on real
// windows). A dragged thumb has a track position of its own.
struct FakeBar {
    std::int32_t min = 0, max = 0, pos = 0, track = 0;
    std::uint32_t page = 0;
    bool dragging = false;
};

// A procedure that saw a message: a foreign layer (its number) or the window's own.
struct Visit {
    int layer;
    unsigned int message;
    win::WParam wParam;
    win::LParam lParam;
    bool operator==(const Visit&) const = default;
};
inline constexpr int kOwnProcedure = -1;

// A foreign subclassing layer. Raw: removed below the top it only stops recording (it cannot
// leave without cutting out those above). Comctl32 style: removed below the top, it leaves once a
// message finds it on top.
struct Layer {
    int number;
    win::WndProc prev;
    bool comctl32Style, removed = false;
};

// unicode: the character set of its procedure; layers: bottom first; visits: what the foreign
// layers and its own procedure saw; answer: what its own procedure returns; timers: by id. Its
// client area is 200 by 100.
struct FakeWindow {
    bool alive = true, unicode = false;
    std::string className{}, title{};
    win::WndProc procedure = nullptr;
    std::uint32_t thread = 1;
    std::map<std::string, void*> properties{};
    std::array<FakeBar, 2> bars{};
    std::vector<Layer> layers{};
    std::vector<Visit> visits{};
    win::LResult answer = 0;
    std::map<std::uintptr_t, win::TimerProc> timers{};
    FakeBar& Bar(int bar) { return bars.at(bar == 1 ? 1 : 0); }  // SB_HORZ's or SB_VERT's
};

class FakeWindowSystem {
    static inline std::atomic<std::uint32_t> threads_{1};  // numbers the real threads

public:
    explicit FakeWindowSystem(bool threaded = false) : threaded_(threaded) { current_ = this, currentThread = 1; }
    ~FakeWindowSystem() { current_ = nullptr; }
    static FakeWindowSystem* Current() { return current_; }

    // A new window runs OwnProcedure, which records what it receives, on the calling thread; it
    // may take a destroyed window's handle, come back.
    win::Hwnd CreateWindow(const std::string& className = "Fake", bool unicode = false, win::Hwnd handle = nullptr);
    win::Hwnd CreateWindowReusing(win::Hwnd handle) { return CreateWindow("Fake", false, handle); }
    void DestroyWindow(win::Hwnd window);  // WM_DESTROY and WM_NCDESTROY through its procedure
    // To the window's procedure on its thread (the sender waits; threaded, another thread's is swallowed).
    win::LResult Send(win::Hwnd window, unsigned int message, win::WParam wParam = 0, win::LParam lParam = 0);
    void DeliverPosted();  // the posted messages (threaded, the calling thread's), oldest first
    FakeWindow& Window(win::Hwnd window) { return windows.at(window); }
    FakeBar& Bar(win::Hwnd window, int bar) { return Window(window).Bar(bar); }
    // The window while it lives, else null.
    FakeWindow* Find(win::Hwnd h) { return windows.contains(h) && Window(h).alive ? &Window(h) : nullptr; }
    static win::LResult BRENNICK_CALLBACK OwnProcedure(win::Hwnd, unsigned int, win::WParam, win::LParam);

    // Foreign layers 0..kLayers-1, each recording what it sees and passing it on.
    static constexpr int kLayers = 4;
    void InstallLayer(win::Hwnd window, int layer, bool comctl32Style);
    void RemoveLayer(win::Hwnd window, int layer);
    std::vector<int> LayersTopFirst(win::Hwnd window);  // installed and not removed
    // A raw layer removed below the top is in the chain for good.
    bool Stuck(win::Hwnd window) { return std::ranges::any_of(Window(window).layers, &Layer::removed); }

    void Tick(win::Hwnd window);  // hands each of the window's timers one WM_TIMER, as DispatchMessage does
    win::Hwnd capture = nullptr;  // the window that holds the mouse capture

    std::map<win::Hwnd, FakeWindow> windows;  // by handle, the destroyed ones too
    std::vector<Call> calls, posted;          // posted: PostMessageA's messages not yet delivered
    std::vector<Call> CallsOf(Api api) const;
    void Record(Call call);
    std::unique_lock<std::mutex> Guard() { return std::unique_lock(mutex_); }  // held to read or change the windows

    // Script. dropSentMessages: SendMessageA delivers nothing (someone's procedure swallowed it).
    bool refuseSetProp = false, failSetWindowProcedure = false, dropSentMessages = false;
    std::int32_t wheelScrollLines = 3, wheelScrollChars = 3;
    std::function<void(const Call&)> onCall;  // runs after each call is recorded
    // The calling thread: each real one has a number of its own, the one that made the fake 1. A
    // test makes calls as another thread by setting it; a message sent to a window runs as the
    // window's thread.
    static inline thread_local std::uint32_t currentThread = ++threads_;

private:
    static inline FakeWindowSystem* current_ = nullptr;
    const bool threaded_;
    std::mutex mutex_;
};

}  // namespace brennick::test
