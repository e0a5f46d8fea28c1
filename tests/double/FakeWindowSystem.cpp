#include "tests/double/FakeWindowSystem.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick::test {
namespace {

std::uintptr_t Key(win::Hwnd window) { return reinterpret_cast<std::uintptr_t>(window); }

template <int N>
win::LResult BRENNICK_CALLBACK LayerProcedure(win::Hwnd window, unsigned int message, win::WParam wParam, win::LParam lParam) {
    FakeWindowSystem* fake = FakeWindowSystem::Current();
    return fake ? fake->RunLayer(N, window, message, wParam, lParam) : 0;
}
constexpr win::WndProc kLayerProcedures[] = {&LayerProcedure<0>, &LayerProcedure<1>, &LayerProcedure<2>, &LayerProcedure<3>};

}  // namespace

win::Hwnd FakeWindowSystem::CreateWindow(const std::string& className, bool unicode) {
    static std::uintptr_t next = 0x1000;  // handles are the system's: no two fakes share one
    windows_[next += 4] = FakeWindow{.unicode = unicode, .className = className, .procedure = &OwnProcedure, .thread = currentThread};
    return reinterpret_cast<win::Hwnd>(next);
}

win::Hwnd FakeWindowSystem::CreateWindowReusing(win::Hwnd handle) {
    if (Find(handle) != nullptr) throw std::logic_error("handle still in use");
    windows_[Key(handle)] = FakeWindow{.procedure = &OwnProcedure, .thread = currentThread};
    return handle;
}

void FakeWindowSystem::DestroyWindow(win::Hwnd handle) {
    Send(handle, 0x0002 /* WM_DESTROY */, 0, 0);
    Send(handle, WM_NCDESTROY, 0, 0);
    if (FakeWindow* window = Find(handle)) *window = FakeWindow{.alive = false};
    std::erase_if(timers, [handle](const auto& timer) { return timer.first.first == handle; });
}

void FakeWindowSystem::Tick(win::Hwnd handle) {
    const auto due = timers;  // a procedure may set or kill timers
    for (const auto& [key, timer] : due) if (key.first == handle && timers.contains(key)) timer.second(handle, WM_TIMER, key.second, 0);
}

win::LResult FakeWindowSystem::Send(win::Hwnd handle, unsigned int message, win::WParam wParam, win::LParam lParam) {
    FakeWindow* window = Find(handle);
    if (window == nullptr) return 0;
    const std::uint32_t sender = std::exchange(currentThread, window->thread);  // the sender waits
    const win::LResult result = window->procedure(handle, message, wParam, lParam);
    return currentThread = sender, result;
}

void FakeWindowSystem::DeliverPosted() {
    for (const Call& call : std::exchange(posted, {})) Send(call.window, call.message, call.wParam, call.lParam);
}

FakeWindow* FakeWindowSystem::Find(win::Hwnd handle) {
    const auto found = windows_.find(Key(handle));
    return found != windows_.end() && found->second.alive ? &found->second : nullptr;
}

win::LResult BRENNICK_CALLBACK FakeWindowSystem::OwnProcedure(win::Hwnd handle, unsigned int message, win::WParam wParam, win::LParam lParam) {
    FakeWindow* window = current_ ? current_->Find(handle) : nullptr;
    if (window != nullptr) window->visits.push_back({kOwnProcedure, message, wParam, lParam});
    return window ? window->answer : 0;
}

void FakeWindowSystem::InstallLayer(win::Hwnd handle, int layer, bool comctl32Style) {
    FakeWindow& window = Window(handle);
    if (layers_.contains({Key(handle), layer})) return;  // removed, but still in the chain
    layers_[{Key(handle), layer}] = Layer{std::exchange(window.procedure, kLayerProcedures[layer]), comctl32Style, false, ++installs_};
    window.unicode = false;
}

void FakeWindowSystem::RemoveLayer(win::Hwnd handle, int layer) {
    if (const auto found = layers_.find({Key(handle), layer}); found != layers_.end()) found->second.removed = true, LeaveIfOnTop(handle, layer, true);
}

bool FakeWindowSystem::HasLayer(win::Hwnd handle, int layer) const {
    const auto found = layers_.find({Key(handle), layer});
    return found != layers_.end() && !found->second.removed;
}

std::vector<int> FakeWindowSystem::LayersTopFirst(win::Hwnd handle) const {
    std::map<int, int> byOrder;  // the latest installed is the top
    for (const auto& [key, layer] : layers_) if (key.first == Key(handle) && !layer.removed) byOrder[-layer.order] = key.second;
    std::vector<int> top;
    for (const auto& entry : byOrder) top.push_back(entry.second);
    return top;
}

bool FakeWindowSystem::Stuck(win::Hwnd handle) const {
    return std::any_of(layers_.begin(), layers_.end(), [&](const auto& entry) { return entry.first.first == Key(handle) && entry.second.removed; });
}

int FakeWindowSystem::TopLayer(win::Hwnd handle) {
    const FakeWindow* window = Find(handle);
    for (int layer = 0; window != nullptr && layer < kLayers; ++layer) if (window->procedure == kLayerProcedures[layer]) return layer;
    return -1;
}

