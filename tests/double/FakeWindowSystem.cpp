#include "tests/double/FakeWindowSystem.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick::test {
namespace {

FakeWindowSystem* current = nullptr;

std::uintptr_t Key(win::Hwnd window) { return reinterpret_cast<std::uintptr_t>(window); }

constexpr unsigned int kWmDestroy = 0x0002;

// Registered messages are the system's, not one fake's: the same name keeps its number.
unsigned int RegisterMessage(const std::string& name) {
    static std::map<std::string, unsigned int> messages;
    return messages.emplace(name, 0xC000 + static_cast<unsigned int>(messages.size())).first->second;
}

}  // namespace

const char* ApiName(Api api) {
    static const char* const names[] = {
        "GetScrollInfo", "SetScrollInfo", "ShowScrollBar", "IsWindow", "IsWindowUnicode", "GetPropA", "SetPropA",
        "RemovePropA", "SetWindowProcedureA", "SetWindowProcedureW", "GetWindowProcedureA", "GetWindowProcedureW",
        "CallWindowProcA", "CallWindowProcW", "DefWindowProcA", "DefWindowProcW", "GetWindowThreadProcessId",
        "GetCurrentThreadId", "SystemParametersInfoA", "FindWindowA", "RegisterWindowMessageA", "SendMessageA",
        "GetWindowRect", "GetProgramFileVersion",
    };
    return names[static_cast<int>(api)];
}

FakeWindowSystem::FakeWindowSystem() { current = this; }
FakeWindowSystem::~FakeWindowSystem() {
    if (current == this) current = nullptr;
}
FakeWindowSystem* FakeWindowSystem::Current() { return current; }

win::Hwnd FakeWindowSystem::CreateWindow(const std::string& className, bool unicode) {
    static std::uintptr_t nextHandle = 0x1000;  // handles are the system's: no two fakes share one
    const std::uintptr_t handle = nextHandle;
    nextHandle += 4;
    FakeWindow& window = windows_[handle];
    window.className = className;
    window.procedure = &OwnProcedure;
    window.unicode = unicode;
    window.thread = currentThread;
    return reinterpret_cast<win::Hwnd>(handle);
}

win::Hwnd FakeWindowSystem::CreateWindowReusing(win::Hwnd handle) {
    FakeWindow& window = windows_[Key(handle)];
    if (window.alive && window.procedure != nullptr) throw std::logic_error("handle still in use");
    window = FakeWindow{};
    window.procedure = &OwnProcedure;
    window.thread = currentThread;
    return handle;
}

void FakeWindowSystem::DestroyWindow(win::Hwnd handle) {
    if (Find(handle) == nullptr) return;
    Send(handle, kWmDestroy, 0, 0);
    Send(handle, WM_NCDESTROY, 0, 0);
    if (FakeWindow* window = Find(handle)) {
        window->alive = false;
        window->properties.clear();
        window->procedure = nullptr;
    }
}

win::LResult FakeWindowSystem::Send(win::Hwnd handle, unsigned int message, win::WParam wParam, win::LParam lParam) {
    FakeWindow* window = Find(handle);
    if (window == nullptr || window->procedure == nullptr) return 0;
    // A message for another thread's window runs on that thread while the sender waits.
    const std::uint32_t sender = std::exchange(currentThread, window->thread);
    const win::LResult result = window->procedure(handle, message, wParam, lParam);
    currentThread = sender;
    return result;
}

FakeWindow& FakeWindowSystem::Window(win::Hwnd handle) {
    const auto found = windows_.find(Key(handle));
    if (found == windows_.end()) throw std::out_of_range("no such fake window");
    return found->second;
}

FakeBar& FakeWindowSystem::Bar(win::Hwnd handle, int bar) { return Window(handle).bars.at(bar == SB_VERT ? 1 : 0); }

win::LResult BRENNICK_CALLBACK FakeWindowSystem::OwnProcedure(win::Hwnd handle, unsigned int message,
                                                              win::WParam wParam, win::LParam lParam) {
    FakeWindow* window = current ? current->Find(handle) : nullptr;
    if (window == nullptr) return 0;
    window->visits.push_back({kOwnProcedure, message, wParam, lParam});
    return window->answer;
}

