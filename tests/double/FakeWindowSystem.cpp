#include "tests/double/FakeWindowSystem.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick::test {
namespace {

FakeWindowSystem* current = nullptr;

std::uintptr_t Key(win::Hwnd window) { return reinterpret_cast<std::uintptr_t>(window); }

constexpr unsigned int kWmDestroy = 0x0002;

}  // namespace

const char* ApiName(Api api) {
    static const char* const names[] = {
        "GetScrollInfo", "SetScrollInfo", "ShowScrollBar", "IsWindow", "GetPropA", "SetPropA",
        "RemovePropA", "SetWindowProcedure", "GetWindowProcedure", "CallWindowProcA", "DefWindowProcA",
        "SystemParametersInfoA", "FindWindowA", "RegisterWindowMessageA", "SendMessageA", "GetWindowRect",
    };
    return names[static_cast<int>(api)];
}

FakeWindowSystem::FakeWindowSystem() { current = this; }
FakeWindowSystem::~FakeWindowSystem() {
    if (current == this) current = nullptr;
}
FakeWindowSystem* FakeWindowSystem::Current() { return current; }

win::Hwnd FakeWindowSystem::CreateWindow(const std::string& className, const std::string& title) {
    const std::uintptr_t handle = nextHandle_;
    nextHandle_ += 4;
    FakeWindow& window = windows_[handle];
    window.className = className;
    window.title = title;
    window.procedure = &OriginalProc;
    return reinterpret_cast<win::Hwnd>(handle);
}

win::Hwnd FakeWindowSystem::CreateWindowReusing(win::Hwnd handle) {
    FakeWindow& window = windows_[Key(handle)];
    if (window.alive && window.procedure != nullptr) throw std::logic_error("handle still in use");
    window = FakeWindow{};
    window.procedure = &OriginalProc;
    return handle;
}

void FakeWindowSystem::DestroyWindow(win::Hwnd handle) {
    FakeWindow* window = Find(handle);
    if (window == nullptr) return;
    Send(handle, kWmDestroy, 0, 0);
    Send(handle, WM_NCDESTROY, 0, 0);
    window = Find(handle);
    if (window == nullptr) return;
    window->alive = false;
    window->properties.clear();
    window->procedure = nullptr;
}

win::LResult FakeWindowSystem::Send(win::Hwnd handle, unsigned int message, win::WParam wParam, win::LParam lParam) {
    FakeWindow* window = Find(handle);
    if (window == nullptr || window->procedure == nullptr) return 0;
    return window->procedure(handle, message, wParam, lParam);
}

FakeWindow& FakeWindowSystem::Window(win::Hwnd handle) {
    const auto found = windows_.find(Key(handle));
    if (found == windows_.end()) throw std::out_of_range("no such fake window");
    return found->second;
}

FakeBar& FakeWindowSystem::Bar(win::Hwnd handle, int bar) { return Window(handle).bars.at(bar == SB_VERT ? 1 : 0); }

win::LResult BRENNICK_CALLBACK FakeWindowSystem::OriginalProc(win::Hwnd handle, unsigned int message,
                                                              win::WParam wParam, win::LParam lParam) {
    FakeWindow* window = current ? current->Find(handle) : nullptr;
    if (window == nullptr) return 0;
    window->received.push_back({message, wParam, lParam});
    return window->answer;
}

std::vector<Api> FakeWindowSystem::Apis() const {
    std::vector<Api> apis;
    for (const Call& call : calls) apis.push_back(call.api);
    return apis;
}

std::vector<Call> FakeWindowSystem::CallsOf(Api api) const {
    std::vector<Call> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found), [api](const Call& c) { return c.api == api; });
    return found;
}

void FakeWindowSystem::Record(Call call) {
    calls.push_back(call);
    if (onCall) onCall(call);
}

FakeWindow* FakeWindowSystem::Find(win::Hwnd handle) {
    const auto found = windows_.find(Key(handle));
    if (found == windows_.end() || !found->second.alive) return nullptr;
    return &found->second;
}

