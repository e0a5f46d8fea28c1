// Case 4: from CreateProcess to the first painted frame, Brennick.exe against the same windows
// without components (bench/bare), which is what the components add; and, for information, the
// bare program against a minimal Win32 program with one empty window. A frame counts as painted
// when the program is idle and neither its window nor any child still has an update region.
#include <vector>

#include "app/toolkit/Handles.h"
#include "bench/Cases.h"

namespace brennick_bench {
namespace {

constexpr const char* kGroup = "start-up";
constexpr const char* kMinimal = "minimal Win32 program";
constexpr const char* kBare = "same windows, no components";
constexpr double kAppTarget = 1.15;  // Brennick.exe against the same windows without components
constexpr DWORD kTimeoutMs = 20000;

using OwnedHandle = brennick::ui::UniqueKernelHandle;

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchProcess(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s->processId || !IsWindowVisible(window)) return TRUE;
    s->found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId) {
    WindowSearch search{processId, nullptr};
    EnumWindows(&MatchProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

bool Painted(HWND window) {
    std::vector<HWND> windows{window};
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&windows));
    for (HWND w : windows) {
        if (IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE)) return false;
    }
    return true;
}

// One running copy of a program, closed with the object.
class Instance {
public:
    Instance() = default;
    Instance(OwnedHandle process, DWORD processId) : process_(std::move(process)), processId_(processId) {}
    Instance(Instance&&) noexcept = default;
    Instance& operator=(Instance&&) noexcept = default;
    ~Instance() { Close(); }

    DWORD ProcessId() const { return processId_; }
    HANDLE Process() const { return process_.Get(); }

    void Close() {
        if (process_.Get() == nullptr) return;
        if (HWND window = VisibleWindowOf(processId_)) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), 5000);
        }
        process_ = OwnedHandle();
    }

private:
    OwnedHandle process_;
    DWORD processId_ = 0;
};

// Starts the program and returns once its first frame is painted (or the time-out passed).
Instance LaunchToFirstFrame(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return Instance();
    }
    OwnedHandle thread(info.hThread);
    Instance instance(OwnedHandle(info.hProcess), info.dwProcessId);
    const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
    WaitForInputIdle(instance.Process(), kTimeoutMs);
    while (GetTickCount64() < deadline) {
        HWND window = VisibleWindowOf(instance.ProcessId());
        if (window != nullptr && Painted(window)) break;
        Sleep(1);
    }
    return instance;
}

struct Fixture {
    Instance minimal;
    Instance bare;
    Instance app;
};

bool Exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A case only counts when the program showed a window and painted it within the time-out.
std::string Check(const std::string& path) {
    if (!Exists(path)) return "no program at " + path;
    Instance instance = LaunchToFirstFrame(path);
    if (instance.Process() == nullptr) return "could not start " + path;
    HWND window = VisibleWindowOf(instance.ProcessId());
    if (window == nullptr || !Painted(window)) return path + " showed no painted window";
    return {};
}

void AddCase(Suite& suite, Instance& slot, const std::string& name, const char* peer, double target,
             const std::string& path) {
    const auto run = [&slot, path](std::int32_t count) {
        for (std::int32_t i = 0; i < count; ++i) slot = LaunchToFirstFrame(path);
    };
    suite.Add({.group = kGroup, .name = name, .peer = peer, .target = target, .batch = 1, .run = run, .reset = [&slot] { slot.Close(); },
               .skipped = Check(path)});
}

}  // namespace

void AddStartupCases(Suite& suite, const StartupPaths& paths) {
    const auto fixture = std::make_shared<Fixture>();
    suite.Keep(fixture);
    AddCase(suite, fixture->minimal, kMinimal, "", 0.0, paths.minimal);
    AddCase(suite, fixture->bare, kBare, kMinimal, 0.0, paths.bare);
    AddCase(suite, fixture->app, "Brennick.exe", kBare, kAppTarget, paths.app);
}

}  // namespace brennick_bench
