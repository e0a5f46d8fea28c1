#include "tests/double/FakeWindowSystem.h"

#include <stdexcept>
#include <type_traits>
#include <utility>

#include "platform/Win32Constants.h"

namespace brennick::test {
namespace {

Layer* FindLayer(FakeWindow* window, int layer) {
    if (window == nullptr) return nullptr;
    const auto found = std::ranges::find(window->layers, layer, &Layer::number);
    return found != window->layers.end() ? &*found : nullptr;
}

void LeaveIfOnTop(FakeWindow* window, int layer, bool removing);

// Layer N's procedure: it records what it sees until it is removed, and passes it on.
template <int N>
win::LResult BRENNICK_CALLBACK LayerProcedure(win::Hwnd h, unsigned m, win::WParam w, win::LParam l) {
    FakeWindowSystem& fake = *FakeWindowSystem::Current();
    const Layer* layer = FindLayer(fake.Find(h), N);
    if (layer == nullptr) return 0;
    if (!layer->removed) fake.Window(h).visits.push_back({N, m, w, l});
    const win::LResult result = layer->prev(h, m, w, l);
    return LeaveIfOnTop(fake.Find(h), N, false), result;
}
constexpr win::WndProc kLayerProcedure[] = {LayerProcedure<0>, LayerProcedure<1>, LayerProcedure<2>, LayerProcedure<3>};

// A removed layer leaves when it is on top: a raw one only as it is removed, a comctl32 one also
// once a message finds it there.
void LeaveIfOnTop(FakeWindow* window, int layer, bool removing) {
    const Layer* found = FindLayer(window, layer);
    if (found == nullptr || !found->removed || !(removing || found->comctl32Style)) return;
    if (window->procedure != kLayerProcedure[layer]) return;
    window->procedure = found->prev;
    std::erase_if(window->layers, [layer](const Layer& each) { return each.number == layer; });
}

}  // namespace

win::Hwnd FakeWindowSystem::CreateWindow(const std::string& className, bool unicode, win::Hwnd handle) {
    static std::atomic<std::uintptr_t> next = 0x1000;  // handles are the system's: no two fakes share one
    if (handle == nullptr) handle = reinterpret_cast<win::Hwnd>(next += 4);
    const auto guard = Guard();
    if (Find(handle) != nullptr) throw std::logic_error("handle still in use");
    windows[handle] = {.unicode = unicode, .className = className, .procedure = &OwnProcedure, .thread = currentThread};
    return handle;
}

void FakeWindowSystem::DestroyWindow(win::Hwnd handle) {
    Send(handle, WM_DESTROY), Send(handle, WM_NCDESTROY);
    const auto guard = Guard();
    if (FakeWindow* window = Find(handle)) *window = FakeWindow{.alive = false};
}

win::LResult FakeWindowSystem::Send(win::Hwnd handle, unsigned int message, win::WParam wParam, win::LParam lParam) {
    auto guard = Guard();
    const FakeWindow* window = Find(handle);
    if (window == nullptr || (threaded_ && window->thread != currentThread)) return 0;
    const win::WndProc procedure = window->procedure;
    const std::uint32_t sender = std::exchange(currentThread, window->thread);  // the sender waits
    guard.unlock();
    const win::LResult result = procedure(handle, message, wParam, lParam);
    return currentThread = sender, result;
}

void FakeWindowSystem::DeliverPosted() {
    auto guard = Guard();
    const auto others = std::stable_partition(posted.begin(), posted.end(), [this](const Call& call) {
        return !threaded_ || (Find(call.window) != nullptr && Find(call.window)->thread == currentThread);
    });
    const std::vector<Call> mine(posted.begin(), others);
    posted.erase(posted.begin(), others), guard.unlock();
    for (const Call& call : mine) Send(call.window, call.message, call.wParam, call.lParam);
}

win::LResult BRENNICK_CALLBACK FakeWindowSystem::OwnProcedure(win::Hwnd h, unsigned m, win::WParam w, win::LParam l) {
    const auto guard = Current()->Guard();
    FakeWindow* window = Current()->Find(h);
    return window ? (window->visits.push_back({kOwnProcedure, m, w, l}), window->answer) : 0;
}

void FakeWindowSystem::InstallLayer(win::Hwnd handle, int layer, bool comctl32Style) {
    if (FindLayer(Find(handle), layer) != nullptr) return;  // removed, but still in the chain
    FakeWindow& window = Window(handle);
    window.layers.push_back({layer, std::exchange(window.procedure, kLayerProcedure[layer]), comctl32Style});
    window.unicode = false;
}

void FakeWindowSystem::RemoveLayer(win::Hwnd handle, int layer) {
    if (Layer* found = FindLayer(Find(handle), layer)) found->removed = true, LeaveIfOnTop(Find(handle), layer, true);
}

std::vector<int> FakeWindowSystem::LayersTopFirst(win::Hwnd handle) {
    std::vector<int> top;
    for (const Layer& layer : Window(handle).layers)
        if (!layer.removed) top.insert(top.begin(), layer.number);
    return top;
}

void FakeWindowSystem::Tick(win::Hwnd handle) {
    const auto due = Find(handle) ? Window(handle).timers : FakeWindow{}.timers;  // a procedure may set or kill timers
    for (const auto& [id, procedure] : due)
        if (Window(handle).timers.contains(id)) procedure(handle, WM_TIMER, id, 0);
}

std::vector<Call> FakeWindowSystem::CallsOf(Api api) const {
    std::vector<Call> found = calls;
    return std::erase_if(found, [api](const Call& c) { return c.api != api; }), found;
}

void FakeWindowSystem::Record(Call call) {
    if (threaded_) return;
    call.thread = currentThread, calls.push_back(call);
    if (onCall) onCall(call);
}

}  // namespace brennick::test

