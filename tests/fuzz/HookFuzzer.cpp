// libFuzzer entry: each input is a program over both hooking components and the recording double.
// Windows (ANSI or Unicode, on two threads) are shared with foreign layers (raw and comctl32 style)
// installed and removed in any order; components are made, shared, attached, configured, sent any
// message and let go of on either thread, also from their handlers; properties are forged or taken
// away and the platform refuses calls. Checked after each step: a tagged message reaches each
// foreign layer still there, top first, and the window's own procedure, each once; a component
// names a live window, and is found from it; an unforged property names the component serving
// its window. At the end, with everything let go of from the top, each window runs its own
// procedure again.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/modSubclassScrollBars.h>
#include <brennick/modSubclassWheel.h>

#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick::fuzz {
namespace {

void Require(bool condition, const char* what) {
    if (!condition) std::fprintf(stderr, "hook fuzz: %s\n", what), std::abort();
}

struct Slot {
    Ref<CScrollBars> bars{};
    Ref<cSubClassWheel> wheel{};
    const void* Component() const { return bars ? static_cast<const void*>(bars.Get()) : wheel.Get(); }
    win::Hwnd Target() const { return bars ? bars->TargetWnd() : wheel ? wheel->TargetWnd() : nullptr; }
};

class Program {
public:
    Program(const std::uint8_t* data, std::size_t size) : data_(data), end_(data + size) {
        fake_.onCall = [this](const test::Call& c) {  // the owner gets control and acts in turn
            using test::Api;
            if (c.api == Api::SetScrollInfo || c.api == Api::CallWindowProcA || c.api == Api::CallWindowProcW ||
                c.api == Api::SendMessage)
                React();
        };
        for (int i = 0; i < 3; ++i) Create();
    }
    void Run() {
        while (data_ < end_) Step(), Check();
        End();
    }

private:
    // The input, front to back; past its end every read is 0.
    std::uint8_t Byte() { return data_ < end_ ? *data_++ : 0; }
    std::size_t Below(std::size_t count) { return Byte() % count; }
    bool Bit() { return Byte() & 1; }
    std::int32_t Int32() {  // half the time a value where sums, signs or words break
        static constexpr std::int32_t kEdges[] = {0, 1, -1, 120, -120, 60, 0x7FFF, -0x8000, 0x10000, INT_MAX, INT_MIN};
        if (Byte() < 0x80) return kEdges[Below(std::size(kEdges))];
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(Byte() | Byte() << 8 | Byte() << 16) |
                                         std::uint32_t{Byte()} << 24);
    }
    std::uintptr_t Word() {  // now and then with its upper half set, as on 64-bit Windows
        return std::uint64_t{static_cast<std::uint32_t>(Bit() ? Int32() : 0)} << 32 |
               static_cast<std::uint32_t>(Int32());
    }
    Slot& Pick() { return slots_[Below(slots_.size())]; }
    win::Hwnd Window() {  // a live window, or a handle of none
        const std::size_t pick = Below(windows_.size() + 1);
        return pick < windows_.size() ? windows_[pick] : reinterpret_cast<win::Hwnd>(std::uintptr_t{0x10});
    }
    template <class T>
    static bool Has(const std::vector<T>& all, T one) {
        return std::ranges::find(all, one) != all.end();
    }
    bool Live(win::Hwnd window) const { return Has(windows_, window); }

