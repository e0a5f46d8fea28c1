// Runs a fuzz input as a program over the recording double: a few windows and a few components
// held in counted slots, operations on them, and reactions (nested operations) taken whenever a
// handler or the window system hands control back to the owner. Checks after every top-level
// operation that each hooked window still leads to a live component and, at the end, that
// releasing everything gives every window back what it had.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "controls/scrollbars/CScrollBars.h"
#include "controls/wheel/cSubClassWheel.h"
#include "support/Ref.h"
#include "tests/double/FakeWindowSystem.h"
#include "tests/fuzz/ByteReader.h"
#include "tests/fuzz/ProcedureModel.h"

namespace brennick::fuzz {

class HookProgram {
public:
    HookProgram(const std::uint8_t* data, std::size_t size);
    ~HookProgram();
    HookProgram(const HookProgram&) = delete;
    HookProgram& operator=(const HookProgram&) = delete;

    // The whole input, then the release of everything and the final checks.
    void Run();

private:
    struct Slot {
        Ref<CScrollBars> bars;
        Ref<cSubClassWheel> wheel;
    };

    // Operations (HookProgram.cpp).
    void Step();
    void React();
    void NewScrollBars(Slot& slot);
    void NewWheel(Slot& slot);
    void Connect(CScrollBars& bars);
    void Connect(cSubClassWheel& wheel);
    void SubClass(Slot& slot, win::Hwnd window);
    void UnSubClass(Slot& slot);
    void SetProperty(Slot& slot);
    void GetProperty(Slot& slot);
    void ScrollTo(Slot& slot);
    void SendScroll(win::Hwnd window);
    void SendWheel(win::Hwnd window);
    void SendOther(win::Hwnd window);
    void CallSharedProcedure(win::Hwnd window);
    void CreateWindow();
    void ReuseHandle(win::Hwnd window);
    void Script();
    void Track(win::Hwnd window);
    void Disconnect(Slot& slot);
    void RemoveProperty(win::Hwnd window);
    void OnPlatformCall(const test::Call& call);
    Slot& PickSlot() { return slots_[input_.Below(slots_.size())]; }
    win::Hwnd PickWindow();
    void Hooked(const void* component, win::Hwnd window);

    // Checks (HookInvariants.cpp).
    void CheckHooks();
    void ReleaseAll();
    void CheckReleased();
    bool IsLive(const void* component, bool wheel) const;
    void CheckRegistered(const void* component, win::Hwnd target);

    test::FakeWindowSystem fake_;
    ByteReader input_;
    ProcedureModel model_;
    std::vector<win::Hwnd> handles_;
    std::array<Slot, 6> slots_;
    std::map<const void*, unsigned> hookedIncarnation_;  // the window each component hooked
    int depth_ = 0;
    bool reacting_ = true;
};

// Stops the run with a message that names the broken rule.
[[noreturn]] void Fail(const std::string& what);
inline void Require(bool condition, const char* what) {
    if (!condition) Fail(what);
}

}  // namespace brennick::fuzz
