// The soak: long runs of both components on real windows, with the process's resources counted
// before and after. Attach and detach cycles of each component, then mixed messages through
// hooked windows (a controller, a wheel hook, and both on one window). Every message must arrive
// where the components send it, and the process must hold no more windows, USER or GDI objects
// or committed private memory afterwards (within a page-granular tolerance). Last, threads that
// hook a window and end, which must leave no heap byte behind. Each run starts with
// a warm-up, so that what the system sets up once on first use is in place before the first count.
//   brennick_soak [--cycles N] [--rounds N]   (defaults 100,000 and 100,000 rounds of 10 messages)
// Prints one line per run and exits 1 when anything grew or went astray. The test run uses it,
// with short runs, as its leak check.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/toolkit/Handles.h"
#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>

namespace {

using brennick::Bool16;
using brennick::kTrue;
using brennick::MakeRef;
using brennick::Ref;

// Heaps commit and keep whole pages as blocks come and go: 256 KiB is 64 pages, and a leak of a
// few bytes a cycle or message of a full run already exceeds it.
constexpr std::size_t kPrivateMemoryTolerance = 256 * 1024;

std::uint64_t userArrived = 0;
std::uint64_t wheelArrived = 0;

LRESULT CALLBACK SoakProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return static_cast<LRESULT>(++userArrived, 0);
    if (message == WM_MOUSEWHEEL) return static_cast<LRESULT>(++wheelArrived, 0);
    return DefWindowProcA(window, message, wParam, lParam);
}

brennick::ui::UniqueWindow NewWindow() {
    static const ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &SoakProcedure;
        windowClass.lpszClassName = "BrennickSoak";
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
    return brennick::ui::UniqueWindow(CreateWindowExA(0, "BrennickSoak", "", WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL,
                                                      0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr));
}

struct Resources {
    DWORD user = 0, gdi = 0;
    std::size_t windows = 0, privateCommit = 0;
};

BOOL CALLBACK Count(HWND window, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    EnumChildWindows(window, &Count, count);
    return TRUE;
}

// Wine counts no USER or GDI objects: there the thread's windows and the committed private pages,
// summed over the address space, stand for them.
Resources Measure() {
    Resources r;
    r.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    r.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    EnumThreadWindows(GetCurrentThreadId(), &Count, reinterpret_cast<LPARAM>(&r.windows));
    MEMORY_BASIC_INFORMATION region;
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) r.privateCommit += region.RegionSize;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return r;
}

// Prints the run's line; true when nothing grew and every check held.
bool Report(const char* run, const Resources& before, const Resources& after, bool held, double seconds) {
    const long long grew = static_cast<long long>(after.privateCommit) - static_cast<long long>(before.privateCommit);
    const bool ok = held && after.windows == before.windows && after.user <= before.user && after.gdi <= before.gdi &&
                    grew <= static_cast<long long>(kPrivateMemoryTolerance);
    std::printf("%-48s %8.1f s  windows %zu -> %zu, USER %lu -> %lu, GDI %lu -> %lu, private memory %+lld bytes  %s\n",
                run, seconds, before.windows, after.windows, before.user, after.user, before.gdi, after.gdi, grew,
                ok ? "ok" : "FAILED");
    return ok;
}

