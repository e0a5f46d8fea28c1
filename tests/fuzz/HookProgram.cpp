#include "tests/fuzz/HookProgram.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "controls/scrollbars/modSubclassScrollBars.h"
#include "controls/wheel/modSubclassWheel.h"
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"

namespace brennick::fuzz {
namespace {

using modSubclassScrollBars::ScrollBarsWndProc;
using modSubclassWheel::WheelWndProc;
using test::Api;

// Handlers, procedures and reactions nest; the bound keeps one input's stack small.
constexpr int kMaxDepth = 6;
constexpr std::size_t kMaxWindows = 6;

constexpr unsigned int kWmDestroy = 0x0002;
constexpr unsigned int kWmSize = 0x0005;
constexpr unsigned int kWmPaint = 0x000F;
constexpr unsigned int kWmMouseHWheel = 0x020E;

enum class Op : std::uint8_t {
    NewScrollBars, NewWheel, Release, Share, SubClass, UnSubClass, SetProperty, GetProperty, ScrollTo,
    SendScroll, SendWheel, SendOther, CallSharedProcedure, Destroy, Create, Reuse, Script, Track,
    Disconnect, RemoveProperty, Count
};

constexpr const char* kOpNames[] = {
    "NewScrollBars", "NewWheel", "Release", "Share", "SubClass", "UnSubClass", "SetProperty", "GetProperty",
    "ScrollTo", "SendScroll", "SendWheel", "SendOther", "CallSharedProcedure", "Destroy", "Create", "Reuse",
    "Script", "Track", "Disconnect", "RemoveProperty",
};
static_assert(std::size(kOpNames) == static_cast<std::size_t>(Op::Count));

// BRENNICK_FUZZ_TRACE: print the operations of each input, to read a crash input.
const bool kTrace = std::getenv("BRENNICK_FUZZ_TRACE") != nullptr;

// A handle that never names a window of the double (its handles start at 0x1000).
win::Hwnd BogusWindow() { return reinterpret_cast<win::Hwnd>(std::uintptr_t{0x10}); }

}  // namespace

void Fail(const std::string& what) {
    std::fprintf(stderr, "hook fuzz: %s\n", what.c_str());
    std::abort();
}

HookProgram::HookProgram(const std::uint8_t* data, std::size_t size) : input_(data, size) {
    fake_.onCall = [this](const test::Call& call) { OnPlatformCall(call); };
    for (int window = 0; window < 3; ++window) CreateWindow();
}

HookProgram::~HookProgram() {
    reacting_ = false;
    slots_ = {};
    fake_.onCall = nullptr;
}

void HookProgram::Run() {
    while (!input_.Empty()) {
        fake_.ClearCalls();
        Step();
        CheckHooks();
    }
    ReleaseAll();
    CheckReleased();
}

void HookProgram::Step() {
    if (input_.Empty()) return;
    const auto op = static_cast<Op>(input_.Below(static_cast<std::size_t>(Op::Count)));
    if (kTrace) std::fprintf(stderr, "%*s%s\n", 2 * depth_, "", kOpNames[static_cast<std::size_t>(op)]);
    switch (op) {
    case Op::NewScrollBars: NewScrollBars(PickSlot()); break;
    case Op::NewWheel: NewWheel(PickSlot()); break;
    case Op::Release: PickSlot() = Slot{}; break;
    case Op::Share: {
        const Slot& from = PickSlot();
        PickSlot() = from;
        break;
    }
    case Op::SubClass: {
        Slot& slot = PickSlot();
        SubClass(slot, PickWindow());
        break;
    }
    case Op::UnSubClass: UnSubClass(PickSlot()); break;
    case Op::SetProperty: SetProperty(PickSlot()); break;
    case Op::GetProperty: GetProperty(PickSlot()); break;
    case Op::ScrollTo: ScrollTo(PickSlot()); break;
    case Op::SendScroll: SendScroll(PickWindow()); break;
    case Op::SendWheel: SendWheel(PickWindow()); break;
    case Op::SendOther: SendOther(PickWindow()); break;
    case Op::CallSharedProcedure: CallSharedProcedure(PickWindow()); break;
    case Op::Destroy: fake_.DestroyWindow(PickWindow()); break;
    case Op::Create: CreateWindow(); break;
    case Op::Reuse: ReuseHandle(PickWindow()); break;
    case Op::Script: Script(); break;
    case Op::Track: Track(PickWindow()); break;
    case Op::Disconnect: Disconnect(PickSlot()); break;
    case Op::RemoveProperty: RemoveProperty(PickWindow()); break;
    case Op::Count: break;
    }
}

// The owner gets control (an event, or its window's own procedure) and acts in turn.
void HookProgram::React() {
    if (!reacting_ || depth_ >= kMaxDepth) return;
    const std::size_t steps = input_.Below(4);
    ++depth_;
    for (std::size_t step = 0; step < steps; ++step) Step();
    --depth_;
}

void HookProgram::OnPlatformCall(const test::Call& call) {
    model_.Observe(call, fake_);
    if (fake_.calls.size() > 256) fake_.ClearCalls();  // the record is not needed here
    switch (call.api) {
    // Where the system runs window procedures: showing or hiding a bar sends WM_SIZE and its
    // kin, and the previous and default procedures are the window's own code.
    case Api::SetScrollInfo:
    case Api::ShowScrollBar:
    case Api::CallWindowProc:
    case Api::DefWindowProc:
        React();
        break;
    default:
        break;
    }
}

void HookProgram::NewScrollBars(Slot& slot) {
    Ref<CScrollBars> bars = MakeRef<CScrollBars>();
    hookedIncarnation_.erase(bars.Get());  // the address of one that is gone
    Connect(*bars);
    slot = Slot{std::move(bars), {}};
}

void HookProgram::NewWheel(Slot& slot) {
    Ref<cSubClassWheel> wheel = MakeRef<cSubClassWheel>();
    hookedIncarnation_.erase(wheel.Get());
    Connect(*wheel);
    slot = Slot{{}, std::move(wheel)};
}

// Handlers capture the program only: a counted reference in a handler would keep its
// component alive for ever.
void HookProgram::Connect(CScrollBars& bars) {
    const auto react = [this](std::int32_t) { React(); };
    bars.HChange.Connect(react);
    bars.HScroll.Connect(react);
    bars.VChange.Connect(react);
    bars.VScroll.Connect(react);
    bars.WheelRotate.Connect([this](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16& wheeled) {
        Require(wheeled == kFalse, "the controller's WheelRotate starts with Wheeled true");
        wheeled = Bool16(static_cast<std::int16_t>(input_.Int32()));  // the controller ignores it
        React();
    });
}

void HookProgram::Connect(cSubClassWheel& wheel) {
    wheel.WheelRotate.Connect([this](std::int32_t& delta, std::int32_t& shift, std::int32_t& x, std::int32_t& y,
                                     Bool16& wheeled) {
        Require(wheeled == kFalse, "the wheel hook's WheelRotate starts with Wheeled true");
        const std::uint8_t answer = input_.Byte();
        React();
        switch (answer & 3) {
        case 1: wheeled = kTrue; break;
        case 2: wheeled = Bool16(std::int16_t{1}); break;  // any non-zero value consumes
        default: break;
        }
        if ((answer & 4) != 0) delta = shift = x = y = INT32_MIN;  // discarded by the hook
    });
}

void HookProgram::Disconnect(Slot& slot) {
    const std::size_t which = input_.Below(6);
    if (const Ref<CScrollBars> bars = slot.bars) {
        switch (which) {
        case 0: bars->HChange.Disconnect(); break;
        case 1: bars->HScroll.Disconnect(); break;
        case 2: bars->VChange.Disconnect(); break;
        case 3: bars->VScroll.Disconnect(); break;
        case 4: bars->WheelRotate.Disconnect(); break;
        default: Connect(*bars); break;
        }
    } else if (const Ref<cSubClassWheel> wheel = slot.wheel) {
        if (which < 3) {
            wheel->WheelRotate.Disconnect();
        } else {
            Connect(*wheel);
        }
    }
}

// Direct calls go through a counted reference of their own, as any owner's calls do: a
// reaction inside the call may drop the slot's.
void HookProgram::SubClass(Slot& slot, win::Hwnd window) {
    if (const Ref<CScrollBars> bars = slot.bars) {
        const bool wasFree = bars->TargetWnd() == nullptr;
        bars->SubClass(window);
        if (wasFree && bars->TargetWnd() == window) Hooked(bars.Get(), window);
    } else if (const Ref<cSubClassWheel> wheel = slot.wheel) {
        const bool wasFree = wheel->TargetWnd() == nullptr;
        wheel->SubClass(window);
        if (wasFree && wheel->TargetWnd() == window) Hooked(wheel.Get(), window);
    }
}

void HookProgram::Hooked(const void* component, win::Hwnd window) {
    const Chain* chain = model_.Find(window);
    hookedIncarnation_[component] = chain == nullptr ? 0 : chain->incarnation;
}

void HookProgram::UnSubClass(Slot& slot) {
    const bool twice = (input_.Byte() & 1) != 0;
    const Ref<cSubClassWheel> wheel = slot.wheel;
    if (!wheel) return;
    for (int call = 0; call < (twice ? 2 : 1); ++call) {
        wheel->UnSubClass();
        Require(wheel->TargetWnd() == nullptr || fake_.Find(wheel->TargetWnd()) == nullptr,
                "UnSubClass left the wheel hook on a window that still exists");
        Require(wheel->PrevWndProc() == nullptr || wheel->TargetWnd() != nullptr,
                "UnSubClass left a previous procedure without a window");
    }
}

void HookProgram::SetProperty(Slot& slot) {
    const std::size_t which = input_.Below(15);
    const std::int32_t value = input_.Int32();
    const Ref<CScrollBars> bars = slot.bars;
    if (!bars) return;
    const Bool16 flag(static_cast<std::int16_t>(value));
    switch (which) {
    case 0: bars->HVisible(flag); break;
    case 1: bars->HMin(value); break;
    case 2: bars->HMax(value); break;
    case 3: bars->HLargeChange(value); break;
    case 4: bars->HValue(value); break;
    case 5: bars->HSmallChange(value); break;
    case 6: bars->HDisableNoScroll(flag); break;
    case 7: bars->WheelSupport(flag); break;
    case 8: bars->VVisible(flag); break;
    case 9: bars->VMin(value); break;
    case 10: bars->VMax(value); break;
    case 11: bars->VLargeChange(value); break;
    case 12: bars->VValue(value); break;
    case 13: bars->VSmallChange(value); break;
    default: bars->VDisableNoScroll(flag); break;
    }
}

void HookProgram::GetProperty(Slot& slot) {
    const std::size_t which = input_.Below(14);
    const Ref<CScrollBars> bars = slot.bars;
    if (!bars) return;
    switch (which) {
    case 8: static_cast<void>(bars->HVisible()); break;
    case 9: static_cast<void>(bars->HSmallChange()); break;
    case 10: static_cast<void>(bars->HDisableNoScroll()); break;
    case 11: static_cast<void>(bars->VVisible()); break;
    case 12: static_cast<void>(bars->VSmallChange()); break;
    case 13: static_cast<void>(bars->VDisableNoScroll()); break;
    case 0: static_cast<void>(bars->HMin()); break;
    case 1: static_cast<void>(bars->HMax()); break;
    case 2: static_cast<void>(bars->HLargeChange()); break;
    case 3: static_cast<void>(bars->HValue()); break;
    case 4: static_cast<void>(bars->VMin()); break;
    case 5: static_cast<void>(bars->VMax()); break;
    case 6: static_cast<void>(bars->VLargeChange()); break;
    default: static_cast<void>(bars->VValue()); break;
    }
}

void HookProgram::ScrollTo(Slot& slot) {
    const bool vertical = (input_.Byte() & 1) != 0;
    const std::int32_t position = input_.Int32();
    const Ref<CScrollBars> bars = slot.bars;
    if (!bars) return;
    if (vertical) {
        bars->VScrollTo(position);
    } else {
        bars->HScrollTo(position);
    }
}

void HookProgram::SendScroll(win::Hwnd window) {
    const unsigned int message = (input_.Byte() & 1) != 0 ? WM_VSCROLL : WM_HSCROLL;
    const std::uint8_t pick = input_.Byte();
    const std::uintptr_t code = pick < 0xF0 ? pick % 9u : input_.Bits32() & 0xFFFFu;  // SB_LINEUP..SB_ENDSCROLL, or any
    const win::WParam wParam = (input_.Word() & ~std::uintptr_t{0xFFFF}) | code;
    const auto lParam = static_cast<win::LParam>(input_.Word());
    fake_.Send(window, message, wParam, lParam);
}

void HookProgram::SendWheel(win::Hwnd window) {
    const win::WParam wParam = input_.Word();
    const auto lParam = static_cast<win::LParam>(input_.Word());
    fake_.Send(window, WM_MOUSEWHEEL, wParam, lParam);
}

void HookProgram::SendOther(win::Hwnd window) {
    static constexpr unsigned int kMessages[] = {WM_NCDESTROY, kWmDestroy, kWmSize, kWmPaint, kWmMouseHWheel};
    const std::size_t pick = input_.Below(std::size(kMessages) + 1);
    const unsigned int message = pick < std::size(kMessages) ? kMessages[pick] : input_.Bits32() & 0xFFFFu;
    const win::WParam wParam = input_.Word();
    const auto lParam = static_cast<win::LParam>(input_.Word());
    fake_.Send(window, message, wParam, lParam);
}

// The platform calling a shared procedure for any window, hooked by that kind or not.
void HookProgram::CallSharedProcedure(win::Hwnd window) {
    static constexpr unsigned int kMessages[] = {WM_HSCROLL, WM_VSCROLL, WM_MOUSEWHEEL, WM_NCDESTROY, kWmSize};
    const bool wheel = (input_.Byte() & 1) != 0;
    const unsigned int message = kMessages[input_.Below(std::size(kMessages))];
    const win::WParam wParam = input_.Word();
    const auto lParam = static_cast<win::LParam>(input_.Word());
    if (wheel) {
        const Ref<cSubClassWheel> found = modSubclassWheel::WheelFromWindow(window);
        Require(!found || found->TargetWnd() == window, "WheelFromWindow found a hook of another window");
        WheelWndProc(window, message, wParam, lParam);
    } else {
        const Ref<CScrollBars> found = modSubclassScrollBars::ScrollBarsFromWindow(window);
        Require(!found || found->TargetWnd() == window, "ScrollBarsFromWindow found a controller of another window");
        ScrollBarsWndProc(window, message, wParam, lParam);
    }
}

void HookProgram::CreateWindow() {
    if (handles_.size() >= kMaxWindows) return;
    const win::Hwnd window = fake_.CreateWindow();
    handles_.push_back(window);
    model_.Created(window);
}

void HookProgram::ReuseHandle(win::Hwnd window) {
    if (model_.Find(window) == nullptr || fake_.Find(window) != nullptr) return;  // only a dead handle of ours
    fake_.CreateWindowReusing(window);
    model_.Created(window);
}

void HookProgram::Script() {
    const std::uint8_t knobs = input_.Byte();
    fake_.refuseSetProp = (knobs & 1) != 0;
    fake_.failSetWindowProcedure = (knobs & 2) != 0;
    fake_.failGetScrollInfo = (knobs & 4) != 0;
}

// The user dragging a thumb: thumb messages report the tracking position.
void HookProgram::Track(win::Hwnd window) {
    const std::uint8_t how = input_.Byte();
    const std::int32_t position = input_.Int32();
    if (fake_.Find(window) == nullptr) return;
    test::FakeBar& bar = fake_.Bar(window, (how & 1) != 0 ? SB_VERT : SB_HORZ);
    bar.tracking = (how & 2) != 0;
    bar.trackPos = position;
}

// Another party removes a hook's property: the hook can no longer restore that window.
void HookProgram::RemoveProperty(win::Hwnd window) {
    const bool wheel = (input_.Byte() & 1) != 0;
    win::RemovePropA(window, wheel ? cSubClassWheel::kPropertyName : CScrollBars::kPropertyName);
    model_.Robbed(window);
}

win::Hwnd HookProgram::PickWindow() {
    const std::size_t pick = input_.Below(handles_.size() + 2);
    if (kTrace) std::fprintf(stderr, "%*s  window %zu of %zu (the two past the end: 0, a bogus handle)\n", 2 * depth_, "", pick, handles_.size());
    if (pick < handles_.size()) return handles_[pick];
    return pick == handles_.size() ? nullptr : BogusWindow();
}

}  // namespace brennick::fuzz
