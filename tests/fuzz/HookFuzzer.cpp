// libFuzzer entry: each input is a program over both components and the recording double. Three
// windows (ANSI or Unicode, on two threads) are shared with foreign layers (raw and comctl32 style)
// installed and removed in any order; components are made, shared, attached, configured, sent any
// message and let go of on either thread, also from their own handlers; properties are forged or
// taken away and the platform refuses calls. After each step a tagged message reaches each foreign
// layer still there, top first, and the window's own procedure, each once, and every component
// names a live window or none. At the end, with everything let go of, each window runs its own
// procedure again (unless a raw layer removed below the top holds on for good) and carries no
// property another party did not put there.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/modSubclassScrollBars.h>

#include "platform/Win32Constants.h"
#include "tests/double/FakeWindowSystem.h"

namespace brennick {
namespace {

void Require(bool condition, const char* what) {
    if (!condition) std::fprintf(stderr, "hook fuzz: %s\n", what), std::abort();
}

class Program {
public:
    Program(const std::uint8_t* data, std::size_t size) : data_(data), end_(data + size) {
        for (win::Hwnd& window : windows_) window = fake_.CreateWindow("F", Bit());
        fake_.Window(windows_[2]).thread = 2;         // the third window is the other thread's
        fake_.onCall = [this](const test::Call& c) {  // the owner gets control inside a push or a call
            if (c.api == test::Api::SetScrollInfo || c.api == test::Api::SendMessage) React();
        };
    }
    void Run() {
        while (data_ < end_) {
            Step(), reacting_ = false, fake_.DeliverPosted();
            for (const win::Hwnd window : windows_) SendTagged(window);
            for (std::size_t i = 0; i < 3; ++i) Require(LiveOrNone(bars_[i]) && LiveOrNone(hooks_[i]), "dead window");
            reacting_ = true;
        }
        reacting_ = false, fake_.onCall = nullptr, fake_.currentThread = 1;
        fake_.refuseSetProp = fake_.failSetWindowProcedure = fake_.dropSentMessages = false, bars_ = {}, hooks_ = {};
        for (const win::Hwnd window : windows_) {
            for (const int layer : fake_.LayersTopFirst(window)) fake_.RemoveLayer(window, layer);
            fake_.DeliverPosted();
            for (int round = 0; round < 2 * test::FakeWindowSystem::kLayers + 4; ++round) SendTagged(window);
            Require(fake_.Stuck(window) || fake_.Window(window).procedure == &test::FakeWindowSystem::OwnProcedure,
                    "a window whose parties all left does not run its own procedure");
            Require(forged_.contains(window) || fake_.Window(window).properties.empty(), "a property left");
        }
    }

private:
    std::uint32_t Byte() { return data_ < end_ ? *data_++ : 0; }  // past the input's end, 0s
    std::size_t Below(std::size_t count) { return Byte() % count; }
    bool Bit() { return Byte() & 1; }
    std::int32_t Number() {  // half the time one where sums, signs or words break
        static constexpr std::int32_t kEdges[] = {0, 1, -1, 120, -120, 60, 0x7FFF, -0x8000, 0x10000, INT_MAX, INT_MIN};
        if (Byte() < 0x80) return kEdges[Below(std::size(kEdges))];
        return static_cast<std::int32_t>(Byte() | Byte() << 8 | Byte() << 16 | Byte() << 24);
    }
    // Whether a component names a live window or none.
    bool LiveOrNone(const auto& ref) { return !ref || !ref->TargetWnd() || fake_.Find(ref->TargetWnd()); }
    void ToOtherThread() { fake_.currentThread = 3 - fake_.currentThread; }  // thread 1 or 2

