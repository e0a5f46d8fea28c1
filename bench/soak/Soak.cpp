// The soak: long runs of both components on real windows, with the process's resources counted
// before and after. Attach and detach cycles of each component, then mixed messages through
// hooked windows (a controller, a wheel hook, and both on one window). Every message must arrive
// where the components send it, and the process must hold no more windows, USER or GDI objects
// or committed private memory afterwards (within a page-granular tolerance). Last, threads that
// hook a window and end, and fibers that hook a window and are deleted while their thread goes
// on, which must leave no heap byte behind. Each run starts with a warm-up, so that what the
// system sets up once on first use is in place before the first count.
//   brennick_soak [--cycles N] [--rounds N]   (defaults 100,000 and 100,000 rounds of 10 messages)
// Prints one line per run and exits 1 when anything grew or went astray. The test run uses it,
// with short runs, as its leak check.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/toolkit/Handles.h"  // with <windows.h>
#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>

namespace {

using namespace brennick;

// Heaps commit and keep whole pages as blocks come and go: 256 KiB is 64 pages, and a leak of a
// few bytes a cycle or message of a full run already exceeds it.
constexpr long long kPrivateMemoryTolerance = 256 * 1024;

std::uint64_t userArrived = 0, wheelArrived = 0;

LRESULT CALLBACK SoakProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return static_cast<LRESULT>(++userArrived, 0);
    if (message == WM_MOUSEWHEEL) return static_cast<LRESULT>(++wheelArrived, 0);
    return DefWindowProcA(window, message, wParam, lParam);
}

ui::UniqueWindow NewWindow() {
    static const WNDCLASSA wc{0, &SoakProcedure, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "BrennickSoak"};
    static const ATOM atom = RegisterClassA(&wc);
    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL;
    return ui::UniqueWindow(
        CreateWindowExA(0, MAKEINTATOM(atom), "", style, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr));
}

BOOL CALLBACK Count(HWND window, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    EnumChildWindows(window, &Count, count);
    return TRUE;
}

// The process's resources. Wine counts no USER or GDI objects: there the thread's windows and the
// committed private pages, summed over the address space, stand for them. Also, when heap is set,
// the bytes in use in the process's heaps, to the byte (committed pages hide a small leak).
struct Resources {
    DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::size_t windows = 0, privateCommit = 0, heapBytes = 0;
    ULONGLONG milliseconds = GetTickCount64();
};

Resources Measure(bool heap) {
    Resources r;
    EnumThreadWindows(GetCurrentThreadId(), &Count, reinterpret_cast<LPARAM>(&r.windows));
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) r.privateCommit += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    HANDLE heaps[64];
    for (DWORD h = 0, count = heap ? GetProcessHeaps(64, heaps) : 0; h < count && h < 64; ++h) {
        HeapLock(heaps[h]);
        for (PROCESS_HEAP_ENTRY entry{}; HeapWalk(heaps[h], &entry);) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) r.heapBytes += entry.cbData;
        }
        HeapUnlock(heaps[h]);
    }
    return r;
}

// One run: work(warmup) untimed, then work(count) between two counts of the process's resources
// (with heap, the bytes in use in its heaps must not grow at all); work returns whether its own
// checks held. Prints the run's line; true when nothing grew and every check held.
template <class Work>
bool Soak(const std::string& run, long warmup, long count, bool heap, Work work) {
    work(warmup);
    const Resources before = Measure(heap);
    const bool held = work(count);
    const Resources after = Measure(heap);
    const double seconds = static_cast<double>(after.milliseconds - before.milliseconds) / 1000.0;
    const long long grew = static_cast<long long>(after.privateCommit) - static_cast<long long>(before.privateCommit);
    const bool ok = held && after.windows == before.windows && after.user <= before.user && after.gdi <= before.gdi &&
                    grew <= kPrivateMemoryTolerance && after.heapBytes <= before.heapBytes;
    std::printf("%-48s %8.1f s  windows %zu -> %zu, USER %lu -> %lu, GDI %lu -> %lu, private memory %+lld bytes  %s\n",
                run.c_str(), seconds, before.windows, after.windows, before.user, after.user, before.gdi, after.gdi,
                grew, ok ? "ok" : "FAILED");
    return ok;
}

