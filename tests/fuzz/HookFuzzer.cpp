// libFuzzer entry: each input is a program over both hooking components and the recording double.
// Windows (ANSI or Unicode, on two threads) are shared with foreign subclassing layers (raw and
// comctl32 style) installed and removed in any order; components are created, shared, attached,
// configured, sent messages and released on either thread, also from inside their own handlers;
// properties are forged or taken away and the platform refuses calls. Checked throughout: every
// message tagged for the purpose reaches each foreign layer still there, in chain order, and the
// window's own procedure, each exactly once; a component that names a window names a live one; a
// property names the component that serves its window (unless forged). At the end everything is
// released from the top down, after which each window runs its own procedure again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"
#include "tests/double/FakeWindowSystem.h"
#include "tests/fuzz/ByteReader.h"

namespace brennick::fuzz {
namespace {

using test::FakeWindowSystem;

constexpr int kMaxDepth = 6;
constexpr std::size_t kMaxWindows = 5;
constexpr unsigned int kTagged = 0x8000 + 0x3F;  // WM_APP-range: nobody handles it, everyone passes it on

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "hook fuzz: %s\n", what.c_str());
    std::abort();
}
void Require(bool condition, const char* what) {
    if (!condition) Fail(what);
}

struct Party {
    int layer;              // a foreign layer's number, or -1 for a component
    const void* component;  // the component, for a component's party
    bool active = true;
};

struct WindowModel {
    win::Hwnd handle;
    std::vector<Party> chain;  // bottom first
    bool stuck = false;        // a raw layer removed below the top stays in the chain for good
    bool forged = false;
};

struct Slot {
    Ref<CScrollBars> bars;
    Ref<cSubClassWheel> wheel;
    const void* Component() const { return bars ? static_cast<const void*>(bars.Get()) : wheel.Get(); }
    win::Hwnd Target() const { return bars ? bars->TargetWnd() : wheel ? wheel->TargetWnd() : nullptr; }
};

class Program {
public:
    Program(const std::uint8_t* data, std::size_t size) : input_(data, size) {
        fake_.onCall = [this](const test::Call& call) {
            if (call.api == test::Api::SetScrollInfo || call.api == test::Api::CallWindowProcA ||
                call.api == test::Api::CallWindowProcW) {
                React();
            }
        };
        for (int i = 0; i < 3; ++i) Create();
    }
    ~Program() { fake_.onCall = nullptr; }

    void Run() {
        while (!input_.Empty()) {
            Step();
            Check();
        }
        ReleaseAll();
    }

private:
    void Step() {
        static const bool trace = std::getenv("BRENNICK_FUZZ_TRACE") != nullptr;
        static const char* const names[] = {"New", "Release", "Share", "SubClass", "UnSubClass", "Operate",
                                            "SendScroll", "SendWheel", "SendTagged", "Destroy", "Create",
                                            "InstallLayer", "RemoveLayer", "Forge", "Script", "OnOtherThread",
                                            "Reuse"};
        const std::size_t op = input_.Below(17);
        if (trace) std::fprintf(stderr, "%*s%s\n", 2 * depth_, "", names[op]);
        switch (op) {
        case 0: New(Slot_()); break;
        case 1: Slot_() = Slot{}; break;
        case 2: { const Slot from = Slot_(); Slot_() = from; break; }
        case 3: SubClass(Slot_(), Window()); break;
        case 4: if (const Ref<cSubClassWheel> wheel = Slot_().wheel) wheel->UnSubClass(); break;
        case 5: Operate(Slot_()); break;
        case 6: Send(Window(), (input_.Byte() & 1) ? WM_HSCROLL : WM_VSCROLL, input_.Word(), input_.Word()); break;
        case 7: Send(Window(), (input_.Byte() & 1) ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, input_.Word(), input_.Word()); break;
        case 8: SendTagged(Window()); break;
        case 9: Destroy(Window()); break;
        case 10: Create(); break;
        case 11: InstallLayer(Window()); break;
        case 12: RemoveLayer(Window()); break;
        case 13: Forge(Window()); break;
        case 14: Script(); break;
        case 15: OnOtherThread(); break;
        case 16: Reuse(); break;
        }
    }

    // The owner gets control (an event, its window's own procedure, a push) and acts in turn.
    void React() {
        if (!reacting_ || depth_ >= kMaxDepth) return;
        ++depth_;
        for (std::size_t steps = input_.Below(3); steps > 0; --steps) Step();
        --depth_;
    }

    Slot& Slot_() { return slots_[input_.Below(slots_.size())]; }
    WindowModel* Model(win::Hwnd handle) {
        for (WindowModel& model : windows_) {
            if (model.handle == handle) return &model;
        }
        return nullptr;
    }
    win::Hwnd Window() {
        const std::size_t pick = input_.Below(windows_.size() + 1);
        return pick < windows_.size() ? windows_[pick].handle : reinterpret_cast<win::Hwnd>(std::uintptr_t{0x10});
    }