// --- the window layer, bound to the current fake ---

namespace brennick::win {
namespace {

using test::Api;
using test::Call;
using test::FakeWindow;
test::FakeWindowSystem& Fake() { return *test::FakeWindowSystem::Current(); }

// Every call that names a window: records the call (first: a reaction to it may call the layer
// again), then, holding the guard, answers what body (a function or a member) makes of the live
// window the call names, or 0, false or null without one.
template <class Body>
auto On(const Call& call, Body body) {
    Fake().Record(call);
    const auto guard = Fake().Guard();
    FakeWindow* w = Fake().Find(call.window);
    return w ? std::invoke(body, *w) : std::remove_cvref_t<std::invoke_result_t<Body, FakeWindow&>>{};
}

WndProc SetProcedure(Api api, Hwnd window, WndProc procedure) {
    return On({.api = api, .window = window, .value = reinterpret_cast<const void*>(procedure)}, [&](FakeWindow& w) {
        if (Fake().failSetWindowProcedure || procedure == nullptr) return WndProc{};
        w.unicode = api == Api::SetWindowProcedureW;
        return std::exchange(w.procedure, procedure);
    });
}
LResult Pass(Api api, WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Fake().Record({.api = api, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}
// The capture moves: the window that loses it is told, with the one that takes it.
Hwnd MoveCapture(Api api, Hwnd window) {
    Fake().Record({.api = api, .window = window});
    const Hwnd before = std::exchange(Fake().capture, window);
    if (before && before != window) Fake().Send(before, WM_CAPTURECHANGED, 0, reinterpret_cast<LParam>(window));
    return before;
}

}  // namespace

bool GetScrollInfo(Hwnd window, int bar, ScrollInfo& info) {
    return On({.api = Api::GetScrollInfo, .window = window, .bar = bar, .info = info}, [&](FakeWindow& w) {
        const test::FakeBar& state = w.Bar(bar);
        if (info.fMask & SIF_RANGE) info.nMin = state.min, info.nMax = state.max;
        if (info.fMask & SIF_PAGE) info.nPage = state.page;
        if (info.fMask & SIF_POS) info.nPos = state.pos;
        if (info.fMask & SIF_TRACKPOS) info.nTrackPos = state.dragging ? state.track : state.pos;
        return true;
    });
}
std::int32_t SetScrollInfo(Hwnd window, int bar, const ScrollInfo& info, bool redraw) {
    const Call call{.api = Api::SetScrollInfo, .window = window, .bar = bar, .info = info, .flag = redraw};
    return On(call, [&](FakeWindow& w) {
        test::FakeBar& state = w.Bar(bar);
        if (info.fMask & SIF_RANGE) state.min = info.nMin, state.max = info.nMax;
        if (info.fMask & SIF_PAGE) state.page = info.nPage;
        return (info.fMask & SIF_POS) ? state.pos = info.nPos : state.pos;
    });
}
bool ShowScrollBar(Hwnd window, int bar, bool show) {
    return On({.api = Api::ShowScrollBar, .window = window, .bar = bar, .flag = show}, &FakeWindow::alive);
}
bool IsWindow(Hwnd window) { return On({Api::IsWindow, window}, &FakeWindow::alive); }
bool IsWindowUnicode(Hwnd window) { return On({Api::IsWindowUnicode, window}, &FakeWindow::unicode); }
void* GetPropA(Hwnd window, const char* name) {
    return On({.api = Api::GetProp, .window = window, .text = name},
              [&](FakeWindow& w) { return w.properties.contains(name) ? w.properties[name] : nullptr; });
}
bool SetPropA(Hwnd window, const char* name, void* value) {
    return On({.api = Api::SetProp, .window = window, .text = name, .value = value},
              [&](FakeWindow& w) { return !Fake().refuseSetProp && (w.properties[name] = value, true); });
}
void* RemovePropA(Hwnd window, const char* name) {
    return On({.api = Api::RemoveProp, .window = window, .text = name}, [&](FakeWindow& w) {
        return w.properties.contains(name) ? w.properties.extract(name).mapped() : nullptr;
    });
}
WndProc SetWindowProcedureA(Hwnd window, WndProc p) { return SetProcedure(Api::SetWindowProcedureA, window, p); }
WndProc SetWindowProcedureW(Hwnd window, WndProc p) { return SetProcedure(Api::SetWindowProcedureW, window, p); }
WndProc GetWindowProcedureA(Hwnd window) { return On({Api::GetWindowProcedureA, window}, &FakeWindow::procedure); }
WndProc GetWindowProcedureW(Hwnd window) { return On({Api::GetWindowProcedureW, window}, &FakeWindow::procedure); }
LResult CallWindowProcA(WndProc p, Hwnd h, unsigned m, WParam w, LParam l) {
    return Pass(Api::CallWindowProcA, p, h, m, w, l);
}
LResult CallWindowProcW(WndProc p, Hwnd h, unsigned m, WParam w, LParam l) {
    return Pass(Api::CallWindowProcW, p, h, m, w, l);
}
LResult DefWindowProcA(Hwnd h, unsigned m, WParam w, LParam l) { return Pass(Api::DefWindowProc, nullptr, h, m, w, l); }
LResult DefWindowProcW(Hwnd h, unsigned m, WParam w, LParam l) { return Pass(Api::DefWindowProc, nullptr, h, m, w, l); }
std::uint32_t GetWindowThreadProcessId(Hwnd h) { return On({Api::GetWindowThreadProcessId, h}, &FakeWindow::thread); }
std::uint32_t GetCurrentThreadId() { return Fake().Record({.api = Api::GetCurrentThreadId}), Fake().currentThread; }

bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int) {
    Fake().Record({.api = Api::SystemParametersInfo, .value = value, .message = action, .wParam = param});
    const bool chars = action == SPI_GETWHEELSCROLLCHARS;
    return *static_cast<std::int32_t*>(value) = chars ? Fake().wheelScrollChars : Fake().wheelScrollLines, true;
}
Hwnd FindWindowA(const char* className, const char* title) {
    Fake().Record({.api = Api::FindWindow, .text = std::string(className) + "|" + title});
    for (const auto& [handle, w] : Fake().windows)
        if (w.alive && w.className == className && w.title == title) return handle;
    return nullptr;
}
unsigned int RegisterWindowMessageA(const char* name) {
    Fake().Record({.api = Api::RegisterWindowMessage, .text = name});
    static std::map<std::string, unsigned int> messages;  // the system's table, not one fake's
    const auto guard = Fake().Guard();
    return messages.emplace(name, 0xC000 + static_cast<unsigned int>(messages.size())).first->second;
}
LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Fake().Record({.api = Api::SendMessage, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return Fake().dropSentMessages ? 0 : Fake().Send(window, message, wParam, lParam);
}
void WaitForSentMessages() {}  // every message is delivered at once here
bool PostMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    const Call call{.api = Api::PostMessage, .window = window, .message = message, .wParam = wParam, .lParam = lParam};
    return On(call, [&](FakeWindow&) { return Fake().posted.push_back(call), true; });
}
std::uintptr_t SetTimer(Hwnd window, std::uintptr_t id, unsigned int elapse, TimerProc procedure) {
    return On({.api = Api::SetTimer, .window = window, .message = elapse, .wParam = id},
              [&](FakeWindow& w) { return w.timers[id] = procedure, id; });
}
bool KillTimer(Hwnd window, std::uintptr_t id) {
    return On({.api = Api::KillTimer, .window = window, .wParam = id}, [&](auto& w) { return w.timers.erase(id) > 0; });
}
Hwnd SetCapture(Hwnd window) { return MoveCapture(Api::SetCapture, window); }
bool ReleaseCapture() { return MoveCapture(Api::ReleaseCapture, nullptr), true; }
Hwnd GetCapture() { return Fake().Record({.api = Api::GetCapture}), Fake().capture; }
bool GetClientRect(Hwnd window, Rect& rect) {
    return On({Api::GetClientRect, window}, [&](FakeWindow&) { return rect = Rect{0, 0, 200, 100}, true; });
}
// A cursor is its number here; the one shown is not kept (nobody asks for it).
void* LoadSystemCursor(int id) {
    return Fake().Record({.api = Api::LoadSystemCursor}), reinterpret_cast<void*>(std::intptr_t{id});
}
void* SetCursor(void*) { return Fake().Record({.api = Api::SetCursor}), nullptr; }
// Neither a rectangle nor a program file version: the tests look at them on real windows.
bool GetWindowRect(Hwnd window, Rect&) { return Fake().Record({.api = Api::GetWindowRect, .window = window}), false; }
bool GetProgramFileVersion(std::uint16_t (&)[4]) { return Fake().Record({.api = Api::GetProgramFileVersion}), false; }

}  // namespace brennick::win