// Each cycle creates a component, hooks the window and drops it, which unhooks it; afterwards the
// window's own procedure is back and gets its messages.
template <class Component>
struct AttachDetach {
    bool operator()(long cycles) const {
        long hooked = 0;
        for (long i = 0; i < cycles; ++i) {
            const Ref<Component> component = MakeRef<Component>();
            component->SubClass(window.Get());
            hooked += component->TargetWnd() == window.Get() ? 1 : 0;
        }
        const std::uint64_t arrived = userArrived;
        SendMessageA(window.Get(), WM_USER, 0, 0);
        return hooked == cycles && userArrived == arrived + 1 &&
               GetWindowLongPtrA(window.Get(), GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SoakProcedure);
    }
    ui::UniqueWindow window = NewWindow();
};

// A controller on one window, a wheel hook on another, both on a third (the hook outermost); the
// hooks consume every second wheel turn and pass the others on. Rounds of ten messages.
struct MixedMessages {
    MixedMessages() {
        bars->SubClass(panel.Get());
        bars->VMax(1000), bars->VLargeChange(10), bars->VSmallChange(1), bars->HMax(1000), bars->HLargeChange(10);
        bars->WheelSupport(kTrue);
        bars->VChange.Connect([this](std::int32_t) { ++changes; });
        bars->HChange.Connect([this](std::int32_t) { ++changes; });
        bars->VScroll.Connect([this](std::int32_t) { ++scrolls; });
        bars->WheelRotate.Connect([this](auto, auto, auto, auto, Bool16&) { ++panelWheels; });
        hook->SubClass(hooked.Get());
        hook->WheelRotate.Connect([this](auto&, auto&, auto&, auto&, Bool16& w) { EverySecond(hookTurns, w); });
        bothBars->SubClass(both.Get());
        bothBars->WheelSupport(kTrue);
        bothBars->WheelRotate.Connect([this](auto, auto, auto, auto, Bool16&) { ++bothWheels; });
        bothHook->SubClass(both.Get());
        bothHook->WheelRotate.Connect([this](auto&, auto&, auto&, auto&, Bool16& w) { EverySecond(bothHookTurns, w); });
    }

    // A hook's handler: consumes every second turn, counted in turns.
    static void EverySecond(std::uint64_t& turns, Bool16& wheeled) { wheeled = Bool16::From(++turns % 2 == 0); }

    // Counts afresh, so that the hooks' turns start in step.
    bool operator()(long rounds) {
        changes = scrolls = panelWheels = hookTurns = bothHookTurns = bothWheels = userArrived = wheelArrived = 0;
        const WPARAM turn = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
        for (long i = 0; i < rounds; ++i) {
            SendMessageA(panel.Get(), WM_USER, 0, 0);
            SendMessageA(panel.Get(), WM_VSCROLL, SB_LINEDOWN, 0);
            SendMessageA(hooked.Get(), WM_USER, 0, 0);
            SendMessageA(panel.Get(), WM_MOUSEWHEEL, turn, 0);
            SendMessageA(panel.Get(), WM_HSCROLL, SB_PAGEDOWN, 0);
            SendMessageA(hooked.Get(), WM_MOUSEWHEEL, turn, 0);
            SendMessageA(both.Get(), WM_USER, 0, 0);
            SendMessageA(panel.Get(), WM_VSCROLL, SB_TOP, 0);
            SendMessageA(both.Get(), WM_MOUSEWHEEL, turn, 0);
            SendMessageA(panel.Get(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5), 0);
        }
        const auto n = static_cast<std::uint64_t>(rounds);
        return changes == 3 * n && scrolls == n && panelWheels == n && hookTurns == n && userArrived == 3 * n &&
               bothWheels == n / 2 && wheelArrived == n / 2;
    }

