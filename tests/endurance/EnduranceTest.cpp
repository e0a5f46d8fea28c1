// Long runs on real windows: 100,000 attach and detach cycles of each component and 1,000,000
// mixed messages through hooked windows. Afterwards the windows are as before and the process
// holds no more windows, USER or GDI objects or private memory than before (see
// kPrivateMemoryTolerance). Each run starts with a short warm-up, so that what the system and
// the runtime set up once on first use is in place before the first snapshot.
#include <gtest/gtest.h>

#include <cstdint>

#include "controls/scrollbars/CScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"
#include "tests/endurance/EnduranceWindows.h"
#include "tests/endurance/ProcessResources.h"

namespace brennick::test {
namespace {

constexpr int kCycles = 100'000;
constexpr int kWarmUpCycles = 1'000;
constexpr int kMessagesPerRound = 10;
constexpr int kRounds = 100'000;  // 1,000,000 messages
constexpr int kWarmUpRounds = 1'000;

void ExpectNoGrowth(const ProcessResources& before, const ProcessResources& after, bool guiCounted) {
    EXPECT_EQ(after.threadWindows, before.threadWindows);
    if (guiCounted) {
        EXPECT_LE(after.userObjects, before.userObjects);
        EXPECT_LE(after.gdiObjects, before.gdiObjects);
    }
    EXPECT_LE(after.privateCommit, before.privateCommit + kPrivateMemoryTolerance)
        << "grew by " << (after.privateCommit - before.privateCommit) << " bytes";
    if (before.privateUsage != 0) {
        EXPECT_LE(after.privateUsage, before.privateUsage + kPrivateMemoryTolerance);
    }
}

// Each cycle creates a component, hooks the window and drops the component, which unhooks it.
// Returns how many cycles found the component really hooked.
template <class Component>
int AttachDetach(HWND window, int cycles) {
    int hooked = 0;
    for (int i = 0; i < cycles; ++i) {
        const Ref<Component> component = MakeRef<Component>();
        component->SubClass(window);
        if (component->TargetWnd() == window) ++hooked;
    }
    return hooked;
}

template <class Component>
void RunAttachDetach() {
    const OwnedWindow window = CreateEnduranceWindow();
    ASSERT_NE(window.Get(), nullptr);
    const bool guiCounted = GuiResourcesAreCounted();
    ASSERT_EQ(AttachDetach<Component>(window.Get(), kWarmUpCycles), kWarmUpCycles);

    const ProcessResources before = MeasureProcessResources();
    EXPECT_EQ(AttachDetach<Component>(window.Get(), kCycles), kCycles);
    const ProcessResources after = MeasureProcessResources();

    // The window is as it was: its own procedure, no property left, messages still arrive.
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window.Get(), GWLP_WNDPROC)), EnduranceProcedure());
    EXPECT_EQ(PropertyCount(window.Get()), 0u);
    const std::uint64_t arrived = ClassArrivals().user;
    SendMessageA(window.Get(), WM_USER, 0, 0);
    EXPECT_EQ(ClassArrivals().user, arrived + 1);
    ExpectNoGrowth(before, after, guiCounted);
}

TEST(Endurance, CScrollBarsAttachDetachCycles) { RunAttachDetach<CScrollBars>(); }

TEST(Endurance, cSubClassWheelAttachDetachCycles) { RunAttachDetach<cSubClassWheel>(); }

// What the components' events reported.
struct Seen {
    std::uint64_t vChange = 0;
    std::uint64_t vScroll = 0;
    std::uint64_t hChange = 0;
    std::uint64_t panelWheel = 0;       // the panel's controller
    std::uint64_t hookWheel = 0;        // the wheel hook alone on its window
    std::uint64_t stackedHook = 0;      // the wheel hook on the window with both
    std::uint64_t stackedWheel = 0;     // that window's controller, for the turns the hook passed on
};

