// libFuzzer entry: each input is a program over both hooking components and the recording double.
// Windows (ANSI or Unicode, on two threads) are shared with foreign subclassing layers (raw and
// comctl32 style) installed and removed in any order; components are created, shared, attached,
// configured, sent messages and released on either thread, also from inside their handlers;
// properties are forged or taken away and the platform refuses calls. Checked throughout: a
// message tagged for the purpose reaches each foreign layer still there, in chain order, and the
// window's own procedure, each exactly once; a component that names a window names a live one; a
// property names the component that serves its window, unless forged. At the end everything is
// released from the top down, after which each window runs its own procedure again.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/modSubclassScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/modSubclassWheel.h>
#include "platform/Win32Constants.h"
#include "platform/WindowSystem.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick::fuzz {
namespace {

constexpr unsigned int kTagged = 0x8000 + 0x3F;  // WM_APP-range: nobody handles it, everyone passes it on

void Require(bool condition, const char* what) {
    if (!condition) std::fprintf(stderr, "hook fuzz: %s\n", what), std::abort();
}

// The input, front to back; past its end every read is 0, so a program ends wherever its input does.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), end_(data + size) {}
    bool Empty() const { return data_ >= end_; }
    std::uint8_t Byte() { return Empty() ? std::uint8_t{0} : *data_++; }
    std::size_t Below(std::size_t count) { return Byte() % count; }
    bool Bit() { return Byte() & 1; }
    // Any 32-bit value; half the time one where sums, signs or words break.
    std::int32_t Int32() {
        static constexpr std::int32_t kEdges[] = {0,      1,       -1,     120,     -120,    60,
                                                  0x7FFF, -0x8000, 0xFFFF, 0x10000, INT_MAX, INT_MIN};
        if (Byte() < 0x80) return kEdges[Below(std::size(kEdges))];
        std::uint32_t bits = 0;
        for (int shift = 0; shift < 32; shift += 8) bits |= std::uint32_t{Byte()} << shift;
        return static_cast<std::int32_t>(bits);
    }
    // A message parameter; now and then with its upper half set, as on 64-bit Windows.
    std::uintptr_t Word() {
        return static_cast<std::uintptr_t>(std::uint64_t{static_cast<std::uint32_t>(Bit() ? Int32() : 0)} << 32 |
                                           static_cast<std::uint32_t>(Int32()));
    }

private:
    const std::uint8_t *data_, *end_;
};

struct Slot {
    Ref<CScrollBars> bars{};
    Ref<cSubClassWheel> wheel{};
    const void* Component() const { return bars ? static_cast<const void*>(bars.Get()) : wheel.Get(); }
    win::Hwnd Target() const { return bars ? bars->TargetWnd() : wheel ? wheel->TargetWnd() : nullptr; }
};

class Program {
public:
    Program(const std::uint8_t* data, std::size_t size) : in_(data, size) {
        fake_.onCall = [this](const test::Call& call) {
            using test::Api;
            if (call.api == Api::SetScrollInfo || call.api == Api::CallWindowProcA ||
                call.api == Api::CallWindowProcW || call.api == Api::SendMessage)
                React();
        };
        for (int i = 0; i < 3; ++i) Create();
    }
    ~Program() { fake_.onCall = nullptr; }
    void Run() {
        while (!in_.Empty()) Step(), Check();
        ReleaseAll();
    }

private:
    void Step() {
        static constexpr unsigned int kMessages[] = {WM_HSCROLL,     WM_VSCROLL,   WM_MOUSEWHEEL,
                                                     WM_MOUSEHWHEEL, WM_NCDESTROY, 0x0005};
        switch (in_.Below(15)) {
        case 0:
            New(Pick());
            break;
        case 1:
            Pick() = Slot{};
            break;
        case 2: {
            const Slot from = Pick();
            Pick() = from;
            break;
        }
        case 14:
            Pick() = in_.Bit() ? Slot{modSubclassScrollBars::ScrollBarsFromWindow(Window()), {}}
                               : Slot{{}, modSubclassWheel::WheelFromWindow(Window())};
            break;
        case 3: {
            const Slot held = Pick();
            const win::Hwnd w = Window();
            held.bars ? held.bars->SubClass(w) : held.wheel ? held.wheel->SubClass(w) : void();
            break;
        }
        case 4:
            if (const Ref<cSubClassWheel> wheel = Pick().wheel) wheel->UnSubClass();
            break;
        case 5:
            Operate(Pick());
            break;
        case 6:
            Send(Window(), kMessages[in_.Below(std::size(kMessages))]);
            break;
        case 7:
            SendTagged(Window());
            break;
        case 8:
            Destroy(Window());
            break;
        case 9:
            Create();
            break;
        case 10:
            if (const win::Hwnd w = Window(); Live(w))
                Layer(w, static_cast<int>(in_.Below(test::FakeWindowSystem::kLayers)));
            break;
        case 11:
            Forge(Window());
            break;
        case 12:
            fake_.refuseSetProp = in_.Bit(), fake_.failSetWindowProcedure = in_.Bit(),
            fake_.failGetScrollInfo = in_.Bit(), fake_.dropSentMessages = in_.Bit();
            break;
        case 13:
            OnThread(fake_.currentThread == 1 ? 2u : 1u, [this] { Step(); });
            break;  // the next operation from the other thread
        }
    }

