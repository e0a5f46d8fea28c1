#include <algorithm>

#include "controls/scrollbars/modSubclassScrollBars.h"
#include "controls/wheel/modSubclassWheel.h"
#include "tests/fuzz/HookProgram.h"

namespace brennick::fuzz {
namespace {

using modSubclassScrollBars::ScrollBarsWndProc;
using modSubclassWheel::WheelWndProc;
using test::FakeWindowSystem;

// The component a shared procedure on window would dispatch to, or nullptr.
const void* ComponentOf(const test::FakeWindow& window, win::WndProc procedure) {
    const char* name = procedure == &ScrollBarsWndProc ? CScrollBars::kPropertyName
                       : procedure == &WheelWndProc  ? cSubClassWheel::kPropertyName
                                                      : nullptr;
    if (name == nullptr) return nullptr;
    const auto found = window.properties.find(name);
    return found == window.properties.end() ? nullptr : found->second;
}

win::WndProc PreviousOf(const void* component, win::WndProc procedure) {
    return procedure == &ScrollBarsWndProc ? static_cast<const CScrollBars*>(component)->PrevWndProc()
                                           : static_cast<const cSubClassWheel*>(component)->PrevWndProc();
}

}  // namespace

bool HookProgram::IsLive(const void* component, bool wheel) const {
    return std::any_of(slots_.begin(), slots_.end(), [&](const Slot& slot) {
        return wheel ? slot.wheel.Get() == component : slot.bars.Get() == component;
    });
}

// Between top-level operations nothing but the slots holds a component, so a component that
// is in no slot is gone.
void HookProgram::CheckHooks() {
    for (const Slot& slot : slots_) {
        if (slot.bars) {
            Require((slot.bars->TargetWnd() == nullptr) == (slot.bars->PrevWndProc() == nullptr),
                    "a controller holds one of its two hook fields without the other");
            CheckRegistered(slot.bars.Get(), slot.bars->TargetWnd());
        }
        if (slot.wheel) {
            Require((slot.wheel->TargetWnd() == nullptr) == (slot.wheel->PrevWndProc() == nullptr),
                    "a wheel hook holds one of its two hook fields without the other");
            CheckRegistered(slot.wheel.Get(), slot.wheel->TargetWnd());
        }
    }
    for (const win::Hwnd handle : handles_) {
        const test::FakeWindow* window = fake_.Find(handle);
        if (window == nullptr) continue;
        for (const auto& [name, value] : window->properties) {
            if (name == CScrollBars::kPropertyName) {
                Require(IsLive(value, false), "\"nvStdScroll\" names a controller that is gone");
                const auto* bars = static_cast<const CScrollBars*>(value);
                Require(bars->TargetWnd() == handle && bars->PrevWndProc() != nullptr,
                        "\"nvStdScroll\" names a controller that does not hook this window");
            } else if (name == cSubClassWheel::kPropertyName) {
                Require(IsLive(value, true), "\"nvAdvSubcls\" names a wheel hook that is gone");
                const auto* wheel = static_cast<const cSubClassWheel*>(value);
                Require(wheel->TargetWnd() == handle && wheel->PrevWndProc() != nullptr,
                        "\"nvAdvSubcls\" names a wheel hook that does not hook this window");
            } else {
                Fail("a window carries the unknown property " + name);
            }
        }

        const Chain* chain = model_.Find(handle);
        if (chain == nullptr || !chain->predictable) continue;
        const std::vector<win::WndProc>& procedures = chain->procedures;
        Require(window->procedure == procedures.back(), "a window runs another procedure than its hooks left");
        Require(window->properties.size() == procedures.size() - 1,
                "a hook's property and its procedure are not on the window together");
        for (std::size_t layer = 1; layer < procedures.size(); ++layer) {
            const void* component = ComponentOf(*window, procedures[layer]);
            Require(component != nullptr, "a shared procedure is on a window without its property");
            Require(PreviousOf(component, procedures[layer]) == procedures[layer - 1],
                    "a hook would forward to another procedure than the one it replaced");
        }
    }
}

// A component that still holds the window it hooked (not a later window under the same
// handle) is found there, unless a third party took its property.
void HookProgram::CheckRegistered(const void* component, win::Hwnd target) {
    const test::FakeWindow* window = fake_.Find(target);
    const Chain* chain = model_.Find(target);
    const auto hooked = hookedIncarnation_.find(component);
    if (window == nullptr || chain == nullptr || chain->robbed || hooked == hookedIncarnation_.end() ||
        hooked->second != chain->incarnation) {
        return;
    }
    const bool found = std::any_of(window->properties.begin(), window->properties.end(),
                                   [&](const auto& property) { return property.second == component; });
    Require(found, "a component holds a window that does not lead to it");
}

// Releases the component on top of each window first, so that every window can get its own
// procedure back, then everything else.
void HookProgram::ReleaseAll() {
    reacting_ = false;
    fake_.refuseSetProp = false;
    fake_.failSetWindowProcedure = false;
    fake_.failGetScrollInfo = false;
    for (bool released = true; released;) {
        released = false;
        for (const win::Hwnd handle : handles_) {
            const test::FakeWindow* window = fake_.Find(handle);
            const Chain* chain = model_.Find(handle);
            if (window == nullptr || chain == nullptr || !chain->predictable || chain->procedures.size() < 2) continue;
            const std::size_t layers = chain->procedures.size();
            const void* top = ComponentOf(*window, chain->procedures.back());
            for (Slot& slot : slots_) {
                if (slot.bars.Get() == top) slot.bars.Reset();
                if (slot.wheel.Get() == top) slot.wheel.Reset();
            }
            Require(chain->predictable && chain->procedures.size() == layers - 1,
                    "releasing the hook on top of a window did not give back the procedure it replaced");
            released = true;
        }
    }
    slots_ = {};
}

void HookProgram::CheckReleased() {
    for (const win::Hwnd handle : handles_) {
        const test::FakeWindow* window = fake_.Find(handle);
        if (window == nullptr) continue;
        Require(window->properties.empty(), "a property outlives every component");
        const Chain* chain = model_.Find(handle);
        if (chain != nullptr && chain->predictable) {
            Require(window->procedure == &FakeWindowSystem::OriginalProc,
                    "a window did not get its own procedure back when every component was released");
        }
    }
}

}  // namespace brennick::fuzz