    // Handlers hold the program only: a counted reference in a handler would keep a component for ever.
    void New(Slot& slot) {
        if (input_.Byte() & 1) {
            slot = Slot{MakeRef<CScrollBars>(), {}};
            const auto react = [this](std::int32_t) { React(); };
            slot.bars->HChange.Connect(react);
            slot.bars->VScroll.Connect(react);
            slot.bars->WheelRotate.Connect([this](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16& w) {
                Require(w == kFalse, "WheelRotate starts with Wheeled set");
                React();
            });
        } else {
            slot = Slot{{}, MakeRef<cSubClassWheel>()};
            const auto handler = [this](std::int32_t& d, std::int32_t&, std::int32_t&, std::int32_t&, Bool16& w) {
                Require(w == kFalse, "WheelRotate starts with Wheeled set");
                React();
                w = Bool16(static_cast<std::int16_t>(static_cast<int>(input_.Below(3)) - 1));
                d = INT32_MIN;  // discarded
            };
            slot.wheel->WheelRotate.Connect(handler);
            slot.wheel->HWheelRotate.Connect(handler);
        }
    }

    void SubClass(const Slot& slot, win::Hwnd window) {
        const void* component = slot.Component();
        if (component == nullptr) return;
        const bool wasFree = slot.Target() == nullptr;
        const Ref<CScrollBars> bars = slot.bars;  // the call keeps what it calls alive
        const Ref<cSubClassWheel> wheel = slot.wheel;
        bars ? bars->SubClass(window) : wheel->SubClass(window);
        if (WindowModel* model = Model(window); model && wasFree && slot.Target() == window) {
            model->chain.push_back({-1, component});
        }
    }

    void Operate(const Slot& slot) {
        const std::int32_t value = input_.Int32();
        const Bool16 flag(static_cast<std::int16_t>(value));
        if (const Ref<cSubClassWheel> wheel = slot.wheel) {
            (input_.Byte() & 1) ? wheel->HWheelSupport(flag) : wheel->WheelCarry(flag);
            return;
        }
        const Ref<CScrollBars> bars = slot.bars;
        if (!bars) return;
        switch (input_.Below(12)) {
        case 0: bars->HVisible(flag); break;
        case 1: bars->VDisableNoScroll(flag); break;
        case 2: bars->VMin(value); break;
        case 3: bars->HMax(value); break;
        case 4: bars->VLargeChange(value); break;
        case 5: bars->HValue(value); break;
        case 6: bars->VScrollTo(value); break;
        case 7: bars->HSmallChange(value); break;
        case 8: bars->WheelSupport(flag); break;
        case 9: bars->HWheelSupport(flag); break;
        case 10: bars->WheelCarry(flag); break;
        default: (void)bars->VValue(), (void)bars->HLargeChange(), (void)bars->VMax(); break;
        }
    }

    void Send(win::Hwnd window, unsigned int message, std::uintptr_t wParam, std::uintptr_t lParam) {
        fake_.Send(window, message, static_cast<win::WParam>(wParam), static_cast<win::LParam>(lParam));
    }

    // Nobody takes a tagged message: it must pass every foreign layer still there, top first, and
    // reach the window's own procedure, each once.
    void SendTagged(win::Hwnd window) {
        const WindowModel* model = Model(window);
        if (model == nullptr) return;
        std::vector<test::Visit> expected;
        const auto tag = static_cast<win::LParam>(++tags_);
        for (auto party = model->chain.rbegin(); party != model->chain.rend(); ++party) {
            if (party->layer >= 0 && party->active) expected.push_back({party->layer, kTagged, 0, tag});
        }
        expected.push_back({test::kOwnProcedure, kTagged, 0, tag});
        const bool reacting = std::exchange(reacting_, false);
        fake_.Send(window, kTagged, 0, tag);
        reacting_ = reacting;
        std::vector<test::Visit> seen;
        for (const test::Visit& visit : fake_.Window(window).visits) {
            if (visit.message == kTagged && visit.lParam == tag) seen.push_back(visit);
        }
        Require(seen == expected, "a layer missed a message, saw it twice or out of order");
    }

    void Destroy(win::Hwnd window) {
        if (Model(window) == nullptr) return;
        fake_.DestroyWindow(window);
        if (fake_.Find(window) != nullptr || Model(window) == nullptr) return;
        std::erase_if(windows_, [&](const WindowModel& m) { return m.handle == window; });
        destroyed_.push_back(window);
    }

    void Create() {
        if (windows_.size() >= kMaxWindows) return;
        const std::uint32_t thread = fake_.currentThread;
        fake_.currentThread = (input_.Byte() & 3) == 3 ? 2 : 1;
        windows_.push_back({fake_.CreateWindow("Fake", (input_.Byte() & 1) != 0), {}});
        fake_.currentThread = thread;
    }

    // A handle of this program's that names no window any more comes back for a new one.
    void Reuse() {
        if (destroyed_.empty()) return;
        const win::Hwnd window = destroyed_[input_.Below(destroyed_.size())];
        if (Model(window) != nullptr || fake_.Find(window) != nullptr) return;
        for (const Slot& slot : slots_) {
            if (slot.Target() == window) return;  // only a handle no component names any more
        }
        if (windows_.size() < kMaxWindows) windows_.push_back({fake_.CreateWindowReusing(window), {}});
    }

