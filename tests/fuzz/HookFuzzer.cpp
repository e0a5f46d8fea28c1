// libFuzzer entry: each input is a program over both hooking components and the recording double.
// Windows (ANSI or Unicode, on two threads) are shared with foreign subclassing layers (raw and
// comctl32 style) installed and removed in any order; components are created, shared, attached,
// configured, sent messages and released on either thread, also from inside their handlers;
// properties are forged or taken away and the platform refuses calls. Checked throughout: a
// message tagged for the purpose reaches each foreign layer still there, in chain order, and the
// window's own procedure, each exactly once; a component that names a window names a live one; a
// property names the component that serves its window, unless forged. At the end everything is
// released from the top down, after which each window runs its own procedure again.
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick::fuzz {
namespace {

using test::FakeWindowSystem;
constexpr unsigned int kTagged = 0x8000 + 0x3F;  // WM_APP-range: nobody handles it, everyone passes it on

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "hook fuzz: %s\n", what);
    std::abort();
}

// The input, front to back; past its end every read is 0, so a program ends wherever its input does.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return offset_ >= size_; }
    std::uint8_t Byte() { return Empty() ? std::uint8_t{0} : data_[offset_++]; }
    std::size_t Below(std::size_t count) { return Byte() % count; }
    // Any 32-bit value; half the time one where sums, signs or words break.
    std::int32_t Int32() {
        static constexpr std::int32_t kEdges[] = {0, 1, -1, 120, -120, 60, 0x7FFF, -0x8000, 0xFFFF, 0x10000, INT_MAX, INT_MIN};
        if (Byte() < 0x80) return kEdges[Below(std::size(kEdges))];
        std::uint32_t bits = 0;
        for (int shift = 0; shift < 32; shift += 8) bits |= std::uint32_t{Byte()} << shift;
        return static_cast<std::int32_t>(bits);
    }
    // A message parameter; now and then with its upper half set, as on 64-bit Windows.
    std::uintptr_t Word() {
        const std::uint64_t high = (Byte() & 3) == 3 ? std::uint64_t{static_cast<std::uint32_t>(Int32())} << 32 : 0;
        return static_cast<std::uintptr_t>(high | static_cast<std::uint32_t>(Int32()));
    }

private:
    const std::uint8_t* data_;
    std::size_t size_, offset_ = 0;
};

struct Party {
    int layer;              // a foreign layer's number, or -1 for a component
    const void* component;  // the component, or for a layer whether it is comctl32-style (non-null)
    bool active = true;
};

struct WindowModel {
    win::Hwnd handle;
    std::vector<Party> chain{};  // bottom first
    bool stuck = false;          // a raw layer removed below the top stays in the chain for good
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
    Program(const std::uint8_t* data, std::size_t size) : in_(data, size) {
        fake_.onCall = [this](const test::Call& call) {
            if (call.api == test::Api::SetScrollInfo || call.api == test::Api::CallWindowProcA || call.api == test::Api::CallWindowProcW) React();
        };
        for (int i = 0; i < 3; ++i) Create();
    }
    ~Program() { fake_.onCall = nullptr; }

    void Run() {
        while (!in_.Empty()) {
            Step();
            Check();
        }
        ReleaseAll();
    }

private:
    void Step() {
        static const bool trace = std::getenv("BRENNICK_FUZZ_TRACE") != nullptr;
        const std::size_t op = in_.Below(15);
        if (trace) std::fprintf(stderr, "%*sop %zu\n", 2 * depth_, "", op);
        switch (op) {
        case 0: New(Pick()); break;
        case 1: Pick() = Slot{}; break;
        case 2: { const Slot from = Pick(); Pick() = from; break; }
        case 3: SubClass(Pick(), Window()); break;
        case 4: if (const Ref<cSubClassWheel> wheel = Pick().wheel) wheel->UnSubClass(); break;
        case 5: Operate(Pick()); break;
        case 6: {
            static constexpr unsigned int kMessages[] = {WM_HSCROLL, WM_VSCROLL, WM_MOUSEWHEEL, WM_MOUSEHWHEEL, WM_NCDESTROY, 0x0005};
            const unsigned int message = kMessages[in_.Below(std::size(kMessages))];
            fake_.Send(Window(), message, static_cast<win::WParam>(in_.Word()), static_cast<win::LParam>(in_.Word()));
            break;
        }
        case 7: SendTagged(Window()); break;
        case 8: Destroy(Window()); break;
        case 9: Create(); break;
        case 10: Layer(Model(Window())); break;
        case 11: Forge(Window()); break;
        case 12: fake_.refuseSetProp = in_.Byte() & 1, fake_.failSetWindowProcedure = in_.Byte() & 1,
                 fake_.failGetScrollInfo = in_.Byte() & 1, fake_.dropSentMessages = in_.Byte() & 1; break;
        case 13: {  // the next operation comes from the other thread
            const std::uint32_t thread = std::exchange(fake_.currentThread, fake_.currentThread == 1 ? 2u : 1u);
            Step();
            fake_.currentThread = thread;
            break;
        }
        case 14: Reuse(); break;
        }
    }

