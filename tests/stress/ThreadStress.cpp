// Real threads against the hooks, under ThreadSanitizer: each thread hooks windows of its own with
// both components, sends them messages, looks up the other threads' windows, calls into their
// components and drops the last references of components that other threads made. The window
// layer here is a small thread-safe one: a window belongs to the thread that made it, a message
// sent to another thread's window is swallowed (as a procedure of someone else's may do), and a
// posted one waits in its thread's queue until that thread pumps.
#include <atomic>
#include <barrier>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/modSubclassScrollBars.h>
#include <brennick/modSubclassWheel.h>
#include "platform/WindowSystem.h"

namespace brennick::win {
namespace {
struct Window { std::uint32_t thread; WndProc procedure; std::map<std::string, void*> properties; };
struct Posted { Hwnd window; unsigned int message; };
std::mutex state;  // guards everything below
std::map<Hwnd, Window> windows;
std::map<std::uint32_t, std::deque<Posted>> queues;
std::map<std::string, unsigned int> registered;
std::atomic<std::uint32_t> threads{1};
thread_local const std::uint32_t thisThread = threads++;

template <class Result, class Op>
Result OnWindow(Hwnd window, Result none, Op op) {
    const std::lock_guard guard(state);
    const auto found = windows.find(window);
    return found == windows.end() ? none : op(found->second);
}
}  // namespace

bool GetScrollInfo(Hwnd, int, ScrollInfo&) { return false; }
std::int32_t SetScrollInfo(Hwnd, int, const ScrollInfo& info, bool) { return info.nPos; }
bool ShowScrollBar(Hwnd, int, bool) { return true; }
bool IsWindow(Hwnd window) { return OnWindow(window, false, [](Window&) { return true; }); }
bool IsWindowUnicode(Hwnd) { return false; }
void* GetPropA(Hwnd window, const char* name) { return OnWindow<void*>(window, nullptr, [&](Window& w) { return w.properties[name]; }); }
bool SetPropA(Hwnd window, const char* name, void* value) { return OnWindow(window, false, [&](Window& w) { return w.properties[name] = value, true; }); }
void* RemovePropA(Hwnd window, const char* name) { return OnWindow<void*>(window, nullptr, [&](Window& w) { return std::exchange(w.properties[name], nullptr); }); }
WndProc SetWindowProcedureA(Hwnd window, WndProc procedure) { return OnWindow<WndProc>(window, nullptr, [&](Window& w) { return std::exchange(w.procedure, procedure); }); }
WndProc SetWindowProcedureW(Hwnd window, WndProc procedure) { return SetWindowProcedureA(window, procedure); }
WndProc GetWindowProcedureA(Hwnd window) { return OnWindow<WndProc>(window, nullptr, [](Window& w) { return w.procedure; }); }
WndProc GetWindowProcedureW(Hwnd window) { return GetWindowProcedureA(window); }
LResult CallWindowProcA(WndProc proc, Hwnd window, unsigned int message, WParam wParam, LParam lParam) { return proc ? proc(window, message, wParam, lParam) : 0; }
LResult CallWindowProcW(WndProc proc, Hwnd window, unsigned int message, WParam wParam, LParam lParam) { return proc ? proc(window, message, wParam, lParam) : 0; }
LResult DefWindowProcA(Hwnd, unsigned int, WParam, LParam) { return 0; }
LResult DefWindowProcW(Hwnd, unsigned int, WParam, LParam) { return 0; }
std::uint32_t GetWindowThreadProcessId(Hwnd window) { return OnWindow<std::uint32_t>(window, 0, [](Window& w) { return w.thread; }); }
std::uint32_t GetCurrentThreadId() { return thisThread; }
std::uintptr_t SetTimer(Hwnd, std::uintptr_t id, unsigned int, TimerProc) { return id; }
bool KillTimer(Hwnd, std::uintptr_t) { return true; }
bool SystemParametersInfoA(unsigned int, unsigned int, void*, unsigned int) { return false; }
Hwnd FindWindowA(const char*, const char*) { return nullptr; }
unsigned int RegisterWindowMessageA(const char* name) {
    const std::lock_guard guard(state);
    return registered.try_emplace(name, 0xC000u + static_cast<unsigned int>(registered.size())).first->second;
}
LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return GetWindowThreadProcessId(window) == thisThread ? CallWindowProcA(GetWindowProcedureA(window), window, message, wParam, lParam) : 0;
}
bool PostMessageA(Hwnd window, unsigned int message, WParam, LParam) { return OnWindow(window, false, [&](Window& w) { return queues[w.thread].push_back({window, message}), true; }); }
bool GetWindowRect(Hwnd, Rect&) { return false; }
bool GetProgramFileVersion(std::uint16_t (&)[4]) { return false; }

}  // namespace brennick::win