    void Step() {
        static constexpr unsigned int kMessages[] = {WM_HSCROLL,   WM_VSCROLL,     WM_MOUSEWHEEL, WM_MOUSEHWHEEL,
                                                     WM_NCDESTROY, WM_MBUTTONDOWN, WM_MOUSEMOVE,  WM_KEYDOWN};
        Ref<CScrollBars>& bars = bars_[Below(3)];
        Ref<cSubClassWheel>& hook = hooks_[Below(3)];
        win::Hwnd& window = windows_[Below(3)];
        const auto wParam = static_cast<win::WParam>(static_cast<std::uint32_t>(Number()));
        const unsigned int message = kMessages[Below(std::size(kMessages))];
        // clang-format off
        switch (Below(13)) {
        case 0: bars = MakeRef<CScrollBars>(), Connect(*bars), bars->VChange.Connect([this](auto) { React(); }); break;
        case 1: hook = MakeRef<cSubClassWheel>(), Connect(*hook); break;
        case 2: Bit() ? bars.Reset() : hook.Reset(); break;
        case 3: Bit() ? (bars = bars_[Below(3)], void()) : (hook = hooks_[Below(3)], void()); break;
        case 4: bars = modSubclassScrollBars::ScrollBarsFromWindow(window); break;
        case 5: if (bars) bars->SubClass(window); break;
        case 6: if (hook) Bit() ? hook->SubClass(window) : hook->UnSubClass(); break;
        case 7: if (bars) Operate(*bars); else if (hook) hook->HWheelSupport(Bool16::From(Bit())); break;
        case 8:  // any message, then the window's timers (a glide's, a pan's: also of a controller gone); a
                 // window that saw WM_NCDESTROY is destroyed as it returns, and another comes (perhaps
                 // under the same handle)
            fake_.Send(window, message, wParam, Number()), fake_.Tick(window);
            if (message != WM_NCDESTROY && Below(8) != 0) break;
            fake_.DestroyWindow(window), window = fake_.CreateWindow("F", Bit(), Bit() ? window : nullptr);
            break;
        case 9: {
            const int layer = static_cast<int>(Below(test::FakeWindowSystem::kLayers));
            const auto layers = fake_.LayersTopFirst(window);
            std::ranges::find(layers, layer) != layers.end() ? fake_.RemoveLayer(window, layer)
                                                             : fake_.InstallLayer(window, layer, Bit());
            break;
        }
        case 10: {  // another party sets a property to anything, or takes it away
            const char* name = Bit() ? CScrollBars::kPropertyName : cSubClassWheel::kPropertyName;
            const auto value = reinterpret_cast<void*>(static_cast<std::uintptr_t>(Number()) | 1);
            Bit() ? (void)win::SetPropA(window, name, value) : (void)win::RemovePropA(window, name);
            forged_.insert(window);
            break;
        }
        case 11: fake_.refuseSetProp = Bit(), fake_.failSetWindowProcedure = Bit(), fake_.dropSentMessages = Bit();
            break;
        case 12: ToOtherThread(), Step(), ToOtherThread(); break;  // the next step from the other thread
        }
        // clang-format on
    }
    void React() {  // handlers hold the program only: a Ref in a handler would keep its component for ever
        if (!reacting_ || depth_ >= 6) return;
        for (std::size_t steps = Below(3); steps > 0; --steps) ++depth_, Step(), --depth_;
    }
    template <class Component>
    void Connect(Component& component) {
        component.WheelRotate.Connect([this](auto&& delta, auto&&, auto&&, auto&&, Bool16& wheeled) {
            Require(wheeled == kFalse, "a wheel event starts with Wheeled set");
            React(), wheeled = Bool16(static_cast<std::int16_t>(Number())), delta = Number();
        });
    }
    void Operate(CScrollBars& bars) {  // one setter, then perhaps a round of the window's timers
        using Setter = void (CScrollBars::*)(std::int32_t);
        using Flag = void (CScrollBars::*)(Bool16);
        static constexpr Setter kNumbers[] = {
            &CScrollBars::VMin,      &CScrollBars::HMax,      &CScrollBars::VLargeChange, &CScrollBars::HSmallChange,
            &CScrollBars::VScrollTo, &CScrollBars::HScrollBy, &CScrollBars::SmoothScroll};
        static constexpr Flag kFlags[] = {&CScrollBars::HVisible,     &CScrollBars::VDisableNoScroll,
                                          &CScrollBars::WheelSupport, &CScrollBars::WheelCarry,
                                          &CScrollBars::WheelScroll,  &CScrollBars::PanSupport,
                                          &CScrollBars::EdgeScroll,   &CScrollBars::KeyboardSupport};
        const win::Hwnd window = bars.TargetWnd();  // the call keeps bars alive, perhaps not longer
        Bit() ? (bars.*kNumbers[Below(std::size(kNumbers))])(Number())
              : (bars.*kFlags[Below(std::size(kFlags))])(Bool16(static_cast<std::int16_t>(Number())));
        if (Bit()) fake_.Tick(window);
    }
    // Nobody takes a tagged message: it passes every foreign layer still there, top first, and
    // reaches the window's own procedure, each once.
    void SendTagged(win::Hwnd window) {
        constexpr unsigned int kTagged = 0x803F;  // in WM_APP's range: everyone passes it on
        const auto tag = static_cast<win::LParam>(++tags_);
        std::vector<test::Visit> expected, seen;
        for (const int layer : fake_.LayersTopFirst(window)) expected.push_back({layer, kTagged, 0, tag});
        expected.push_back({test::kOwnProcedure, kTagged, 0, tag});
        fake_.Send(window, kTagged, 0, tag);
        std::ranges::copy_if(fake_.Window(window).visits, std::back_inserter(seen),
                             [tag](const test::Visit& v) { return v.message == kTagged && v.lParam == tag; });
        Require(seen == expected, "a layer missed a message, saw it twice or out of order");
    }

    test::FakeWindowSystem fake_;
    const std::uint8_t *data_, *end_;
    std::array<win::Hwnd, 3> windows_{};
    std::array<Ref<CScrollBars>, 3> bars_;
    std::array<Ref<cSubClassWheel>, 3> hooks_;
    std::set<win::Hwnd> forged_;  // windows whose properties another party set or took away
    std::uint32_t tags_ = 0;
    int depth_ = 0;
    bool reacting_ = true;
};

}  // namespace
}  // namespace brennick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    brennick::Program(data, size).Run();
    return 0;
}
