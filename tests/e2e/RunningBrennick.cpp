#include "tests/e2e/RunningBrennick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/ControlIds.h"

namespace brennick::e2e {
namespace {

constexpr DWORD kPatienceMs = 15000;
constexpr const char* kFormClass = "BrennickForm";

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindForm(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || std::string(className) != kFormClass) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::string ProgramPath() {
    std::string path = BRENNICK_EXE_PATH;
    // A Unix path from the build (Wine): the same file through Wine's drive for the root.
    if (!path.empty() && path.front() == '/') {
        std::replace(path.begin(), path.end(), '/', '\\');
        std::string onDrive("Z:");
        onDrive.append(path);
        return onDrive;
    }
    return path;
}

RunningBrennick::RunningBrennick() {
    std::string commandLine(1, '"');
    commandLine.append(ProgramPath()).push_back('"');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
        ADD_FAILURE() << "cannot start " << commandLine << ", error " << GetLastError();
        closed_ = true;
        return;
    }
    processHandle_.Reset(process_.hProcess);
    threadHandle_.Reset(process_.hThread);
    WaitForInputIdle(process_.hProcess, kPatienceMs);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
    while (std::chrono::steady_clock::now() < deadline) {
        Search search{process_.dwProcessId, nullptr};
        EnumWindows(&FindForm, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr && IsWindowVisible(search.found)) {
            form_ = search.found;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (form_ == nullptr) {
        ADD_FAILURE() << "the window of " << commandLine << " did not appear";
        return;
    }
    // Answered only once the program is in its message loop, that is, after it has shown the
    // window and placed the focus.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(form_, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &ignored);
}

RunningBrennick::~RunningBrennick() {
    if (closed_) return;
    if (Close() == STILL_ACTIVE) TerminateProcess(processHandle_.Get(), 1);
}

DWORD RunningBrennick::Close() {
    closed_ = true;
    if (processHandle_.Get() == nullptr) return STILL_ACTIVE;
    if (form_ != nullptr) PostMessageA(form_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(processHandle_.Get(), kPatienceMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(processHandle_.Get(), &exitCode);
    return exitCode;
}

HWND RunningBrennick::Control(int id) const {
    switch (id) {
    case ControlId::picTrialLeft:
        return GetDlgItem(Control(ControlId::picControlLeft), id);
    case ControlId::picTrialRight:
        return GetDlgItem(Control(ControlId::picControlRight), id);
    default:
        return GetDlgItem(form_, id);
    }
}

std::string RunningBrennick::Text(int id) const {
    char text[512] = {};
    SendMessageA(Control(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string RunningBrennick::Caption() const {
    char text[512] = {};
    SendMessageA(form_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

int RunningBrennick::Check(int id) const { return static_cast<int>(SendMessageA(Control(id), BM_GETCHECK, 0, 0)); }

std::uint32_t RunningBrennick::BackColor(int id) const {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(GetPropA(Control(id), kBackColorProperty)));
}

bool RunningBrennick::HasProperty(HWND window, const char* name) const { return GetPropA(window, name) != nullptr; }

// Wine keeps a window's built-in scroll bars where only its own process reads them, so the panel
// is asked instead.
LRESULT RunningBrennick::QueryBar(int id, int bar, ScrollBarField field) const {
    return SendMessageA(Control(id), kQueryScrollBarMessage, static_cast<WPARAM>(bar), static_cast<LPARAM>(field));
}

Bar RunningBrennick::ScrollBar(int id, int bar) const {
    return {static_cast<int>(QueryBar(id, bar, ScrollBarField::Min)),
            static_cast<int>(QueryBar(id, bar, ScrollBarField::Max)),
            static_cast<unsigned int>(QueryBar(id, bar, ScrollBarField::Page)),
            static_cast<int>(QueryBar(id, bar, ScrollBarField::Pos))};
}

bool RunningBrennick::BarShown(int id, int bar) const {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(Control(id), GWL_STYLE));
    return (style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

bool RunningBrennick::BarEnabled(int id, int bar) const {
    const auto state = static_cast<DWORD>(QueryBar(id, bar, ScrollBarField::State));
    return (state & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE)) == 0;
}

RECT RunningBrennick::PlaceInParent(int id) const {
    const HWND window = Control(id);
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT RunningBrennick::PictureCorner(int pictureId) const {
    const RECT rect = PlaceInParent(pictureId);
    return {rect.left, rect.top};
}

HWND RunningBrennick::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
}

int RunningBrennick::ScreenDpi() const {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

void RunningBrennick::Click(int checkBoxId) const { SendMessageA(Control(checkBoxId), BM_CLICK, 0, 0); }

void RunningBrennick::Scroll(int panelId, UINT message, int code, int thumb) const {
    SendMessageA(Control(panelId), message, MAKEWPARAM(code, thumb), 0);
}

LRESULT RunningBrennick::Wheel(HWND target, int notchesTowardUser, int keys, int x, int y) const {
    // Turning toward the user is a negative wheel distance.
    const auto distance = static_cast<WORD>(static_cast<short>(-WHEEL_DELTA * notchesTowardUser));
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(keys), distance);
    const LPARAM lParam = MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
    return SendMessageA(target, WM_MOUSEWHEEL, wParam, lParam);
}

void RunningBrennick::DoubleClickForm(int x, int y) const {
    SendMessageA(form_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
}

void RunningBrennick::MouseDown(int id) const {
    SendMessageA(Control(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(Control(id), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

int SecondOfDay() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

int SecondOfDay(const std::string& line) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (line.size() < 8 || line[2] != ':' || line[5] != ':') return -1;
    if (std::sscanf(line.c_str(), "%2d:%2d:%2d", &hour, &minute, &second) != 3) return -1;
    return hour * 3600 + minute * 60 + second;
}

}  // namespace brennick::e2e