    void Step() {
        static constexpr unsigned int kMessages[] = {WM_HSCROLL,   WM_VSCROLL,     WM_MOUSEWHEEL, WM_MOUSEHWHEEL,
                                                     WM_NCDESTROY, WM_MBUTTONDOWN, WM_MOUSEMOVE,  WM_KEYDOWN};
        const win::Hwnd w = Window();
        // clang-format off
        switch (Below(14)) {
        case 0: New(Pick()); break;
        case 1: Pick() = Slot{}; break;
        case 2: { const Slot from = Pick(); Pick() = from; break; }
        case 3: Pick() = Bit() ? Slot{modSubclassScrollBars::ScrollBarsFromWindow(w), {}}
                               : Slot{{}, modSubclassWheel::WheelFromWindow(w)}; break;
        case 4: if (const Slot s = Pick(); s.bars) s.bars->SubClass(w); else if (s.wheel) s.wheel->SubClass(w); break;
        case 5: if (const auto wheel = Pick().wheel) wheel->UnSubClass(); break;
        case 6: Operate(Pick()); break;
        case 7: {  // any message; a window that has seen WM_NCDESTROY is destroyed once it returns
            const unsigned int message = kMessages[Below(std::size(kMessages))];
            fake_.Send(w, message, Word(), static_cast<win::LParam>(Word()));
            if (message == WM_NCDESTROY) Destroy(w);
            break;
        }
        case 8: Destroy(w); break;
        case 9: Create(); break;
        case 10: if (Live(w)) Layer(w, static_cast<int>(Below(test::FakeWindowSystem::kLayers))); break;
        case 11: Forge(w); break;
        case 12: fake_.refuseSetProp = Bit(), fake_.failSetWindowProcedure = Bit(), fake_.failGetScrollInfo = Bit(),
                 fake_.dropSentMessages = Bit(); break;
        case 13: {  // the next step from the other thread
            const std::uint32_t was = std::exchange(fake_.currentThread, 3 - fake_.currentThread);
            Step(), fake_.currentThread = was;
            break;
        }
        }
        // clang-format on
    }
    void React() {
        if (!reacting_ || depth_ >= 6) return;
        ++depth_;
        for (std::size_t steps = Below(3); steps > 0; --steps) Step();
        --depth_;
    }
    void Create() {
        if (windows_.size() >= 5) return;
        const std::uint32_t was = std::exchange(fake_.currentThread, (Byte() & 3) == 3 ? 2u : 1u);
        windows_.push_back(fake_.CreateWindow("Fake", Bit())), fake_.currentThread = was;
    }
    void Destroy(win::Hwnd window) {
        if (Live(window)) fake_.DestroyWindow(window), std::erase(windows_, window), std::erase(forged_, window);
    }
    // Handlers hold the program only: a counted reference in a handler would keep a component for ever.
    void New(Slot& slot) {
        Slot made;  // connected before it replaces the slot: letting go of the old one may run the owner
        const auto wheeled = [this](auto&& d, auto&&, auto&&, auto&&, Bool16& w) {
            Require(w == kFalse, "a wheel event starts with Wheeled set");
            React(), w = Bool16(static_cast<std::int16_t>(static_cast<int>(Below(3)) - 1)), d = Int32();
        };
        if (Bit()) {
            made.bars = MakeRef<CScrollBars>();
            made.bars->HChange.Connect([this](std::int32_t) { React(); });
            made.bars->VScroll.Connect([this](std::int32_t) { React(); });
            made.bars->WheelRotate.Connect(wheeled);
        } else {
            made.wheel = MakeRef<cSubClassWheel>();
            made.wheel->WheelRotate.Connect(wheeled), made.wheel->HWheelRotate.Connect(wheeled);
        }
        slot = std::move(made);
    }
    // One call on a component perhaps only the slot holds: the call keeps it alive itself.
    void Operate(const Slot& slot) {
        using Number = void (CScrollBars::*)(std::int32_t);
        using Flag = void (CScrollBars::*)(Bool16);
        static constexpr Number kNumbers[] = {&CScrollBars::VMin,         &CScrollBars::HMax,
                                              &CScrollBars::VLargeChange, &CScrollBars::HSmallChange,
                                              &CScrollBars::VScrollTo,    &CScrollBars::SmoothScroll};
        static constexpr Flag kFlags[] = {&CScrollBars::HVisible,     &CScrollBars::VDisableNoScroll,
                                          &CScrollBars::WheelSupport, &CScrollBars::WheelCarry,
                                          &CScrollBars::WheelScroll,  &CScrollBars::PanSupport,
                                          &CScrollBars::EdgeScroll};
        const std::int32_t value = Int32();
        const Bool16 flag(static_cast<std::int16_t>(value));
        if (cSubClassWheel* wheel = slot.wheel.Get()) Bit() ? wheel->HWheelSupport(flag) : wheel->WheelCarry(flag);
        if (CScrollBars* bars = slot.bars.Get())
            Bit() ? (bars->*kNumbers[Below(std::size(kNumbers))])(value)
                  : (bars->*kFlags[Below(std::size(kFlags))])(flag);
        if (slot.bars && Bit()) fake_.Tick(slot.bars->TargetWnd());
    }
    void Layer(win::Hwnd window, int layer) {
        Has(fake_.LayersTopFirst(window), layer) ? fake_.RemoveLayer(window, layer)
                                                 : fake_.InstallLayer(window, layer, Bit());
    }
    void Forge(win::Hwnd window) {  // another party sets a property to anything, or takes it away
        const char* name = Bit() ? CScrollBars::kPropertyName : cSubClassWheel::kPropertyName;
        forged_.push_back(window);
        const auto value = reinterpret_cast<void*>(static_cast<std::uintptr_t>(Int32()) | 1);
        Bit() ? (void)win::SetPropA(window, name, value) : (void)win::RemovePropA(window, name);
    }