    // The owner gets control (an event, its window's own procedure, a push) and acts in turn.
    void React() {
        if (!reacting_ || depth_ >= 6) return;
        ++depth_;
        for (std::size_t steps = in_.Below(3); steps > 0; --steps) Step();
        --depth_;
    }

    Slot& Pick() { return slots_[in_.Below(slots_.size())]; }
    WindowModel* Model(win::Hwnd handle) {
        for (WindowModel& model : windows_) if (model.handle == handle) return &model;
        return nullptr;
    }
    win::Hwnd Window() {
        const std::size_t pick = in_.Below(windows_.size() + 1);
        return pick < windows_.size() ? windows_[pick].handle : reinterpret_cast<win::Hwnd>(std::uintptr_t{0x10});
    }

    // Handlers hold the program only: a counted reference in a handler would keep a component for ever.
    void New(Slot& slot) {
        const auto wheeled = [this](Bool16& w) {
            Require(w == kFalse, "WheelRotate starts with Wheeled set");
            React();
            w = Bool16(static_cast<std::int16_t>(static_cast<int>(in_.Below(3)) - 1));
        };
        if (in_.Byte() & 1) {
            slot = Slot{MakeRef<CScrollBars>(), {}};
            slot.bars->HChange.Connect([this](std::int32_t) { React(); });
            slot.bars->VScroll.Connect([this](std::int32_t) { React(); });
            slot.bars->WheelRotate.Connect([wheeled](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16& w) { wheeled(w); });
        } else {
            slot = Slot{{}, MakeRef<cSubClassWheel>()};
            const auto handler = [wheeled](std::int32_t& d, std::int32_t&, std::int32_t&, std::int32_t&, Bool16& w) {
                wheeled(w);
                d = INT32_MIN;  // discarded
            };
            slot.wheel->WheelRotate.Connect(handler);
            slot.wheel->HWheelRotate.Connect(handler);
        }
    }

    void SubClass(const Slot& slot, win::Hwnd window) {
        const bool wasFree = slot.Target() == nullptr;
        const Slot held = slot;  // the call keeps what it calls alive
        if (held.bars) held.bars->SubClass(window);
        if (held.wheel) held.wheel->SubClass(window);
        if (WindowModel* model = Model(window); model && wasFree && held.Component() && held.Target() == window) {
            model->chain.push_back({-1, held.Component()});
        }
    }

    void Operate(const Slot& slot) {
        const std::int32_t value = in_.Int32();
        const Bool16 flag(static_cast<std::int16_t>(value));
        if (const Ref<cSubClassWheel> wheel = slot.wheel) (in_.Byte() & 1) ? wheel->HWheelSupport(flag) : wheel->WheelCarry(flag);
        const Ref<CScrollBars> bars = slot.bars;
        if (!bars) return;
        switch (in_.Below(10)) {
        case 0: bars->HVisible(flag); break;
        case 1: bars->VDisableNoScroll(flag); break;
        case 2: bars->VMin(value); break;
        case 3: bars->HMax(value); break;
        case 4: bars->VLargeChange(value); break;
        case 5: bars->HSmallChange(value); break;
        case 6: bars->VScrollTo(value); break;
        case 7: bars->WheelSupport(flag), bars->HWheelSupport(flag); break;
        case 8: bars->WheelCarry(flag); break;
        default: (void)bars->VValue(), (void)bars->HLargeChange(), bars->HValue(value); break;
        }
    }