// Three windows: a panel with a controller, a window with a wheel hook, and one with both (the
// hook outermost). The hooks consume every second wheel turn and pass the others on.
class MixedMessages {
public:
    MixedMessages() {
        panelScroll_->SubClass(panel_.Get());
        panelScroll_->VMax(1000);
        panelScroll_->VLargeChange(10);
        panelScroll_->VSmallChange(1);
        panelScroll_->HMax(1000);
        panelScroll_->HLargeChange(10);
        panelScroll_->WheelSupport(kTrue);
        panelScroll_->VChange.Connect([this](std::int32_t) { ++seen_.vChange; });
        panelScroll_->VScroll.Connect([this](std::int32_t) { ++seen_.vScroll; });
        panelScroll_->HChange.Connect([this](std::int32_t) { ++seen_.hChange; });
        panelScroll_->WheelRotate.Connect(
            [this](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&) { ++seen_.panelWheel; });

        hook_->SubClass(hooked_.Get());
        hook_->WheelRotate.Connect([this](std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, Bool16& wheeled) {
            wheeled = Bool16::From(++seen_.hookWheel % 2 == 0);
        });

        stackedScroll_->SubClass(stacked_.Get());
        stackedScroll_->WheelSupport(kTrue);
        stackedScroll_->WheelRotate.Connect(
            [this](std::int32_t, std::int32_t, std::int32_t, std::int32_t, Bool16&) { ++seen_.stackedWheel; });
        stackedHook_->SubClass(stacked_.Get());
        stackedHook_->WheelRotate.Connect(
            [this](std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&, Bool16& wheeled) {
                wheeled = Bool16::From(++seen_.stackedHook % 2 == 0);
            });
    }

    bool AllHooked() const {
        return panelScroll_->TargetWnd() == panel_.Get() && hook_->TargetWnd() == hooked_.Get() &&
               stackedScroll_->TargetWnd() == stacked_.Get() && stackedHook_->TargetWnd() == stacked_.Get();
    }

    // One round of kMessagesPerRound messages.
    void Round() const {
        const WPARAM wheelTurn = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));
        SendMessageA(panel_.Get(), WM_USER, 0, 0);
        SendMessageA(panel_.Get(), WM_VSCROLL, SB_LINEDOWN, 0);
        SendMessageA(hooked_.Get(), WM_USER, 0, 0);
        SendMessageA(panel_.Get(), WM_MOUSEWHEEL, wheelTurn, MAKELPARAM(150, 150));
        SendMessageA(panel_.Get(), WM_HSCROLL, SB_PAGEDOWN, 0);
        SendMessageA(hooked_.Get(), WM_MOUSEWHEEL, wheelTurn, MAKELPARAM(150, 150));
        SendMessageA(stacked_.Get(), WM_USER, 0, 0);
        SendMessageA(panel_.Get(), WM_VSCROLL, SB_TOP, 0);
        SendMessageA(stacked_.Get(), WM_MOUSEWHEEL, wheelTurn, MAKELPARAM(150, 150));
        SendMessageA(panel_.Get(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5), 0);
    }

    const Seen& Reported() const { return seen_; }

private:
    OwnedWindow panel_ = CreateEnduranceWindow();
    OwnedWindow hooked_ = CreateEnduranceWindow();
    OwnedWindow stacked_ = CreateEnduranceWindow();
    Seen seen_;
    Ref<CScrollBars> panelScroll_ = MakeRef<CScrollBars>();
    Ref<cSubClassWheel> hook_ = MakeRef<cSubClassWheel>();
    Ref<CScrollBars> stackedScroll_ = MakeRef<CScrollBars>();
    Ref<cSubClassWheel> stackedHook_ = MakeRef<cSubClassWheel>();  // unhooks first, as it hooked last
};

TEST(Endurance, MillionMixedMessagesThroughHookedWindows) {
    const bool guiCounted = GuiResourcesAreCounted();
    const MixedMessages windows;
    ASSERT_TRUE(windows.AllHooked());
    for (int i = 0; i < kWarmUpRounds; ++i) windows.Round();

    const Seen seenBefore = windows.Reported();
    const Arrivals arrivedBefore = ClassArrivals();
    const ProcessResources before = MeasureProcessResources();
    for (int i = 0; i < kRounds; ++i) windows.Round();
    const ProcessResources after = MeasureProcessResources();
    const Seen& seen = windows.Reported();
    const Arrivals& arrived = ClassArrivals();

    // Every message went where the components send it, not one more or less.
    constexpr std::uint64_t rounds = kRounds;
    EXPECT_EQ(arrived.user - arrivedBefore.user, 3 * rounds);
    EXPECT_EQ(seen.vChange - seenBefore.vChange, 2 * rounds);
    EXPECT_EQ(seen.vScroll - seenBefore.vScroll, rounds);
    EXPECT_EQ(seen.hChange - seenBefore.hChange, rounds);
    EXPECT_EQ(seen.panelWheel - seenBefore.panelWheel, rounds);
    EXPECT_EQ(seen.hookWheel - seenBefore.hookWheel, rounds);
    EXPECT_EQ(arrived.wheel - arrivedBefore.wheel, rounds / 2);
    EXPECT_EQ(seen.stackedHook - seenBefore.stackedHook, rounds);
    EXPECT_EQ(seen.stackedWheel - seenBefore.stackedWheel, rounds / 2);
    ExpectNoGrowth(before, after, guiCounted);
}

}  // namespace
}  // namespace brennick::test