    // Nobody takes a tagged message: it passes every foreign layer still there, top first, and
    // reaches the window's own procedure, each once.
    void SendTagged(win::Hwnd window) {
        constexpr unsigned int kTagged = 0x803F;  // WM_APP's range: everyone passes it on
        const auto tag = static_cast<win::LParam>(++tags_);
        std::vector<test::Visit> expected, seen;
        for (const int layer : fake_.LayersTopFirst(window)) expected.push_back({layer, kTagged, 0, tag});
        expected.push_back({test::kOwnProcedure, kTagged, 0, tag});
        const bool reacting = std::exchange(reacting_, false);
        fake_.Send(window, kTagged, 0, tag), reacting_ = reacting;
        std::ranges::copy_if(fake_.Window(window).visits, std::back_inserter(seen),
                             [tag](const test::Visit& v) { return v.message == kTagged && v.lParam == tag; });
        Require(seen == expected, "a layer missed a message, saw it twice or out of order");
    }
    // Between top-level steps the windows' threads have handled what was posted to them.
    void Check() {
        reacting_ = false, fake_.DeliverPosted(), reacting_ = true;  // between top-level steps only
        for (const win::Hwnd window : windows_) {
            SendTagged(window);
            if (Has(forged_, window)) continue;
            for (const auto& property : fake_.Window(window).properties)
                Require(std::ranges::any_of(
                            slots_,
                            [&](const Slot& s) { return s.Component() == property.second && s.Target() == window; }),
                        "a property names no component that serves its window");
        }
        for (const Slot& slot : slots_) {
            if (!slot.Target()) continue;
            Require(fake_.Find(slot.Target()), "a component names a dead window");
            const void* found =
                slot.bars ? static_cast<const void*>(modSubclassScrollBars::ScrollBarsFromWindow(slot.Target()).Get())
                          : modSubclassWheel::WheelFromWindow(slot.Target()).Get();
            Require(found == slot.Component(), "a window's component is not found from the window");
        }
    }
    // Foreign layers removed from the top down and every component let go of: each window runs
    // its own procedure again, unless a raw layer removed below the top holds on for good.
    void End() {
        reacting_ = false, fake_.onCall = nullptr, fake_.currentThread = 1;
        fake_.refuseSetProp = fake_.failSetWindowProcedure = fake_.failGetScrollInfo = fake_.dropSentMessages = false;
        for (const win::Hwnd window : windows_) {
            for (const int layer : fake_.LayersTopFirst(window)) fake_.RemoveLayer(window, layer);
        }
        slots_ = {};
        for (const win::Hwnd window : windows_) {
            fake_.DeliverPosted();
            for (int round = 0; round < 2 * test::FakeWindowSystem::kLayers + 4; ++round) SendTagged(window);
            Require(fake_.Stuck(window) || fake_.Window(window).procedure == &test::FakeWindowSystem::OwnProcedure,
                    "a window whose parties all left does not run its own procedure");
            fake_.DestroyWindow(window);
        }
    }

    test::FakeWindowSystem fake_;
    const std::uint8_t *data_, *end_;
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