    // Nobody takes a tagged message: it must pass every foreign layer still there, top first, and
    // reach the window's own procedure, each once.
    void SendTagged(win::Hwnd window) {
        const WindowModel* model = Model(window);
        if (model == nullptr) return;
        const auto tag = static_cast<win::LParam>(++tags_);
        std::vector<test::Visit> expected, seen;
        for (auto party = model->chain.rbegin(); party != model->chain.rend(); ++party) {
            if (party->layer >= 0 && party->active) expected.push_back({party->layer, kTagged, 0, tag});
        }
        expected.push_back({test::kOwnProcedure, kTagged, 0, tag});
        const bool reacting = std::exchange(reacting_, false);
        fake_.Send(window, kTagged, 0, tag);
        reacting_ = reacting;
        for (const test::Visit& visit : fake_.Window(window).visits) if (visit.message == kTagged && visit.lParam == tag) seen.push_back(visit);
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
        if (windows_.size() >= 5) return;
        const std::uint32_t thread = std::exchange(fake_.currentThread, (in_.Byte() & 3) == 3 ? 2u : 1u);
        windows_.push_back({fake_.CreateWindow("Fake", (in_.Byte() & 1) != 0)});
        fake_.currentThread = thread;
    }

    // A handle of this program's that names no window any more comes back for a new one.
    void Reuse() {
        if (destroyed_.empty() || windows_.size() >= 5) return;
        const win::Hwnd window = destroyed_[in_.Below(destroyed_.size())];
        if (Model(window) == nullptr && fake_.Find(window) == nullptr) windows_.push_back({fake_.CreateWindowReusing(window)});
    }

    // Installs a foreign layer, or removes one.
    void Layer(WindowModel* model) {
        if (model == nullptr) return;
        const int layer = static_cast<int>(in_.Below(FakeWindowSystem::kLayers));
        for (Party& party : model->chain) {
            if (party.layer != layer || !party.active) continue;
            fake_.RemoveLayer(model->handle, layer);
            party.active = false;
            if (party.component == nullptr && fake_.HasLayer(model->handle, layer)) model->stuck = true;  // raw: for good
            return;
        }
        if (fake_.HasLayer(model->handle, layer)) return;
        const bool comctl32 = in_.Byte() & 1;
        fake_.InstallLayer(model->handle, layer, comctl32);
        model->chain.push_back({layer, comctl32 ? this : nullptr});
    }

    // Another party sets a property to anything, or takes it away.
    void Forge(win::Hwnd window) {
        const char* name = (in_.Byte() & 1) ? CScrollBars::kPropertyName : cSubClassWheel::kPropertyName;
        if (WindowModel* model = Model(window)) model->forged = true;
        if (in_.Byte() & 1) {
            win::SetPropA(window, name, reinterpret_cast<void*>(static_cast<std::uintptr_t>(in_.Int32()) | 1));
        } else {
            win::RemovePropA(window, name);
        }
    }

    // Between top-level operations only the slots hold components.
    void Check() {
        const auto serving = [&](const void* component, win::Hwnd window) {
            for (const Slot& slot : slots_) if (slot.Component() == component && slot.Target() == window) return true;
            return false;
        };
        for (WindowModel& model : windows_) {
            for (Party& party : model.chain) if (party.layer < 0 && party.active) party.active = serving(party.component, model.handle);
            if (model.forged) continue;
            for (const auto& [name, value] : fake_.Window(model.handle).properties) {
                Require(serving(value, model.handle), "a property names no component that serves its window");
            }
        }
        for (const Slot& slot : slots_) Require(!slot.Target() || fake_.Find(slot.Target()), "a component names a dead window");
    }

    // A released link or comctl32-style layer leaves once a message finds it on top: one message per
    // party lets every one leave that can.
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
                    for (Slot& slot : slots_) if (slot.Component() == party->component) slot = Slot{};
                } else if (party->active) {
                    Settle(model);
                    fake_.RemoveLayer(model.handle, party->layer);
                    model.stuck = model.stuck || (party->component == nullptr && fake_.HasLayer(model.handle, party->layer));
                }
                party->active = false;
            }
        }
        slots_ = {};
        for (const WindowModel& model : windows_) {
            Settle(model);
            Require(model.stuck || fake_.Window(model.handle).procedure == &FakeWindowSystem::OwnProcedure,
                    "a window whose parties all left does not run its own procedure");
        }
        while (!windows_.empty()) Destroy(windows_.back().handle);  // nothing outlives the program
    }

    FakeWindowSystem fake_;
    Reader in_;
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