    // The owner gets control (an event, its window's own procedure, a push, a message sent across
    // threads) and acts in turn.
    void React() {
        if (!reacting_ || depth_ >= 6) return;
        ++depth_;
        for (std::size_t steps = in_.Below(3); steps > 0; --steps) Step();
        --depth_;
    }

    Slot& Pick() { return slots_[in_.Below(slots_.size())]; }
    void Destroy(win::Hwnd window) {
        if (Live(window)) fake_.DestroyWindow(window), std::erase(windows_, window), std::erase(forged_, window);
    }
    // Any message with any parameters. A window that has seen WM_NCDESTROY is on its way out: the
    // system destroys it once the message returns.
    void Send(win::Hwnd window, unsigned int message) {
        fake_.Send(window, message, static_cast<win::WParam>(in_.Word()), static_cast<win::LParam>(in_.Word()));
        if (message == WM_NCDESTROY) Destroy(window);
    }
    bool Live(win::Hwnd window) const { return std::find(windows_.begin(), windows_.end(), window) != windows_.end(); }
    win::Hwnd Window() {
        const std::size_t pick = in_.Below(windows_.size() + 1);
        return pick < windows_.size() ? windows_[pick] : reinterpret_cast<win::Hwnd>(std::uintptr_t{0x10});
    }
    template <class Op>
    void OnThread(std::uint32_t thread, Op op) {
        const std::uint32_t was = std::exchange(fake_.currentThread, thread);
        op(), fake_.currentThread = was;
    }
    void Create() {
        if (windows_.size() < 5)
            OnThread((in_.Byte() & 3) == 3 ? 2u : 1u,
                     [this] { windows_.push_back(fake_.CreateWindow("Fake", in_.Bit())); });
    }

    // Handlers hold the program only: a counted reference in a handler would keep a component for ever.
    void New(Slot& slot) {
        const auto wheeled = [this](Bool16& w) {
            Require(w == kFalse, "WheelRotate starts with Wheeled set");
            React();
            w = Bool16(static_cast<std::int16_t>(static_cast<int>(in_.Below(3)) - 1));
        };
        // Connected before it replaces the slot: letting go of the old one may run the owner.
        Slot made;
        if (in_.Bit()) {
            made.bars = MakeRef<CScrollBars>();
            made.bars->HChange.Connect([this](std::int32_t) { React(); });
            made.bars->VScroll.Connect([this](std::int32_t) { React(); });
            made.bars->WheelRotate.Connect(
                [wheeled](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16& w) { wheeled(w); });
        } else {
            made.wheel = MakeRef<cSubClassWheel>();
            const auto handler = [wheeled](std::int32_t& d, std::int32_t&, std::int32_t&, std::int32_t&, Bool16& w) {
                wheeled(w), d = INT32_MIN;
            };
            made.wheel->WheelRotate.Connect(handler), made.wheel->HWheelRotate.Connect(handler);
        }
        slot = std::move(made);
    }

    // One call on a component that perhaps only the slot holds: the call keeps it alive itself,
    // whatever the owner does meanwhile.
    void Operate(const Slot& slot) {
        using Number = void (CScrollBars::*)(std::int32_t);
        using Flag = void (CScrollBars::*)(Bool16);
        static constexpr Number kNumbers[] = {&CScrollBars::VMin, &CScrollBars::HMax, &CScrollBars::VLargeChange,
                                              &CScrollBars::HSmallChange, &CScrollBars::VScrollTo};
        static constexpr Flag kFlags[] = {&CScrollBars::HVisible, &CScrollBars::VDisableNoScroll,
                                          &CScrollBars::WheelSupport, &CScrollBars::HWheelSupport,
                                          &CScrollBars::WheelCarry};
        const std::int32_t value = in_.Int32();
        const Bool16 flag(static_cast<std::int16_t>(value));
        if (cSubClassWheel* wheel = slot.wheel.Get())
            return in_.Bit() ? wheel->HWheelSupport(flag) : wheel->WheelCarry(flag);
        if (CScrollBars* bars = slot.bars.Get())
            in_.Bit() ? (bars->*kNumbers[in_.Below(5)])(value) : (bars->*kFlags[in_.Below(5)])(flag);
    }