win::LResult FakeWindowSystem::RunLayer(int layer, win::Hwnd handle, unsigned int message, win::WParam wParam, win::LParam lParam) {
    FakeWindow* window = Find(handle);
    const auto found = layers_.find({Key(handle), layer});
    if (window == nullptr || found == layers_.end()) return 0;
    if (!found->second.removed) window->visits.push_back({layer, message, wParam, lParam});
    const win::LResult result = found->second.prev(handle, message, wParam, lParam);
    return LeaveIfOnTop(handle, layer, false), result;
}

void FakeWindowSystem::LeaveIfOnTop(win::Hwnd handle, int layer, bool removing) {
    FakeWindow* window = Find(handle);
    const auto found = layers_.find({Key(handle), layer});
    if (window == nullptr || found == layers_.end() || !found->second.removed) return;
    if ((removing || found->second.comctl32Style) && window->procedure == kLayerProcedures[layer]) window->procedure = found->second.prev, layers_.erase(found);
}

win::Hwnd FakeWindowSystem::Named(const std::string& className, const std::string& title) {
    for (auto& [key, window] : windows_) if (window.alive && window.className == className && window.title == title) return reinterpret_cast<win::Hwnd>(key);
    return nullptr;
}

std::vector<Call> FakeWindowSystem::CallsOf(Api api) const {
    std::vector<Call> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found), [api](const Call& c) { return c.api == api; });
    return found;
}

void FakeWindowSystem::Record(Call call) {
    call.thread = currentThread, calls.push_back(call);
    if (onCall) onCall(call);
}

}  // namespace brennick::test

// --- the window layer, bound to the current fake ---