namespace {
using namespace brennick;
constexpr std::size_t kThreads = 4, kWindows = 16, kRounds = 200;
constexpr unsigned int kUser = 0x0400;  // WM_USER
std::atomic<long> sent{0}, seen{0};
win::LResult BRENNICK_CALLBACK OwnProcedure(win::Hwnd, unsigned int message, win::WParam, win::LParam) { return seen += message == kUser, 0; }

void Pump() {
    const std::deque<win::Posted> posted = [] { const std::lock_guard guard(win::state); return std::exchange(win::queues[win::thisThread], {}); }();
    for (const win::Posted& each : posted) win::SendMessageA(each.window, each.message, 0, 0);
}
}  // namespace

int main() {
    std::vector<std::atomic<win::Hwnd>> published(kThreads * kWindows);
    std::mutex handLock;
    std::vector<std::pair<Ref<CScrollBars>, Ref<cSubClassWheel>>> handed;  // dropped by whichever thread takes them
    const auto token = std::make_shared<int>();  // held by every component's handlers: a leak keeps it
    std::barrier rounds(kThreads), drained(kThreads);
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (std::size_t t = 0; t < kThreads; ++t) workers.emplace_back([&, t] {
        std::vector<win::Hwnd> own;
        for (std::size_t i = 0; i < kWindows; ++i) {
            const auto window = reinterpret_cast<win::Hwnd>(0x10000 + (t * kWindows + i) * 4);
            std::lock_guard<std::mutex>{win::state}, win::windows[window] = {win::thisThread, &OwnProcedure, {}};
            own.push_back(window), published[t * kWindows + i] = window;
        }
        for (std::size_t round = 0; round < kRounds; ++round) {
            for (const win::Hwnd window : own) {
                for (const win::Hwnd each : own) win::SendMessageA(each, kUser, 0, 0), ++sent;  // perhaps while another thread lets go of its components
                Pump();  // the releases other threads handed to this one end here, before the attach
                auto bars = MakeRef<CScrollBars>();
                auto wheel = MakeRef<cSubClassWheel>();
                bars->SubClass(window), wheel->SubClass(window);
                bars->VChange.Connect([token](std::int32_t) {}), wheel->WheelRotate.Connect([token](auto&&...) {});
                bars->VMax(static_cast<std::int32_t>(round)), win::SendMessageA(window, kUser, 0, 0), ++sent;
                for (std::size_t other = (t + 1) * kWindows + round; other < (t + 1) * kWindows + round + 8; ++other) {
                    const win::Hwnd theirs = published[other % (kThreads * kWindows)];
                    if (const auto found = modSubclassScrollBars::ScrollBarsFromWindow(theirs)) (void)found->VMax();  // swallowed elsewhere
                    if (const auto found = modSubclassWheel::WheelFromWindow(theirs)) (void)found->WheelCarry();
                }
                const std::lock_guard guard(handLock);
                if (round % 2 == 0) handed.emplace_back(std::move(bars), std::move(wheel));
                if (handed.size() > 8) handed.erase(handed.begin(), handed.begin() + 4);  // the last references go here
            }
        }
        rounds.arrive_and_wait();
        if (t == 0) handed.clear();
        drained.arrive_and_wait();
        Pump();
        for (const win::Hwnd window : own) {
            failures += win::GetWindowProcedureA(window) != &OwnProcedure || win::GetPropA(window, "nvStdScroll") != nullptr ||
                        win::GetPropA(window, "nvAdvSubcls") != nullptr;
        }
    });
    for (std::thread& worker : workers) worker.join();
    const bool passed = failures == 0 && seen == sent && token.use_count() == 1;
    std::printf("thread stress: %zu threads, %ld messages, %ld seen, %d failed checks, %ld components left: %s\n", kThreads,
                sent.load(), seen.load(), failures.load(), token.use_count() - 1, passed ? "passed" : "FAILED");
    return passed ? 0 : 1;
}