    // Nobody takes a tagged message: it must pass every foreign layer still there, top first, and
    // reach the window's own procedure, each once.
    void SendTagged(win::Hwnd window) {
        if (!Live(window)) return;
        const auto tag = static_cast<win::LParam>(++tags_);
        std::vector<test::Visit> expected, seen;
        for (const int layer : fake_.LayersTopFirst(window)) expected.push_back({layer, kTagged, 0, tag});
        expected.push_back({test::kOwnProcedure, kTagged, 0, tag});
        const bool reacting = std::exchange(reacting_, false);
        fake_.Send(window, kTagged, 0, tag);
        reacting_ = reacting;
        for (const test::Visit& visit : fake_.Window(window).visits)
            if (visit.message == kTagged && visit.lParam == tag) seen.push_back(visit);
        Require(seen == expected, "a layer missed a message, saw it twice or out of order");
    }

    // Installs a foreign layer, or removes it.
    void Layer(win::Hwnd window, int layer) {
        fake_.HasLayer(window, layer) ? fake_.RemoveLayer(window, layer) : fake_.InstallLayer(window, layer, in_.Bit());
    }

    // Another party sets a property to anything, or takes it away.
    void Forge(win::Hwnd window) {
        const char* name = in_.Bit() ? CScrollBars::kPropertyName : cSubClassWheel::kPropertyName;
        forged_.push_back(window);
        in_.Bit()
            ? (void)win::SetPropA(window, name, reinterpret_cast<void*>(static_cast<std::uintptr_t>(in_.Int32()) | 1))
            : (void)win::RemovePropA(window, name);
    }

    // Between top-level operations the windows' threads have handled what was posted to them, and
    // only the slots hold components.
    void Check() {
        const bool reacting = std::exchange(reacting_, false);
        fake_.DeliverPosted();
        reacting_ = reacting;
        const auto serving = [&](const void* component, win::Hwnd window) {
            return std::any_of(slots_.begin(), slots_.end(), [&](const Slot& slot) {
                return slot.Component() == component && slot.Target() == window;
            });
        };
        for (const win::Hwnd window : windows_) {
            if (std::find(forged_.begin(), forged_.end(), window) != forged_.end()) continue;
            for (const auto& [name, value] : fake_.Window(window).properties)
                Require(serving(value, window), "a property names no component that serves its window");
        }
        for (const Slot& slot : slots_) {
            Require(!slot.Target() || fake_.Find(slot.Target()), "a component names a dead window");
            const void* found =
                slot.bars ? static_cast<const void*>(modSubclassScrollBars::ScrollBarsFromWindow(slot.Target()).Get())
                          : modSubclassWheel::WheelFromWindow(slot.Target()).Get();
            Require(!slot.Target() || found == slot.Component(), "a window's component is not found from the window");
        }
    }

    // From the top of each window's chain: a foreign layer is removed, a component let go of; a
    // released link or comctl32-style layer leaves once a message finds it on top.
    void ReleaseAll() {
        reacting_ = false;
        fake_.refuseSetProp = fake_.failSetWindowProcedure = fake_.failGetScrollInfo = fake_.dropSentMessages = false;
        fake_.currentThread = 1;
        for (const win::Hwnd window : windows_) {
            fake_.Window(window).properties.clear();  // forged ones; ours go with their components
            for (int round = 0; round < 2 * test::FakeWindowSystem::kLayers + 4; ++round) {
                const win::WndProc top = fake_.Window(window).procedure;
                if (const int layer = fake_.TopLayer(window); layer >= 0 && fake_.HasLayer(window, layer))
                    fake_.RemoveLayer(window, layer);
                const bool bars = top == &modSubclassScrollBars::ScrollBarsWndProc,
                           wheel = top == &modSubclassWheel::WheelWndProc;
                for (Slot& slot : slots_)
                    if (slot.Target() == window && ((bars && slot.bars) || (wheel && slot.wheel))) slot = Slot{};
                SendTagged(window);
            }
        }
        slots_ = {};
        for (const win::Hwnd window : windows_) {
            SendTagged(window), SendTagged(window);
            Require(fake_.Stuck(window) || fake_.Window(window).procedure == &test::FakeWindowSystem::OwnProcedure,
                    "a window whose parties all left does not run its own procedure");
            fake_.DestroyWindow(window);  // nothing outlives the program
        }
    }

    test::FakeWindowSystem fake_;
    Reader in_;
    std::vector<win::Hwnd> windows_, forged_;
    std::array<Slot, 5> slots_;
    std::uint32_t tags_ = 0;
    int depth_ = 0;
    bool reacting_ = true;
};

}  // namespace
}  // namespace brennick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    brennick::fuzz::Program(data, size).Run();
    return 0;
}
