#include "tests/double/FakeWindowSystem.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <utility>

#include "platform/Win32Constants.h"

namespace brennick::test {
namespace {

FakeWindowSystem* current = nullptr;
std::uintptr_t Key(win::Hwnd window) { return reinterpret_cast<std::uintptr_t>(window); }

template <int N>
win::LResult BRENNICK_CALLBACK LayerProcedure(win::Hwnd window, unsigned int message, win::WParam w, win::LParam l) {
    return current ? current->RunLayer(N, window, message, w, l) : 0;
}
constexpr win::WndProc kLayerProcedures[] = {&LayerProcedure<0>, &LayerProcedure<1>, &LayerProcedure<2>,
                                             &LayerProcedure<3>};

}  // namespace

FakeWindowSystem::FakeWindowSystem(bool threaded) : threaded_(threaded) { current = this; }
FakeWindowSystem::~FakeWindowSystem() { current = nullptr; }
FakeWindowSystem* FakeWindowSystem::Current() { return current; }
std::unique_lock<std::mutex> FakeWindowSystem::Guard() {
    return threaded_ ? std::unique_lock(mutex_) : std::unique_lock<std::mutex>();
}

std::uint32_t FakeWindowSystem::Thread() const {
    static std::atomic<std::uint32_t> threads{1};
    thread_local const std::uint32_t self = threads++;
    return threaded_ ? self : currentThread;
}

win::Hwnd FakeWindowSystem::CreateWindow(const std::string& className, bool unicode) {
    static std::atomic<std::uintptr_t> next = 0x1000;  // handles are the system's: no two fakes share one
    const auto handle = reinterpret_cast<win::Hwnd>(next += 4);
    const auto guard = Guard();
    windows[Key(handle)] = {.unicode = unicode, .className = className, .procedure = &OwnProcedure, .thread = Thread()};
    return handle;
}

win::Hwnd FakeWindowSystem::CreateWindowReusing(win::Hwnd handle) {
    if (Find(handle) != nullptr) throw std::logic_error("handle still in use");
    windows[Key(handle)] = {.procedure = &OwnProcedure, .thread = Thread()};
    return handle;
}

void FakeWindowSystem::DestroyWindow(win::Hwnd handle) {
    Send(handle, WM_DESTROY), Send(handle, WM_NCDESTROY);
    const auto guard = Guard();
    if (FakeWindow* window = Find(handle)) *window = FakeWindow{.alive = false};
    std::erase_if(timers, [handle](const auto& timer) { return timer.first.first == handle; });
}

win::LResult FakeWindowSystem::Send(win::Hwnd handle, unsigned int message, win::WParam wParam, win::LParam lParam) {
    auto guard = Guard();
    const FakeWindow* window = Find(handle);
    if (window == nullptr || (threaded_ && window->thread != Thread())) return 0;
    const win::WndProc procedure = window->procedure;
    if (threaded_) return guard.unlock(), procedure(handle, message, wParam, lParam);
    const std::uint32_t sender = std::exchange(currentThread, window->thread);  // the sender waits
    const win::LResult result = procedure(handle, message, wParam, lParam);
    return currentThread = sender, result;
}

void FakeWindowSystem::DeliverPosted() {
    auto guard = Guard();
    const auto others = std::stable_partition(posted.begin(), posted.end(), [this](const Call& call) {
        return !threaded_ || (Find(call.window) != nullptr && Find(call.window)->thread == Thread());
    });
    const std::vector<Call> mine(posted.begin(), others);
    posted.erase(posted.begin(), others);
    guard = {};
    for (const Call& call : mine) Send(call.window, call.message, call.wParam, call.lParam);
}

FakeWindow* FakeWindowSystem::Find(win::Hwnd handle) {
    const auto found = windows.find(Key(handle));
    return found != windows.end() && found->second.alive ? &found->second : nullptr;
}

win::LResult BRENNICK_CALLBACK FakeWindowSystem::OwnProcedure(win::Hwnd handle, unsigned int m, win::WParam w,
                                                              win::LParam l) {
    const auto guard = current->Guard();
    FakeWindow* window = current->Find(handle);
    if (window != nullptr) window->visits.push_back({kOwnProcedure, m, w, l});
    return window ? window->answer : 0;
}

Layer* FakeWindowSystem::FindLayer(win::Hwnd handle, int layer) {
    FakeWindow* window = Find(handle);
    if (window == nullptr) return nullptr;
    const auto found = std::ranges::find(window->layers, layer, &Layer::number);
    return found != window->layers.end() ? &*found : nullptr;
}

void FakeWindowSystem::InstallLayer(win::Hwnd handle, int layer, bool comctl32Style) {
    if (FindLayer(handle, layer) != nullptr) return;  // removed, but still in the chain
    FakeWindow& window = Window(handle);
    window.layers.push_back({layer, std::exchange(window.procedure, kLayerProcedures[layer]), comctl32Style});
    window.unicode = false;
}

void FakeWindowSystem::RemoveLayer(win::Hwnd handle, int layer) {
    if (Layer* found = FindLayer(handle, layer)) found->removed = true, LeaveIfOnTop(handle, layer, true);
}

std::vector<int> FakeWindowSystem::LayersTopFirst(win::Hwnd handle) {
    std::vector<int> top;
    const std::vector<Layer>& layers = Window(handle).layers;
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer)
        if (!layer->removed) top.push_back(layer->number);
    return top;
}

