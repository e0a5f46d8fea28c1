#include "tests/e2e/RunningBrennick.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brennick::e2e {
namespace {

constexpr DWORD kPatienceMs = 15000;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindForm(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner != search->processId || std::string(name) != "BrennickForm" || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// The prefix's dots per inch, which a Wine program reads once as it starts.
void SetLogPixels(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

}  // namespace

std::string ProgramPath() {
    std::string path = BRENNICK_EXE_PATH;
    if (!path.empty() && path.front() == '/') {  // a Unix path from the build: Wine's drive Z:
        std::replace(path.begin(), path.end(), '/', '\\');
        path.insert(0, "Z:");
    }
    return path;
}

RunningBrennick::RunningBrennick(int logPixels) {
    std::string commandLine = '"' + ProgramPath() + '"';
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (logPixels != 96) SetLogPixels(static_cast<DWORD>(logPixels));
    const BOOL started =
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
    if (started) WaitForInputIdle(info.hProcess, kPatienceMs);
    if (logPixels != 96) SetLogPixels(96);
    if (!started) {
        ADD_FAILURE() << "cannot start " << commandLine << ", error " << GetLastError();
        closed_ = true;
        return;
    }
    process_.Reset(info.hProcess);
    CloseHandle(info.hThread);
    processId_ = info.dwProcessId;
    threadId_ = info.dwThreadId;
    for (DWORD waited = 0; form_ == nullptr && waited < kPatienceMs; waited += 20) {
        Search search{processId_, nullptr};
        EnumWindows(&FindForm, reinterpret_cast<LPARAM>(&search));
        form_ = search.found;
        if (form_ == nullptr) Sleep(20);
    }
    if (form_ == nullptr) {
        ADD_FAILURE() << "the window of " << commandLine << " did not appear";
        return;
    }
    // Answered once the program is in its message loop: the window is shown and focused.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(form_, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &ignored);
}

RunningBrennick::~RunningBrennick() {
    if (!closed_ && Close() == STILL_ACTIVE) TerminateProcess(process_.Get(), 1);
}

DWORD RunningBrennick::Close() {
    closed_ = true;
    if (form_ != nullptr) PostMessageA(form_, WM_CLOSE, 0, 0);
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(process_.Get(), kPatienceMs) == WAIT_OBJECT_0) GetExitCodeProcess(process_.Get(), &exitCode);
    return exitCode;
}

HWND RunningBrennick::Control(int id) const {
    if (id == 0) return form_;
    if (id == picTrialLeft || id == picTrialRight) return GetDlgItem(Control(id == picTrialLeft ? picControlLeft : picControlRight), id);
    return GetDlgItem(form_, id);
}

std::string RunningBrennick::Text(int id) const {
    char text[512] = {};
    SendMessageA(Control(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::uint32_t RunningBrennick::BackColor(int id) const {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(GetPropA(Control(id), ui::kBackColorProperty)));
}

// Wine keeps a window's built-in scroll bars where only its own process reads them: the panel is asked.
LRESULT RunningBrennick::Bar(int panelId, int bar, ui::ScrollBarField field) const {
    return Send(panelId, ui::kQueryScrollBarMessage, static_cast<WPARAM>(bar), static_cast<LPARAM>(field));
}

bool RunningBrennick::BarShown(int panelId, int bar) const {
    return (GetWindowLongPtrA(Control(panelId), GWL_STYLE) & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

RECT RunningBrennick::PlaceInParent(int id) const {
    RECT rect{};
    GetWindowRect(Control(id), &rect);
    MapWindowPoints(nullptr, GetParent(Control(id)), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND RunningBrennick::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId_, &info) ? info.hwndFocus : nullptr;
}

LRESULT RunningBrennick::Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(Control(id), message, wParam, lParam);
}

WPARAM WheelWParam(int notchesTowardUser, int keys) {
    return MAKEWPARAM(static_cast<WORD>(keys), static_cast<WORD>(static_cast<short>(-WHEEL_DELTA * notchesTowardUser)));
}

LPARAM PointLParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

}  // namespace brennick::e2e
