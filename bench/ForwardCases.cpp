// A message the components do not handle, passed on to the class's procedure (which answers it).
// forward: windows of one class, each with a different party in front of the class's procedure;
// the floor of the components is a raw subclass (a procedure set with SetWindowLongPtr that only
// calls CallWindowProc). scale: at N = 1, 100, 1,000 and 10,000 hooked windows (hidden, top-level,
// one pixel), a message to the window hooked last against an unhooked one, and attaching then
// releasing the N windows, per window; each is hooked by a cSubClassWheel, whose attach does the
// hook's work and nothing else (a CScrollBars would also read its window's bars). threads: T = 1
// to 4 threads, each sending to a window of its own, hooked or not; a sample lasts until every
// thread has sent its batch and is given per message of one thread.
#include "bench/Bench.h"  // brings <windows.h>, which <commctrl.h> needs first

#include <commctrl.h>

#include <array>
#include <memory>
#include <thread>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>

namespace brennick_bench {
namespace {

using namespace brennick;

// Hooks window with component; whether it took.
template <class Component>
bool Hook(const Ref<Component>& component, HWND window) {
    component->SubClass(window);
    return window != nullptr && component->TargetWnd() == window;
}

void SendForwarded(HWND window, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) SendMessageA(window, WM_USER, static_cast<WPARAM>(i), 0);
}

// Why a case on window cannot count: it is not there or not hooked, or the message does not go
// through to the class's procedure.
std::string Problem(HWND window, bool hooked) {
    if (window == nullptr || !hooked) return "the window could not be created or hooked";
    return SendMessageA(window, WM_USER, 0, 0) == kForwardAnswer ? "" : "the message was not forwarded";
}

// forward: raw subclass procedures, one per layer, each only passing the message on to what it
// replaced; they stay on their windows until the windows go.
WNDPROC rawPrevious[3] = {};
template <int Layer>
LRESULT CALLBACK RawLayer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(rawPrevious[Layer], window, message, wParam, lParam);
}
template <int Layer>
bool AddRawLayer(HWND window) {
    const LONG_PTR layer = reinterpret_cast<LONG_PTR>(&RawLayer<Layer>);
    return (rawPrevious[Layer] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, layer))) != nullptr;
}

// forward: a comctl32 subclass that passes everything on (comctl32 removes it as its window goes).
LRESULT CALLBACK PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return DefSubclassProc(window, message, wParam, lParam);
}
bool Subclass(HWND window, UINT_PTR id) { return SetWindowSubclass(window, &PassOn, id, 0) != FALSE; }

// forward: a window per case. Members end in reverse order: the components unhook (the last one
// hooked first), then the windows go.
struct Layers {
    OwnedWindow parent = TopLevel();
    std::vector<OwnedWindow> windows;
    Ref<CScrollBars> scroll = MakeRef<CScrollBars>(), scroll2 = MakeRef<CScrollBars>();
    Ref<cSubClassWheel> wheel = MakeRef<cSubClassWheel>(), wheel2 = MakeRef<cSubClassWheel>();
};

// scale: the windows and their components; windows 0 to hooked - 1 are hooked, in that order.
struct ManyWindows {
    static constexpr std::int32_t kMost = 10000;  // the default quota of windows per process
    static constexpr const char* kMark = "BrennickBenchMark";

    ManyWindows() {
        for (error = unhooked.Get() != nullptr ? 0 : GetLastError(); error == 0 && std::ssize(windows) < kMost;) {
            windows.push_back(HiddenSmall());
            components.push_back(MakeRef<cSubClassWheel>());
            if (windows.back().Get() == nullptr) error = GetLastError(), windows.pop_back();
        }
    }
    ~ManyWindows() { HookFirst(0); }  // components let go before their windows go