namespace brennick::win {
namespace {

using test::Api;
test::FakeWindowSystem& Fake() { return *test::FakeWindowSystem::Current(); }
// Records the call; the window it names if that is alive.
test::FakeWindow* Record(test::Call call) {
    Fake().Record(call);
    return Fake().Find(call.window);
}

WndProc SetProcedure(Api api, Hwnd window, WndProc procedure) {
    test::FakeWindow* found = Record({.api = api, .window = window, .value = reinterpret_cast<const void*>(procedure)});
    if (found == nullptr || Fake().failSetWindowProcedure || procedure == nullptr) return nullptr;
    found->unicode = api == Api::SetWindowProcedureW;
    return std::exchange(found->procedure, procedure);
}

WndProc GetProcedure(Api api, Hwnd window) { return Record({.api = api, .window = window}) ? Fake().Find(window)->procedure : nullptr; }

LResult CallProcedure(Api api, WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Record({.api = api, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

}  // namespace

bool GetScrollInfo(Hwnd window, int bar, ScrollInfo& info) {
    if (Record({.api = Api::GetScrollInfo, .window = window, .bar = bar, .info = info}) == nullptr || Fake().failGetScrollInfo) return false;
    const test::FakeBar& state = Fake().Bar(window, bar);
    if (info.fMask & SIF_RANGE) info.nMin = state.min, info.nMax = state.max;
    if (info.fMask & SIF_PAGE) info.nPage = state.page;
    if (info.fMask & SIF_POS) info.nPos = state.pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = state.pos;
    return true;
}

// Win32's rules, as Wine keeps them: an inverted range or one of 2^31 values or more becomes 0..0;
// the page at most the range's width; the position within min..max - page + 1; a bar no longer
// needed disabled (SIF_DISABLENOSCROLL) or hidden, a needed one shown and enabled.
std::int32_t SetScrollInfo(Hwnd window, int bar, const ScrollInfo& info, bool redraw) {
    if (Record({.api = Api::SetScrollInfo, .window = window, .bar = bar, .info = info, .flag = redraw}) == nullptr) return 0;
    test::FakeBar& state = Fake().Bar(window, bar);
    const bool valid = info.nMax >= info.nMin && std::int64_t{info.nMax} - info.nMin < 0x80000000LL;
    if (info.fMask & SIF_RANGE) state.min = valid ? info.nMin : 0, state.max = valid ? info.nMax : 0;
    if (info.fMask & SIF_PAGE) state.page = info.nPage;
    if (info.fMask & SIF_POS) state.pos = info.nPos;
    state.page = static_cast<std::uint32_t>(std::min<std::int64_t>(state.page, std::int64_t{state.max} - state.min + 1));
    const std::int64_t last = state.max - std::max<std::int64_t>(std::int64_t{state.page} - 1, 0);
    state.pos = static_cast<std::int32_t>(std::clamp<std::int64_t>(state.pos, state.min, std::max<std::int64_t>(last, state.min)));
    const bool needed = state.min < last;
    if (!needed && (info.fMask & SIF_DISABLENOSCROLL)) state.enabled = false;
    else if (!needed && (info.fMask & (SIF_RANGE | SIF_PAGE))) state.shown = false;
    else if (needed && (info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) && (info.fMask & 0x1F) != SIF_PAGE) state.enabled = state.shown = true;
    return state.pos;
}

bool ShowScrollBar(Hwnd window, int bar, bool show) {
    return Record({.api = Api::ShowScrollBar, .window = window, .bar = bar, .flag = show}) && (Fake().Bar(window, bar).shown = show, true);
}

bool IsWindow(Hwnd window) { return Record({.api = Api::IsWindow, .window = window}) != nullptr; }
bool IsWindowUnicode(Hwnd window) { return Record({.api = Api::IsWindowUnicode, .window = window}) && Fake().Find(window)->unicode; }

void* GetPropA(Hwnd window, const char* name) {
    test::FakeWindow* found = Record({.api = Api::GetProp, .window = window, .text = name});
    return found && found->properties.contains(name) ? found->properties[name] : nullptr;
}

bool SetPropA(Hwnd window, const char* name, void* value) {
    test::FakeWindow* found = Record({.api = Api::SetProp, .window = window, .text = name, .value = value});
    return found && !Fake().refuseSetProp && (found->properties[name] = value, true);
}

void* RemovePropA(Hwnd window, const char* name) {
    test::FakeWindow* found = Record({.api = Api::RemoveProp, .window = window, .text = name});
    return found && found->properties.contains(name) ? found->properties.extract(name).mapped() : nullptr;
}

WndProc SetWindowProcedureA(Hwnd window, WndProc procedure) { return SetProcedure(Api::SetWindowProcedureA, window, procedure); }
WndProc SetWindowProcedureW(Hwnd window, WndProc procedure) { return SetProcedure(Api::SetWindowProcedureW, window, procedure); }
WndProc GetWindowProcedureA(Hwnd window) { return GetProcedure(Api::GetWindowProcedureA, window); }
WndProc GetWindowProcedureW(Hwnd window) { return GetProcedure(Api::GetWindowProcedureW, window); }
LResult CallWindowProcA(WndProc proc, Hwnd w, unsigned int m, WParam wp, LParam lp) { return CallProcedure(Api::CallWindowProcA, proc, w, m, wp, lp); }
LResult CallWindowProcW(WndProc proc, Hwnd w, unsigned int m, WParam wp, LParam lp) { return CallProcedure(Api::CallWindowProcW, proc, w, m, wp, lp); }
LResult DefWindowProcA(Hwnd w, unsigned int m, WParam wp, LParam lp) { return CallProcedure(Api::DefWindowProcA, nullptr, w, m, wp, lp); }
LResult DefWindowProcW(Hwnd w, unsigned int m, WParam wp, LParam lp) { return CallProcedure(Api::DefWindowProcW, nullptr, w, m, wp, lp); }

std::uint32_t GetWindowThreadProcessId(Hwnd window) { return Record({.api = Api::GetWindowThreadProcessId, .window = window}) ? Fake().Find(window)->thread : 0; }
std::uint32_t GetCurrentThreadId() { return Record({.api = Api::GetCurrentThreadId}), Fake().currentThread; }

bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int winIni) {
    Record({.api = Api::SystemParametersInfo, .value = value, .message = action, .wParam = param, .lParam = static_cast<LParam>(winIni)});
    return *static_cast<std::int32_t*>(value) = action == SPI_GETWHEELSCROLLCHARS ? Fake().wheelScrollChars : Fake().wheelScrollLines, true;
}

Hwnd FindWindowA(const char* className, const char* windowName) {
    return Record({.api = Api::FindWindow, .text = std::string(className) + "|" + windowName}), Fake().Named(className, windowName);
}

unsigned int RegisterWindowMessageA(const char* name) {
    Record({.api = Api::RegisterWindowMessage, .text = name});
    static std::map<std::string, unsigned int> messages;  // the system's, not one fake's
    return messages.emplace(name, 0xC000 + static_cast<unsigned int>(messages.size())).first->second;
}

LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    return Record({.api = Api::SendMessage, .window = window, .message = message, .wParam = wParam, .lParam = lParam}), Fake().dropSentMessages ? 0 : Fake().Send(window, message, wParam, lParam);
}

bool PostMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    const test::Call call{.api = Api::PostMessage, .window = window, .message = message, .wParam = wParam, .lParam = lParam};
    if (Record(call) == nullptr) return false;
    return Fake().posted.push_back(call), true;
}
std::uintptr_t SetTimer(Hwnd window, std::uintptr_t id, unsigned int elapse, TimerProc procedure) {
    if (Record({.api = Api::SetTimer, .window = window, .message = elapse, .wParam = id}) == nullptr) return 0;
    return Fake().timers[{window, id}] = {elapse, procedure}, id;
}
bool KillTimer(Hwnd window, std::uintptr_t id) { return Record({.api = Api::KillTimer, .window = window, .wParam = id}), Fake().timers.erase({window, id}) > 0; }

// Neither a rectangle nor a program file version: the tests look at them on real windows.
bool GetWindowRect(Hwnd window, Rect&) { return Record({.api = Api::GetWindowRect, .window = window}), false; }
bool GetProgramFileVersion(std::uint16_t (&)[4]) { return Record({.api = Api::GetProgramFileVersion}), false; }

}  // namespace brennick::win