bool FakeWindowSystem::Stuck(win::Hwnd handle) { return std::ranges::any_of(Window(handle).layers, &Layer::removed); }

win::LResult FakeWindowSystem::RunLayer(int layer, win::Hwnd handle, unsigned int message, win::WParam w,
                                        win::LParam l) {
    const Layer* found = FindLayer(handle, layer);
    if (found == nullptr) return 0;
    if (!found->removed) Window(handle).visits.push_back({layer, message, w, l});
    const win::LResult result = found->prev(handle, message, w, l);
    return LeaveIfOnTop(handle, layer, false), result;
}

void FakeWindowSystem::LeaveIfOnTop(win::Hwnd handle, int layer, bool removing) {
    const Layer* found = FindLayer(handle, layer);
    FakeWindow* window = Find(handle);
    if (found == nullptr || !found->removed || !(removing || found->comctl32Style)) return;
    if (window->procedure != kLayerProcedures[layer]) return;
    window->procedure = found->prev;
    std::erase_if(window->layers, [layer](const Layer& each) { return each.number == layer; });
}

void FakeWindowSystem::Tick(win::Hwnd handle) {
    const auto due = timers;  // a procedure may set or kill timers
    for (const auto& [key, procedure] : due) {
        if (key.first == handle && timers.contains(key)) procedure(handle, WM_TIMER, key.second, 0);
    }
}