    HWND Window(std::int32_t i) const { return windows[static_cast<std::size_t>(i)].Get(); }
    cSubClassWheel& Component(std::int32_t i) const { return *components[static_cast<std::size_t>(i)]; }
    // Exactly the first count windows hooked: when more are hooked, all are released in the order
    // they were hooked; then the missing ones are hooked in order.
    void HookFirst(std::int32_t count) {
        if (hooked > count) {
            for (std::int32_t i = 0; i < hooked; ++i) Component(i).UnSubClass();
            hooked = 0;
        }
        for (; hooked < count; ++hooked) Component(hooked).SubClass(Window(hooked));
    }
    // What an attach cannot do without, on the first count windows: reads a property of its own
    // (to refuse a window that carries it) and sets it. Unmark takes it away again.
    void Mark(std::int32_t count) const {
        for (std::int32_t i = 0; i < count; ++i) {
            if (GetPropA(Window(i), kMark) == nullptr) SetPropA(Window(i), kMark, Window(i));
        }
    }
    void Unmark() const {
        for (const OwnedWindow& window : windows) RemovePropA(window.Get(), kMark);
    }
    // Why count windows cannot be measured.
    std::string Problem(std::int32_t count) {
        const std::string created = std::to_string(windows.size()) + " windows (error " + std::to_string(error) + ")";
        if (std::ssize(windows) < count) return "could create only " + created;
        HookFirst(count);
        const HWND last = Window(count - 1);
        const std::string problem = brennick_bench::Problem(last, Component(count - 1).TargetWnd() == last);
        HookFirst(0);
        return problem;
    }

    OwnedWindow unhooked = HiddenSmall();
    std::vector<OwnedWindow> windows;
    std::vector<Ref<cSubClassWheel>> components;  // after the windows: they end first
    std::int32_t hooked = 0;
    DWORD error = 0;  // why the next window could not be created
};

// threads: a thread with two windows of its own, the second one hooked; told to, it sends a batch
// to one of them. What it is told is written before start is set and read after it is seen.
struct Worker {
    Worker() { WaitForSingleObject(done.Get(), INFINITE); }  // the windows are ready, or could not be
    ~Worker() { Tell(false, -1), thread.join(); }