namespace {
template <int N>
win::LResult BRENNICK_CALLBACK LayerProcedure(win::Hwnd handle, unsigned int message, win::WParam wParam,
                                              win::LParam lParam) {
    return current ? current->RunLayer(N, handle, message, wParam, lParam) : 0;
}
constexpr win::WndProc kLayerProcedures[FakeWindowSystem::kLayers] = {&LayerProcedure<0>, &LayerProcedure<1>,
                                                                       &LayerProcedure<2>, &LayerProcedure<3>};
}  // namespace

void FakeWindowSystem::InstallLayer(win::Hwnd handle, int layer, bool comctl32Style) {
    FakeWindow& window = Window(handle);
    layers_[{Key(handle), layer}] = Layer{window.procedure, comctl32Style, false};
    window.procedure = kLayerProcedures[layer];
    window.unicode = false;
}

void FakeWindowSystem::RemoveLayer(win::Hwnd handle, int layer) {
    const auto found = layers_.find({Key(handle), layer});
    if (found == layers_.end()) return;
    found->second.removed = true;
    LeaveIfOnTop(handle, layer, true);
}

win::LResult FakeWindowSystem::RunLayer(int layer, win::Hwnd handle, unsigned int message, win::WParam wParam,
                                        win::LParam lParam) {
    FakeWindow* window = Find(handle);
    const auto found = layers_.find({Key(handle), layer});
    if (window == nullptr || found == layers_.end()) return 0;
    if (!found->second.removed) window->visits.push_back({layer, message, wParam, lParam});
    const win::LResult result = found->second.prev(handle, message, wParam, lParam);
    LeaveIfOnTop(handle, layer, false);
    return result;
}

void FakeWindowSystem::LeaveIfOnTop(win::Hwnd handle, int layer, bool removing) {
    FakeWindow* window = Find(handle);
    const auto found = layers_.find({Key(handle), layer});
    if (window == nullptr || found == layers_.end() || !found->second.removed) return;
    if (!removing && !found->second.comctl32Style) return;
    if (window->procedure != kLayerProcedures[layer]) return;
    window->procedure = found->second.prev;
    layers_.erase(found);
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
    call.thread = currentThread;
    calls.push_back(call);
    if (onCall) onCall(call);
}

FakeWindow* FakeWindowSystem::Find(win::Hwnd handle) {
    const auto found = windows_.find(Key(handle));
    if (found == windows_.end() || !found->second.alive) return nullptr;
    return &found->second;
}