std::vector<Call> FakeWindowSystem::CallsOf(Api api) const {
    std::vector<Call> found;
    std::ranges::copy_if(calls, std::back_inserter(found), [api](const Call& c) { return c.api == api; });
    return found;
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

// Records the call (first: a reaction to it may call the layer again), then holds the guard and
// finds the live window the call names, if any.
struct Entered {
    std::unique_lock<std::mutex> guard;
    FakeWindow* window;
};
Entered Enter(const Call& call) {
    Fake().Record(call);
    auto guard = Fake().Guard();
    return {std::move(guard), Fake().Find(call.window)};
}
test::FakeBar& BarOf(FakeWindow& w, int bar) { return w.bars.at(bar == SB_VERT ? 1 : 0); }

WndProc SetProcedure(Api api, Hwnd window, WndProc procedure) {
    const auto [guard, w] = Enter({.api = api, .window = window, .value = reinterpret_cast<const void*>(procedure)});
    if (w == nullptr || Fake().failSetWindowProcedure || procedure == nullptr) return nullptr;
    w->unicode = api == Api::SetWindowProcedureW;
    return std::exchange(w->procedure, procedure);
}
WndProc GetProcedure(Api api, Hwnd window) {
    const auto [guard, w] = Enter({.api = api, .window = window});
    return w ? w->procedure : nullptr;
}
LResult Pass(Api api, WndProc procedure, Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Fake().Record({.api = api, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return procedure ? procedure(window, message, wParam, lParam) : 0;
}

}  // namespace

bool GetScrollInfo(Hwnd window, int bar, ScrollInfo& info) {
    const auto [guard, w] = Enter({.api = Api::GetScrollInfo, .window = window, .bar = bar, .info = info});
    if (w == nullptr || Fake().failGetScrollInfo) return false;
    const test::FakeBar& state = BarOf(*w, bar);
    if (info.fMask & SIF_RANGE) info.nMin = state.min, info.nMax = state.max;
    if (info.fMask & SIF_PAGE) info.nPage = state.page;
    if (info.fMask & SIF_POS) info.nPos = state.pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = state.dragging ? state.track : state.pos;
    return true;
}
std::int32_t SetScrollInfo(Hwnd window, int bar, const ScrollInfo& info, bool redraw) {
    const auto [guard, w] =
        Enter({.api = Api::SetScrollInfo, .window = window, .bar = bar, .info = info, .flag = redraw});
    if (w == nullptr) return 0;
    test::FakeBar& state = BarOf(*w, bar);
    if (info.fMask & SIF_RANGE) state.min = info.nMin, state.max = info.nMax;
    if (info.fMask & SIF_PAGE) state.page = info.nPage;
    return (info.fMask & SIF_POS) ? state.pos = info.nPos : state.pos;
}
bool ShowScrollBar(Hwnd window, int bar, bool show) {
    return Enter({.api = Api::ShowScrollBar, .window = window, .bar = bar, .flag = show}).window != nullptr;
}
bool IsWindow(Hwnd window) { return Enter({.api = Api::IsWindow, .window = window}).window != nullptr; }
bool IsWindowUnicode(Hwnd window) {
    const auto [guard, w] = Enter({.api = Api::IsWindowUnicode, .window = window});
    return w && w->unicode;
}
void* GetPropA(Hwnd window, const char* name) {
    const auto [guard, w] = Enter({.api = Api::GetProp, .window = window, .text = name});
    return w && w->properties.contains(name) ? w->properties[name] : nullptr;
}
bool SetPropA(Hwnd window, const char* name, void* value) {
    const auto [guard, w] = Enter({.api = Api::SetProp, .window = window, .text = name, .value = value});
    return w && !Fake().refuseSetProp && (w->properties[name] = value, true);
}
void* RemovePropA(Hwnd window, const char* name) {
    const auto [guard, w] = Enter({.api = Api::RemoveProp, .window = window, .text = name});
    return w && w->properties.contains(name) ? w->properties.extract(name).mapped() : nullptr;
}
WndProc SetWindowProcedureA(Hwnd window, WndProc p) { return SetProcedure(Api::SetWindowProcedureA, window, p); }
WndProc SetWindowProcedureW(Hwnd window, WndProc p) { return SetProcedure(Api::SetWindowProcedureW, window, p); }
WndProc GetWindowProcedureA(Hwnd window) { return GetProcedure(Api::GetWindowProcedureA, window); }
WndProc GetWindowProcedureW(Hwnd window) { return GetProcedure(Api::GetWindowProcedureW, window); }
// clang-format off
LResult CallWindowProcA(WndProc p, Hwnd w, unsigned m, WParam a, LParam b) {
    return Pass(Api::CallWindowProcA, p, w, m, a, b);
}
LResult CallWindowProcW(WndProc p, Hwnd w, unsigned m, WParam a, LParam b) {
    return Pass(Api::CallWindowProcW, p, w, m, a, b);
}
LResult DefWindowProcA(Hwnd w, unsigned m, WParam a, LParam b) { return Pass(Api::DefWindowProc, nullptr, w, m, a, b); }
LResult DefWindowProcW(Hwnd w, unsigned m, WParam a, LParam b) { return Pass(Api::DefWindowProc, nullptr, w, m, a, b); }
// clang-format on
std::uint32_t GetWindowThreadProcessId(Hwnd window) {
    const auto [guard, w] = Enter({.api = Api::GetWindowThreadProcessId, .window = window});
    return w ? w->thread : 0;
}
std::uint32_t GetCurrentThreadId() { return Fake().Record({.api = Api::GetCurrentThreadId}), Fake().Thread(); }

bool SystemParametersInfoA(unsigned int action, unsigned int param, void* value, unsigned int) {
    Fake().Record({.api = Api::SystemParametersInfo, .value = value, .message = action, .wParam = param});
    const bool chars = action == SPI_GETWHEELSCROLLCHARS;
    return *static_cast<std::int32_t*>(value) = chars ? Fake().wheelScrollChars : Fake().wheelScrollLines, true;
}
Hwnd FindWindowA(const char* className, const char* title) {
    Fake().Record({.api = Api::FindWindow, .text = std::string(className) + "|" + title});
    for (const auto& [key, w] : Fake().windows)
        if (w.alive && w.className == className && w.title == title) return reinterpret_cast<Hwnd>(key);
    return nullptr;
}
unsigned int RegisterWindowMessageA(const char* name) {
    Fake().Record({.api = Api::RegisterWindowMessage, .text = name});
    static std::mutex lock;  // the system's table, not one fake's
    static std::map<std::string, unsigned int> messages;
    const std::lock_guard guard(lock);
    return messages.emplace(name, 0xC000 + static_cast<unsigned int>(messages.size())).first->second;
}
LResult SendMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    Fake().Record({.api = Api::SendMessage, .window = window, .message = message, .wParam = wParam, .lParam = lParam});
    return Fake().dropSentMessages ? 0 : Fake().Send(window, message, wParam, lParam);
}
void WaitForSentMessages() {}  // every message is delivered at once here
bool PostMessageA(Hwnd window, unsigned int message, WParam wParam, LParam lParam) {
    const Call call{.api = Api::PostMessage, .window = window, .message = message, .wParam = wParam, .lParam = lParam};
    const auto [guard, w] = Enter(call);
    return w && (Fake().posted.push_back(call), true);
}
std::uintptr_t SetTimer(Hwnd window, std::uintptr_t id, unsigned int elapse, TimerProc procedure) {
    const auto [guard, w] = Enter({.api = Api::SetTimer, .window = window, .message = elapse, .wParam = id});
    return w ? (Fake().timers[{window, id}] = procedure, id) : 0;
}
bool KillTimer(Hwnd window, std::uintptr_t id) {
    const auto [guard, w] = Enter({.api = Api::KillTimer, .window = window, .wParam = id});
    return w && Fake().timers.erase({window, id}) > 0;
}
// The capture: the window that loses it is told, with the one that takes it.
Hwnd SetCapture(Hwnd window) {
    Fake().Record({.api = Api::SetCapture, .window = window});
    const Hwnd before = std::exchange(Fake().capture, window);
    if (before != nullptr && before != window)
        Fake().Send(before, WM_CAPTURECHANGED, 0, reinterpret_cast<LParam>(window));
    return before;
}
bool ReleaseCapture() {
    Fake().Record({.api = Api::ReleaseCapture});
    if (const Hwnd before = std::exchange(Fake().capture, nullptr)) Fake().Send(before, WM_CAPTURECHANGED, 0, 0);
    return true;
}
Hwnd GetCapture() { return Fake().Record({.api = Api::GetCapture}), Fake().capture; }
bool GetClientRect(Hwnd window, Rect& rect) {
    const auto [guard, w] = Enter({.api = Api::GetClientRect, .window = window});
    return w && (rect = Rect{0, 0, w->width, w->height}, true);
}
void* LoadSystemCursor(int id) {  // a cursor is its number here
    Fake().Record({.api = Api::LoadSystemCursor, .message = static_cast<unsigned int>(id)});
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(id));
}
void* SetCursor(void* cursor) { return Fake().Record({.api = Api::SetCursor}), std::exchange(Fake().cursor, cursor); }
// Neither a rectangle nor a program file version: the tests look at them on real windows.
bool GetWindowRect(Hwnd window, Rect&) { return Fake().Record({.api = Api::GetWindowRect, .window = window}), false; }
bool GetProgramFileVersion(std::uint16_t (&)[4]) { return Fake().Record({.api = Api::GetProgramFileVersion}), false; }

}  // namespace brennick::win