std::int32_t FakeWindowSystem::ApplyScrollInfo(FakeWindow& window, int bar, const win::ScrollInfo& info) {
    FakeBar& state = window.bars.at(bar == SB_VERT ? 1 : 0);
    if (info.fMask & SIF_RANGE) {
        const std::int64_t span = std::int64_t{info.nMax} - info.nMin;
        if (span < 0 || span >= 0x80000000LL) {
            state.min = state.max = 0;  // an invalid range becomes 0..0
        } else {
            state.min = info.nMin;
            state.max = info.nMax;
        }
    }
    if (info.fMask & SIF_PAGE) state.page = static_cast<std::int32_t>(info.nPage);
    if (info.fMask & SIF_POS) state.pos = info.nPos;

    const std::int64_t width = std::int64_t{state.max} - state.min + 1;
    if (state.page < 0) state.page = 0;
    if (state.page > width) state.page = static_cast<std::int32_t>(width);
    const std::int64_t last = std::int64_t{state.max} - std::max<std::int64_t>(state.page - 1, 0);
    if (state.pos < state.min) {
        state.pos = state.min;
    } else if (state.pos > last) {
        state.pos = static_cast<std::int32_t>(last);
    }

    if (info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        const bool needed = state.min < last;
        if (!needed && (info.fMask & SIF_DISABLENOSCROLL)) {
            state.enabled = false;
        } else if (!needed) {
            if (info.fMask & (SIF_RANGE | SIF_PAGE)) state.shown = false;
        } else if ((info.fMask & 0x1F) != SIF_PAGE) {
            state.enabled = true;
            state.shown = true;
        }
    }
    return state.pos;
}

win::Hwnd FakeWindowSystem::FindByName(const char* className, const char* title) {
    for (auto& [handle, window] : windows_) {
        if (!window.alive) continue;
        if ((className == nullptr || window.className == className) && (title == nullptr || window.title == title))
            return reinterpret_cast<win::Hwnd>(handle);
    }
    return nullptr;
}

unsigned int FakeWindowSystem::RegisterMessage(const std::string& name) {
    if (failRegisterWindowMessage) return 0;
    const auto found = messages_.find(name);
    if (found != messages_.end()) return found->second;
    const unsigned int id = 0xC000 + static_cast<unsigned int>(messages_.size());
    messages_[name] = id;
    return id;
}

}  // namespace brennick::test

// --- the window layer, bound to the current fake ---