// Win32's rules, as Wine keeps them: an inverted range or one of 2^31 values or more becomes 0..0;
// the page at most the range's width (so up to 2^31); the position within min..max - page + 1.
std::int32_t FakeWindowSystem::ApplyScrollInfo(FakeWindow& window, int bar, const win::ScrollInfo& info) {
    FakeBar& state = window.bars.at(bar == SB_VERT ? 1 : 0);
    if (info.fMask & SIF_RANGE) {
        const std::int64_t span = std::int64_t{info.nMax} - info.nMin;
        const bool valid = span >= 0 && span < 0x80000000LL;
        state.min = valid ? info.nMin : 0;
        state.max = valid ? info.nMax : 0;
    }
    if (info.fMask & SIF_PAGE) state.page = info.nPage;
    if (info.fMask & SIF_POS) state.pos = info.nPos;

    const std::int64_t width = std::int64_t{state.max} - state.min + 1;
    if (state.page > width) state.page = static_cast<std::uint32_t>(width);
    const std::int64_t last = state.max - std::max<std::int64_t>(std::int64_t{state.page} - 1, 0);
    if (state.pos < state.min) {
        state.pos = state.min;
    } else if (state.pos > last) {
        state.pos = static_cast<std::int32_t>(last);
    }

    // A bar that is not needed is disabled (SIF_DISABLENOSCROLL) or hidden; a needed one shows.
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

WndProc SetProcedure(Api api, Hwnd window, WndProc procedure) {
    Record({.api = api, .window = window, .procedure = procedure});
    test::FakeWindow* found = Find(window);
    if (found == nullptr || Fake()->failSetWindowProcedure || procedure == nullptr) return nullptr;
    found->unicode = api == Api::SetWindowProcedureW;
    return std::exchange(found->procedure, procedure);
}

WndProc GetProcedure(Api api, Hwnd window) {
    Record({.api = api, .window = window});
    test::FakeWindow* found = Find(window);
    return found == nullptr ? nullptr : found->procedure;
}

LResult CallProcedure(Api api, WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Record({.api = api, .window = window, .procedure = procedure, .message = message, .wParam = wParam,
            .lParam = lParam});
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

LResult DefaultProcedure(Api api, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Record({.api = api, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return 0;
}

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
    if (info.fMask & SIF_PAGE) info.nPage = state.page;
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

bool IsWindowUnicode(Hwnd window) {
    Record({.api = Api::IsWindowUnicode, .window = window});
    test::FakeWindow* found = Find(window);
    return found != nullptr && found->unicode;
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

WndProc SetWindowProcedureA(Hwnd window, WndProc procedure) {
    return SetProcedure(Api::SetWindowProcedureA, window, procedure);
}
WndProc SetWindowProcedureW(Hwnd window, WndProc procedure) {
    return SetProcedure(Api::SetWindowProcedureW, window, procedure);
}
WndProc GetWindowProcedureA(Hwnd window) { return GetProcedure(Api::GetWindowProcedureA, window); }
WndProc GetWindowProcedureW(Hwnd window) { return GetProcedure(Api::GetWindowProcedureW, window); }

LResult CallWindowProcA(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return CallProcedure(Api::CallWindowProcA, procedure, window, message, wParam, lParam);
}
LResult CallWindowProcW(WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return CallProcedure(Api::CallWindowProcW, procedure, window, message, wParam, lParam);
}
LResult DefWindowProcA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return DefaultProcedure(Api::DefWindowProcA, window, message, wParam, lParam);
}
LResult DefWindowProcW(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return DefaultProcedure(Api::DefWindowProcW, window, message, wParam, lParam);
}

std::uint32_t GetWindowThreadProcessId(Hwnd window) {
    Record({.api = Api::GetWindowThreadProcessId, .window = window});
    test::FakeWindow* found = Find(window);
    return found == nullptr ? 0 : found->thread;
}

std::uint32_t GetCurrentThreadId() {
    Record({.api = Api::GetCurrentThreadId});
    return Fake() ? Fake()->currentThread : 1;
}

bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int winIni) {
    Record({.api = Api::SystemParametersInfo, .value = value, .message = action, .wParam = param,
            .lParam = static_cast<LParam>(winIni)});
    if (Fake() == nullptr || action != SPI_GETWHEELSCROLLLINES || value == nullptr) return false;
    *static_cast<std::int32_t*>(value) = Fake()->wheelScrollLines;
    return true;
}

Hwnd FindWindowA(const char* className, const char* windowName) {
    Record({.api = Api::FindWindow, .text = std::string(className ? className : "") + "|" + (windowName ? windowName : "")});
    return Fake() ? Fake()->FindByName(className, windowName) : nullptr;
}

unsigned int RegisterWindowMessageA(const char* name) {
    Record({.api = Api::RegisterWindowMessage, .text = name ? name : ""});
    return name ? test::RegisterMessage(name) : 0;
}

LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Record({.api = Api::SendMessage, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return Fake() && !Fake()->dropSentMessages ? Fake()->Send(window, message, wParam, lParam) : 0;
}

bool GetWindowRect(Hwnd window, Rect& rect) {
    Record({.api = Api::GetWindowRect, .window = window});
    test::FakeWindow* found = Find(window);
    if (found == nullptr) return false;
    rect = found->rect;
    return true;
}

bool GetProgramFileVersion(std::uint16_t (&parts)[4]) {
    Record({.api = Api::GetProgramFileVersion});
    if (Fake() == nullptr || !Fake()->programHasVersion) return false;
    std::copy(Fake()->programVersion.begin(), Fake()->programVersion.end(), parts);
    return true;
}

}  // namespace brennick::win