double Seconds(LARGE_INTEGER start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Each cycle creates a component, hooks the window and drops it, which unhooks it.
template <class Component>
bool AttachDetach(const char* name, long cycles) {
    const auto window = NewWindow();
    const auto cycle = [&](long count) {
        long hooked = 0;
        for (long i = 0; i < count; ++i) {
            const Ref<Component> component = MakeRef<Component>();
            component->SubClass(window.Get());
            hooked += component->TargetWnd() == window.Get() ? 1 : 0;
        }
        return hooked;
    };
    cycle(cycles / 100 + 1);
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const Resources before = Measure();
    const bool allHooked = cycle(cycles) == cycles;
    const Resources after = Measure();
    const std::uint64_t arrived = userArrived;
    SendMessageA(window.Get(), WM_USER, 0, 0);
    const bool restored = GetWindowLongPtrA(window.Get(), GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SoakProcedure) &&
                          userArrived == arrived + 1;
    const std::string run = std::to_string(cycles) + " attach and detach cycles, " + name;
    return Report(run.c_str(), before, after, allHooked && restored, Seconds(start));
}

// A controller on one window, a wheel hook on another, both on a third (the hook outermost); the
// hooks consume every second wheel turn and pass the others on.
bool MixedMessages(long rounds) {
    const auto panel = NewWindow(), hooked = NewWindow(), both = NewWindow();
    std::uint64_t changes = 0, scrolls = 0, panelWheels = 0, hookWheels = 0, bothHookWheels = 0, bothWheels = 0;
    const auto bars = MakeRef<brennick::CScrollBars>(), bothBars = MakeRef<brennick::CScrollBars>();
    const auto hook = MakeRef<brennick::cSubClassWheel>(), bothHook = MakeRef<brennick::cSubClassWheel>();
    bars->SubClass(panel.Get());
    bars->VMax(1000), bars->VLargeChange(10), bars->VSmallChange(1), bars->HMax(1000), bars->HLargeChange(10);
    bars->WheelSupport(kTrue);
    bars->VChange.Connect([&](std::int32_t) { ++changes; });
    bars->HChange.Connect([&](std::int32_t) { ++changes; });
    bars->VScroll.Connect([&](std::int32_t) { ++scrolls; });
    bars->WheelRotate.Connect([&](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&) { ++panelWheels; });
    hook->SubClass(hooked.Get());
    hook->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16& w) { w = Bool16::From(++hookWheels % 2 == 0); });
    bothBars->SubClass(both.Get());
    bothBars->WheelSupport(kTrue);
    bothBars->WheelRotate.Connect([&](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&) { ++bothWheels; });
    bothHook->SubClass(both.Get());
    bothHook->WheelRotate.Connect([&](auto&, auto&, auto&, auto&, Bool16& w) { w = Bool16::From(++bothHookWheels % 2 == 0); });
    const WPARAM turn = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
    const auto round = [&] {
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
    };
    for (long i = 0; i < 2 * (rounds / 200 + 1); ++i) round();  // an even number: the hooks' turns stay in step
    const std::uint64_t c0 = changes, s0 = scrolls, p0 = panelWheels, h0 = hookWheels, b0 = bothWheels, u0 = userArrived,
                        w0 = wheelArrived;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const Resources before = Measure();
    for (long i = 0; i < rounds; ++i) round();
    const Resources after = Measure();
    const auto n = static_cast<std::uint64_t>(rounds);
    const bool arrived = changes - c0 == 3 * n && scrolls - s0 == n && panelWheels - p0 == n && hookWheels - h0 == n &&
                         userArrived - u0 == 3 * n && bothWheels - b0 == n / 2 && wheelArrived - w0 == n / 2;
    const std::string run = std::to_string(10 * rounds) + " mixed messages through hooked windows";
    return Report(run.c_str(), before, after, arrived, Seconds(start));
}

// Bytes in use in the process's heaps, to the byte (committed pages hide a small leak).
std::size_t HeapBytes() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    std::size_t bytes = 0;
    for (DWORD h = 0; h < count && h < 64; ++h) {
        HeapLock(heaps[h]);
        for (PROCESS_HEAP_ENTRY entry{}; HeapWalk(heaps[h], &entry);) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0) bytes += entry.cbData;
        }
        HeapUnlock(heaps[h]);
    }
    return bytes;
}

DWORD WINAPI HookOnce(void*) {
    const auto window = NewWindow();
    MakeRef<brennick::CScrollBars>()->SubClass(window.Get());
    return 0;
}

// Threads that each hook a window of their own, let go and end: what the hook kept for each
// thread goes with it.
bool ThreadEnds(long threads) {
    const auto run = [](long count) {
        for (long i = 0; i < count; ++i) {
            const HANDLE thread = CreateThread(nullptr, 0, &HookOnce, nullptr, 0, nullptr);
            if (thread != nullptr) WaitForSingleObject(thread, INFINITE), CloseHandle(thread);
        }
    };
    run(threads / 10 + 1);
    const std::string line = std::to_string(threads) + " threads that hooked a window ended";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    const Resources before = Measure();
    const std::size_t heap = HeapBytes();
    run(threads);
    return Report(line.c_str(), before, Measure(), HeapBytes() <= heap, Seconds(start));
}

long Number(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= 2 && value <= 100'000'000 ? value : -1;
}

}  // namespace

int main(int argc, char** argv) {
    long cycles = 100'000, rounds = 100'000;
    for (int i = 1; i < argc; ++i) {
        long* target = std::strcmp(argv[i], "--cycles") == 0 ? &cycles : std::strcmp(argv[i], "--rounds") == 0 ? &rounds : nullptr;
        if (target == nullptr || i + 1 == argc || (*target = Number(argv[++i])) < 0) {
            std::fprintf(stderr, "brennick_soak: valid options are --cycles N and --rounds N (N from 2 to 100000000)\n");
            return 2;
        }
    }
    bool ok = AttachDetach<brennick::CScrollBars>("CScrollBars", cycles);
    ok = AttachDetach<brennick::cSubClassWheel>("cSubClassWheel", cycles) && ok;
    ok = MixedMessages(rounds) && ok;
    ok = ThreadEnds(cycles / 400) && ok;
    return ok ? 0 : 1;
}