namespace brennick::win {

using test::Api;
using test::Call;
using test::FakeWindowSystem;

namespace {

FakeWindowSystem* Fake() { return FakeWindowSystem::Current(); }

void Record(Call call) {
    if (FakeWindowSystem* fake = Fake()) fake->Record(std::move(call));
}

test::FakeWindow* Find(Hwnd window) { return Fake() ? Fake()->Find(window) : nullptr; }

}  // namespace

bool GetScrollInfo(Hwnd window, int bar, ScrollInfo& info) {
    Record({.api = Api::GetScrollInfo, .window = window, .bar = bar, .info = info});
    test::FakeWindow* found = Find(window);
    if (found == nullptr || Fake()->failGetScrollInfo || (bar != SB_HORZ && bar != SB_VERT)) return false;
    const test::FakeBar& state = Fake()->Bar(window, bar);
    if (info.fMask & SIF_RANGE) {
        info.nMin = state.min;
        info.nMax = state.max;
    }
    if (info.fMask & SIF_PAGE) info.nPage = static_cast<std::uint32_t>(state.page);
    if (info.fMask & SIF_POS) info.nPos = state.pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = state.tracking ? state.trackPos : state.pos;
    return true;
}

std::int32_t SetScrollInfo(Hwnd window, int bar, const ScrollInfo& info, bool redraw) {
    Record({.api = Api::SetScrollInfo, .window = window, .bar = bar, .info = info, .flag = redraw});
    test::FakeWindow* found = Find(window);
    if (found == nullptr || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    return Fake()->ApplyScrollInfo(*found, bar, info);
}

bool ShowScrollBar(Hwnd window, int bar, bool show) {
    Record({.api = Api::ShowScrollBar, .window = window, .bar = bar, .flag = show});
    test::FakeWindow* found = Find(window);
    if (found == nullptr) return false;
    if (bar == SB_HORZ || bar == SB_VERT) Fake()->Bar(window, bar).shown = show;
    return true;
}

bool IsWindow(Hwnd window) {
    Record({.api = Api::IsWindow, .window = window});
    return Find(window) != nullptr;
}

void* GetPropA(Hwnd window, const char* name) {
    Record({.api = Api::GetProp, .window = window, .text = name});
    test::FakeWindow* found = Find(window);
    if (found == nullptr) return nullptr;
    const auto property = found->properties.find(name);
    return property == found->properties.end() ? nullptr : property->second;
}

bool SetPropA(Hwnd window, const char* name, void* value) {
    Record({.api = Api::SetProp, .window = window, .text = name, .value = value});
    test::FakeWindow* found = Find(window);
    if (found == nullptr || Fake()->refuseSetProp) return false;
    found->properties[name] = value;
    return true;
}

void* RemovePropA(Hwnd window, const char* name) {
    Record({.api = Api::RemoveProp, .window = window, .text = name});
    test::FakeWindow* found = Find(window);
    if (found == nullptr) return nullptr;
    const auto property = found->properties.find(name);
    if (property == found->properties.end()) return nullptr;
    void* value = property->second;
    found->properties.erase(property);
    return value;
}

WndProc SetWindowProcedure(Hwnd window, WndProc procedure) {
    Record({.api = Api::SetWindowProcedure, .window = window, .procedure = procedure});
    test::FakeWindow* found = Find(window);
    if (found == nullptr || Fake()->failSetWindowProcedure || procedure == nullptr) return nullptr;
    const WndProc previous = found->procedure;
    found->procedure = procedure;
    return previous;
}

WndProc GetWindowProcedure(Hwnd window) {
    Record({.api = Api::GetWindowProcedure, .window = window});
    test::FakeWindow* found = Find(window);
    return found == nullptr ? nullptr : found->procedure;
}

LResult CallWindowProcA(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Record({.api = Api::CallWindowProc, .window = window, .procedure = procedure, .message = message,
            .wParam = wParam, .lParam = lParam});
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

LResult DefWindowProcA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Record({.api = Api::DefWindowProc, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return Fake() ? Fake()->defWindowProcAnswer : 0;
}

bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int winIni) {
    Record({.api = Api::SystemParametersInfo, .value = value, .message = action, .wParam = param,
            .lParam = static_cast<LParam>(winIni)});
    if (Fake() == nullptr || action != SPI_GETWHEELSCROLLLINES || value == nullptr) return false;
    *static_cast<std::int32_t*>(value) = Fake()->wheelScrollLines;
    return true;
}

Hwnd FindWindowA(const char* className, const char* windowName) {
    Record({.api = Api::FindWindow, .text = className ? className : "", .text2 = windowName ? windowName : ""});
    return Fake() ? Fake()->FindByName(className, windowName) : nullptr;
}

unsigned int RegisterWindowMessageA(const char* name) {
    Record({.api = Api::RegisterWindowMessage, .text = name ? name : ""});
    return Fake() && name ? Fake()->RegisterMessage(name) : 0;
}

LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Record({.api = Api::SendMessage, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return Fake() ? Fake()->Send(window, message, wParam, lParam) : 0;
}

bool GetWindowRect(Hwnd window, Rect& rect) {
    Record({.api = Api::GetWindowRect, .window = window});
    test::FakeWindow* found = Find(window);
    if (found == nullptr) return false;
    rect = found->rect;
    return true;
}

}  // namespace brennick::win
