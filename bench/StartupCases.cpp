// start-up: from CreateProcess to the first painted frame, Brennick.exe against the same windows
// without components (bench/bare), which is what the components add; and, for information, the
// bare program against a minimal Win32 program with one empty window. A frame counts as painted
// when the program is idle and neither its window nor any child still has an update region.
#include <memory>
#include <utility>

#include "bench/Bench.h"

namespace brennick_bench {
namespace {

constexpr DWORD kTimeoutMs = 20000;

// Finds the first visible top-level window of a process: search is {its id, the window found}.
BOOL CALLBACK MatchProcess(HWND window, LPARAM search) {
    auto& [processId, found] = *reinterpret_cast<std::pair<DWORD, HWND>*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) found = window;
    return found == nullptr;
}

HWND VisibleWindowOf(DWORD processId) {
    std::pair<DWORD, HWND> search{processId, nullptr};
    EnumWindows(&MatchProcess, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

// Clears *painted when window is visible and still has something to paint; stops there.
BOOL CALLBACK CheckPainted(HWND window, LPARAM painted) {
    if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) *reinterpret_cast<bool*>(painted) = false;
    return *reinterpret_cast<bool*>(painted);
}

// Whether the process shows a window, and neither it nor any child has anything left to paint.
bool Painted(DWORD processId) {
    const HWND window = VisibleWindowOf(processId);
    bool painted = window != nullptr;
    if (painted && CheckPainted(window, reinterpret_cast<LPARAM>(&painted))) {
        EnumChildWindows(window, &CheckPainted, reinterpret_cast<LPARAM>(&painted));
    }
    return painted;
}

// Ends a running copy of a program: asks its window to close, and ends it when it does not.
struct EndProgram {
    DWORD processId = 0;
    void operator()(HANDLE process) const {
        if (HWND window = VisibleWindowOf(processId)) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
};
using Running = brennick::ui::Unique<HANDLE, EndProgram>;

// Starts the program and returns once its first frame is painted (or the time-out passed).
Running LaunchToFirstFrame(const std::wstring& path) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION info{};
    std::wstring line = L"\"" + path + L"\"";  // the command line
    if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info)) return {};
    CloseHandle(info.hThread);
    const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
    WaitForInputIdle(info.hProcess, kTimeoutMs);
    while (GetTickCount64() < deadline && !Painted(info.dwProcessId)) Sleep(1);
    return Running(info.hProcess, {info.dwProcessId});
}

// Why the program cannot be measured: it does not start, or it shows no painted window in time.
std::string Problem(const std::wstring& path) {
    const Running running = LaunchToFirstFrame(path);
    if (running.Get() == nullptr) return "the program could not be started";
    return Painted(running.Releaser().processId) ? "" : "the program showed no painted window";
}

}  // namespace

void AddStartupCases(Suite& suite, const std::wstring& minimal, const std::wstring& bare, const std::wstring& app) {
    const auto add = [&](const char* name, const char* peer, double target, const std::wstring& path) {
        // A sample is one launch (a batch of 1); the copy it leaves running ends before the next.
        const auto slot = std::make_shared<Running>();
        const auto close = [slot] { slot->Reset(); };
        suite.Add({.group = "start-up", .name = name, .peer = peer, .skipped = Problem(path), .target = target}, close,
                  [slot, path](std::int32_t) { *slot = LaunchToFirstFrame(path); });
    };
    add("minimal Win32 program", "", 0.0, minimal);
    add("same windows, no components", "minimal Win32 program", 0.0, bare);
    // Target: what the components add to the same windows.
    add("Brennick.exe", "same windows, no components", 1.15, app);
}

}  // namespace brennick_bench