    void Tell(bool toHooked, std::int32_t messages) { hooked = toHooked, count = messages, SetEvent(start.Get()); }
    void Main() {
        const OwnedWindow windows[2] = {TopLevel(false), TopLevel(false)};
        const auto wheel = MakeRef<cSubClassWheel>();  // lets go before the windows go
        problem = Problem(windows[0].Get(), true) + Problem(windows[1].Get(), Hook(wheel, windows[1].Get()));
        SetEvent(done.Get());
        for (HANDLE told = start.Get();; SetEvent(done.Get())) {
            // The thread's own messages run while it waits to be told.
            while (MsgWaitForMultipleObjects(1, &told, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) PumpMessages();
            if (count < 0) return;
            SendForwarded(windows[hooked ? 1 : 0].Get(), count);
        }
    }

    ui::UniqueKernelHandle start{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    ui::UniqueKernelHandle done{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    bool hooked = false;
    std::int32_t count = 0;  // -1: end
    std::string problem;
    std::thread thread{[this] { Main(); }};  // last: it starts once everything it uses is there
};

std::string Threads(std::size_t count) { return count == 1 ? "1 thread" : std::to_string(count) + " threads"; }

}  // namespace

void AddForwardCases(Suite& suite) {
    const auto f = std::make_shared<Layers>();
    // A case on a window of its own, with what hook puts in front of the class's procedure.
    const auto add = [&](const char* name, const char* peer, double target, const std::function<bool(HWND)>& hook) {
        const HWND window = f->windows.emplace_back(Panel(f->parent.Get(), 0, 0)).Get();
        const std::string skipped = Problem(window, window != nullptr && hook(window));
        suite.Add({.group = "forward", .name = name, .peer = peer, .skipped = skipped, .target = target, .batch = 2000},
                  {}, [f, window](std::int32_t count) { SendForwarded(window, count); });
    };
    add("unhooked window", "", 0.0, [](HWND) { return true; });
    add("raw subclass", "unhooked window", 0.0, &AddRawLayer<0>);
    add("raw subclass x2", "unhooked window", 0.0, [](HWND w) { return AddRawLayer<1>(w) && AddRawLayer<2>(w); });
    add("comctl32 SetWindowSubclass", "unhooked window", 0.0, [](HWND w) { return Subclass(w, 1); });
    add("comctl32 SetWindowSubclass x2", "unhooked window", 0.0,
        [](HWND w) { return Subclass(w, 1) && Subclass(w, 2); });
    // Each component against the raw subclass with as many layers.
    add("CScrollBars", "raw subclass", 1.2, [f](HWND w) { return Hook(f->scroll, w); });
    add("cSubClassWheel", "raw subclass", 1.2, [f](HWND w) { return Hook(f->wheel, w); });
    add("CScrollBars + cSubClassWheel", "raw subclass x2", 1.2,
        [f](HWND w) { return Hook(f->scroll2, w) && Hook(f->wheel2, w); });
}

// Targets: at the most windows, the message ratio within 1.2x of its value at 100, round by round;
// attach and release per window within 2x of their values at 100, and all attaches within 1 s.
// Each round attaches and releases 11,101 windows.
void AddScaleCases(Suite& suite) {
    const auto f = std::make_shared<ManyWindows>();
    const auto hookFirst = [f](std::int32_t count) { return [f, count] { f->HookFirst(count); }; };
    const auto unmark = [f] { f->Unmark(); };
    const std::pair<std::int32_t, std::string> counts[] = {
        {1, "1 window"}, {100, "100 windows"}, {1000, "1,000 windows"}, {ManyWindows::kMost, "10,000 windows"}};
    const std::string base = counts[1].second;  // what the most windows are judged against
    for (const auto& [count, n] : counts) {
        const std::string skipped = f->Problem(count);
        const HWND unhooked = f->unhooked.Get(), last = skipped.empty() ? f->Window(count - 1) : nullptr;
        Case attach{.group = "scale", .name = "attach, " + n, .skipped = skipped, .batch = count, .scaled = false};
        Case mark = attach, release = attach, message{.group = "scale", .skipped = skipped, .batch = 2000};
        Case plain = message;
        mark.name = "GetPropA + SetPropA alone, " + n, mark.peer = attach.name;
        release.name = "release, " + n;
        plain.name = "unhooked, " + n + " hooked";
        message.name = "last hooked of " + n, message.peer = plain.name;
        if (count == ManyWindows::kMost) {
            attach.peer = "attach, " + base, attach.target = 2.0, attach.limitNs = 1e9 / ManyWindows::kMost;
            release.peer = "release, " + base, release.target = 2.0;
            message.target = 1.2, message.reference = "last hooked of " + base;
        }
        // Attach from none hooked; release all, which leaves none hooked. The attach's floor: the
        // two property calls it makes, which Wine serves by a round trip to its server each.
        suite.Add(attach, hookFirst(0), [f](std::int32_t k) { f->HookFirst(k); });
        if (count == ManyWindows::kMost) suite.Add(mark, unmark, [f](std::int32_t k) { f->Mark(k); });
        suite.Add(plain, hookFirst(count), [f, unhooked](std::int32_t k) { SendForwarded(unhooked, k); });
        suite.Add(message, hookFirst(count), [f, last](std::int32_t k) { SendForwarded(last, k); });
        suite.Add(release, hookFirst(count), [f](std::int32_t) { f->HookFirst(0); });
    }
}

// Target: the hooked/unhooked ratio at T = 4 within 1.25x of the ratio at T = 1.
void AddThreadCases(Suite& suite) {
    const auto workers = std::make_shared<std::array<Worker, 4>>();
    std::string skipped;
    for (const Worker& worker : *workers) skipped = skipped.empty() ? worker.problem : skipped;
    // Every one of the first threads sends count messages; returns when all have.
    const auto run = [workers](std::size_t threads, bool hooked, std::int32_t count) {
        std::array<HANDLE, 4> done{};
        for (std::size_t i = 0; i < threads; ++i) (*workers)[i].Tell(hooked, count), done[i] = (*workers)[i].done.Get();
        WaitForMultipleObjects(static_cast<DWORD>(threads), done.data(), TRUE, INFINITE);
    };
    for (std::size_t threads = 1; threads <= workers->size(); ++threads) {
        const std::string unhooked = Threads(threads) + ", unhooked";
        for (const bool hooked : {false, true}) {
            Case c{.group = "threads", .name = hooked ? Threads(threads) + ", hooked" : unhooked, .skipped = skipped};
            c.batch = 20000, c.peer = hooked ? unhooked : "";
            if (hooked && threads == workers->size()) c.target = 1.25, c.reference = Threads(1) + ", hooked";
            suite.Add(c, {}, [run, threads, hooked](std::int32_t n) { run(threads, hooked, n); });
        }
    }
}

}  // namespace brennick_bench