    void InstallLayer(win::Hwnd window) {
        WindowModel* model = Model(window);
        if (model == nullptr) return;
        const int layer = static_cast<int>(input_.Below(FakeWindowSystem::kLayers));
        for (const Party& party : model->chain) {
            if (party.layer == layer) return;  // each layer once per window
        }
        const bool comctl32 = (input_.Byte() & 1) != 0;
        fake_.InstallLayer(window, layer, comctl32);
        model->chain.push_back({layer, comctl32 ? &kComctl32 : nullptr});
    }

    void RemoveLayer(win::Hwnd window) {
        WindowModel* model = Model(window);
        if (model == nullptr) return;
        for (Party& party : model->chain) {
            if (party.layer < 0 || !party.active || input_.Below(2) == 0) continue;
            fake_.RemoveLayer(window, party.layer);
            party.active = false;
            // A raw layer that could not leave passes messages on for good.
            if (party.component != &kComctl32 && fake_.HasLayer(window, party.layer)) model->stuck = true;
            return;
        }
    }

    // Another party sets a property to anything, or takes it away.
    void Forge(win::Hwnd window) {
        const char* name = (input_.Byte() & 1) ? CScrollBars::kPropertyName : cSubClassWheel::kPropertyName;
        if (WindowModel* model = Model(window)) model->forged = true;
        if (input_.Byte() & 1) {
            win::SetPropA(window, name, reinterpret_cast<void*>(static_cast<std::uintptr_t>(input_.Bits32()) | 1));
        } else {
            win::RemovePropA(window, name);
        }
    }

    void Script() {
        const std::uint8_t knobs = input_.Byte();
        fake_.refuseSetProp = (knobs & 1) != 0;
        fake_.failSetWindowProcedure = (knobs & 2) != 0;
        fake_.failGetScrollInfo = (knobs & 4) != 0;
        fake_.dropSentMessages = (knobs & 8) != 0;
    }

    // The next operation comes from the other thread.
    void OnOtherThread() {
        const std::uint32_t thread = std::exchange(fake_.currentThread, fake_.currentThread == 1 ? 2u : 1u);
        Step();
        fake_.currentThread = thread;
    }

    // Between top-level operations only the slots hold components.
    void Check() {
        for (WindowModel& model : windows_) {
            for (Party& party : model.chain) {
                if (party.layer >= 0 || !party.active) continue;
                bool held = false;
                for (const Slot& slot : slots_) held = held || (slot.Component() == party.component && slot.Target() == model.handle);
                party.active = held;  // released or let go: a pass-through at most
            }
            if (model.forged) continue;
            for (const auto& [name, value] : fake_.Window(model.handle).properties) {
                bool named = false;
                for (const Slot& slot : slots_) named = named || (slot.Component() == value && slot.Target() == model.handle);
                Require(named, "a property names no component that serves its window");
            }
        }
        for (const Slot& slot : slots_) {
            Require(slot.Target() == nullptr || fake_.Find(slot.Target()) != nullptr, "a component names a dead window");
        }
    }

    // A released link or comctl32-style layer leaves once a message finds it on top: one message
    // per party lets every such one leave that can.
    void Settle(const WindowModel& model) {
        for (std::size_t i = 0; i <= model.chain.size(); ++i) SendTagged(model.handle);
    }

    void ReleaseAll() {
        reacting_ = false;
        fake_.refuseSetProp = fake_.failSetWindowProcedure = fake_.failGetScrollInfo = fake_.dropSentMessages = false;
        fake_.currentThread = 1;
        for (WindowModel& model : windows_) {
            fake_.Window(model.handle).properties.clear();  // forged ones; ours go with their components
            for (auto party = model.chain.rbegin(); party != model.chain.rend(); ++party) {
                if (party->layer < 0) {
                    for (Slot& slot : slots_) {
                        if (slot.Component() == party->component) slot = Slot{};
                    }
                } else if (party->active) {
                    Settle(model);
                    fake_.RemoveLayer(model.handle, party->layer);
                    if (party->component != &kComctl32 && fake_.HasLayer(model.handle, party->layer)) model.stuck = true;
                }
                party->active = false;
            }
        }
        slots_ = {};
        for (const WindowModel& model : windows_) {
            Settle(model);
            if (!model.stuck) {
                Require(fake_.Window(model.handle).procedure == &FakeWindowSystem::OwnProcedure,
                        "a window whose parties all left does not run its own procedure");
            }
        }
        while (!windows_.empty()) Destroy(windows_.back().handle);  // nothing outlives the program

    }

    static constexpr char kComctl32 = 0;  // marks a comctl32-style layer's party

    FakeWindowSystem fake_;
    ByteReader input_;
    std::vector<WindowModel> windows_;
    std::vector<win::Hwnd> destroyed_;
    std::array<Slot, 5> slots_;
    std::uint32_t tags_ = 0;
    int depth_ = 0;
    bool reacting_ = true;
};

}  // namespace
}  // namespace brennick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    brennick::fuzz::Program program(data, size);
    program.Run();
    return 0;
}