    ui::UniqueWindow panel = NewWindow(), hooked = NewWindow(), both = NewWindow();
    std::uint64_t changes = 0, scrolls = 0, panelWheels = 0, hookTurns = 0, bothHookTurns = 0, bothWheels = 0;
    Ref<CScrollBars> bars = MakeRef<CScrollBars>(), bothBars = MakeRef<CScrollBars>();
    Ref<cSubClassWheel> hook = MakeRef<cSubClassWheel>(), bothHook = MakeRef<cSubClassWheel>();
};

// Threads that each hook a window of their own, let go and end: what the hook kept for each
// thread goes with it.
DWORD WINAPI HookOnce(void*) {
    const auto window = NewWindow();
    MakeRef<CScrollBars>()->SubClass(window.Get());
    return 0;
}

bool ThreadEnds(long threads) {
    for (long i = 0; i < threads; ++i) {
        const HANDLE thread = CreateThread(nullptr, 0, &HookOnce, nullptr, 0, nullptr);
        if (thread != nullptr) WaitForSingleObject(thread, INFINITE), CloseHandle(thread);
    }
    return true;
}

// Fibers that each hook a window and are deleted while their thread goes on: what the hook kept
// for each fiber (its cache of links, in fiber-local storage) goes with it. A fiber hands its
// controller out before it switches back, as deleting it runs nothing left on its stack; the main
// fiber then lets the controller go and destroys the window.
void* mainFiber = nullptr;  // the thread, converted to a fiber for the fiber run

struct FiberRound {
    HWND window;
    Ref<CScrollBars> controller;
};

void WINAPI HookOnFiber(void* parameter) {
    FiberRound& round = *static_cast<FiberRound*>(parameter);
    round.controller = MakeRef<CScrollBars>();
    round.controller->SubClass(round.window);
    SwitchToFiber(mainFiber);  // never resumed
}

bool FiberEnds(long fibers) {
    for (long i = 0; i < fibers && mainFiber != nullptr; ++i) {
        const auto window = NewWindow();
        FiberRound round{window.Get(), nullptr};
        void* const fiber = CreateFiber(0, &HookOnFiber, &round);
        if (fiber != nullptr) SwitchToFiber(fiber), DeleteFiber(fiber);
        if (fiber == nullptr || round.controller->TargetWnd() != window.Get()) return false;
    }
    return mainFiber != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    long cycles = 100'000, rounds = 100'000;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        long* value = option == "--cycles" ? &cycles : option == "--rounds" ? &rounds : nullptr;
        char* end = nullptr;  // stays null without a value: argv[argc] is null too
        if (value != nullptr && i + 1 < argc) *value = std::strtol(argv[i + 1], &end, 10);
        if (value == nullptr || end == argv[i + 1] || *end != '\0' || *value < 2 || *value > 100'000'000) {
            std::fputs("brennick_soak: valid options are --cycles N and --rounds N (N from 2 to 100000000)\n", stderr);
            return 2;
        }
    }
    const std::string cycled = std::to_string(cycles) + " attach and detach cycles, ";
    const long ends = cycles / 400;
    bool ok = Soak(cycled + "CScrollBars", cycles / 100 + 1, cycles, false, AttachDetach<CScrollBars>{});
    ok = Soak(cycled + "cSubClassWheel", cycles / 100 + 1, cycles, false, AttachDetach<cSubClassWheel>{}) && ok;
    const std::string mixed = std::to_string(10 * rounds) + " mixed messages through hooked windows";
    ok = Soak(mixed, 2 * (rounds / 200 + 1), rounds, false, MixedMessages{}) && ok;
    const std::string threads = std::to_string(ends) + " threads that hooked a window ended";
    ok = Soak(threads, ends / 10 + 1, ends, true, &ThreadEnds) && ok;
    mainFiber = ConvertThreadToFiber(nullptr);
    const std::string fibers = std::to_string(ends) + " fibers that hooked a window were deleted";
    ok = Soak(fibers, ends / 10 + 1, ends, true, &FiberEnds) && ok;
    if (mainFiber != nullptr) ConvertFiberToThread();
    return ok ? 0 : 1;
}
