// Case 1: a message the components do not handle, sent to windows of one class, each with a
// different party in front of the class's procedure. The floor of the components is a raw
// subclass: a procedure set with SetWindowLongPtr that only calls CallWindowProc.
#include "bench/Cases.h"  // brings <windows.h>, which <commctrl.h> needs first

#include <commctrl.h>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>

namespace brennick_bench {
namespace {

using brennick::cSubClassWheel;
using brennick::CScrollBars;
using brennick::MakeRef;
using brennick::Ref;

constexpr const char* kGroup = "forward";
constexpr const char* kFloor = "unhooked window";
constexpr const char* kRaw = "raw subclass";
constexpr const char* kRawTwice = "raw subclass x2";
constexpr const char* kComctl = "comctl32 SetWindowSubclass";
constexpr const char* kComctlTwice = "comctl32 SetWindowSubclass x2";
constexpr double kComponentTarget = 1.2;  // to the raw subclass with as many layers
constexpr std::int32_t kBatch = 2000;

// Raw subclass procedures, one per layer: each only passes the message on to what it replaced.
template <int Layer>
struct RawLayer {
    static inline WNDPROC previous = nullptr;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return CallWindowProcA(previous, window, message, wParam, lParam);
    }
};

// A raw layer, put back with its owner (while the window is there and the layer on top).
template <int Layer>
struct RemoveRawLayer {
    void operator()(HWND window) const {
        if (!IsWindow(window)) return;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RawLayer<Layer>::previous));
    }
};
template <int Layer>
using Raw = brennick::ui::Unique<HWND, RemoveRawLayer<Layer>>;
template <int Layer>
Raw<Layer> AddRawLayer(HWND window) {
    RawLayer<Layer>::previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RawLayer<Layer>::Procedure)));
    return Raw<Layer>(RawLayer<Layer>::previous != nullptr ? window : nullptr);
}

LRESULT CALLBACK PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return DefSubclassProc(window, message, wParam, lParam);
}

// One comctl32 subclass, removed again with its owner (while the window is there).
struct RemoveSubclass {
    UINT_PTR id = 0;
    void operator()(HWND window) const {
        if (IsWindow(window)) RemoveWindowSubclass(window, &PassOn, id);
    }
};
using Subclass = brennick::ui::Unique<HWND, RemoveSubclass>;
Subclass AddSubclass(HWND window, UINT_PTR id) {
    return Subclass(SetWindowSubclass(window, &PassOn, id, 0) ? window : nullptr, {id});
}

// Members end in reverse order: components unhook, subclasses go, then the windows.
struct Fixture {
    explicit Fixture(const BenchClass& benchClass)
        : parent(benchClass.CreateTopLevel()),
          unhooked(benchClass.CreatePanel(parent.Get(), 0, 0)),
          scrollHooked(benchClass.CreatePanel(parent.Get(), 10, 0)),
          wheelHooked(benchClass.CreatePanel(parent.Get(), 20, 0)),
          bothHooked(benchClass.CreatePanel(parent.Get(), 30, 0)),
          peer(benchClass.CreatePanel(parent.Get(), 40, 0)),
          peerTwice(benchClass.CreatePanel(parent.Get(), 50, 0)),
          raw(benchClass.CreatePanel(parent.Get(), 60, 0)),
          rawTwice(benchClass.CreatePanel(parent.Get(), 70, 0)),
          peerSubclass(AddSubclass(peer.Get(), 1)),
          peerTwiceFirst(AddSubclass(peerTwice.Get(), 1)),
          peerTwiceSecond(AddSubclass(peerTwice.Get(), 2)),
          rawLayer(AddRawLayer<0>(raw.Get())),
          rawTwiceFirst(AddRawLayer<1>(rawTwice.Get())),
          rawTwiceSecond(AddRawLayer<2>(rawTwice.Get())) {
        scroll->SubClass(scrollHooked.Get());
        wheel->SubClass(wheelHooked.Get());
        scrollOfBoth->SubClass(bothHooked.Get());
        wheelOfBoth->SubClass(bothHooked.Get());
    }

    OwnedWindow parent, unhooked, scrollHooked, wheelHooked, bothHooked, peer, peerTwice, raw, rawTwice;
    Subclass peerSubclass, peerTwiceFirst, peerTwiceSecond;
    Raw<0> rawLayer;
    Raw<1> rawTwiceFirst;
    Raw<2> rawTwiceSecond;  // removed first, as it went on last
    Ref<CScrollBars> scroll = MakeRef<CScrollBars>();
    Ref<cSubClassWheel> wheel = MakeRef<cSubClassWheel>();
    Ref<CScrollBars> scrollOfBoth = MakeRef<CScrollBars>();
    Ref<cSubClassWheel> wheelOfBoth = MakeRef<cSubClassWheel>();  // unhooks first, as it hooked last
};

// A case only counts when the message really went through to the class's procedure.
std::string Check(HWND window, bool hooked) {
    if (window == nullptr || !hooked) return "the window could not be created or hooked";
    if (!Forwards(window)) return "the message was not forwarded";
    return {};
}

void AddCase(Suite& suite, const std::string& name, const char* peer, double target, HWND window, bool hooked) {
    suite.Add({.group = kGroup, .name = name, .peer = peer, .target = target, .batch = kBatch,
               .run = [window](std::int32_t count) { SendForwarded(window, count); }, .skipped = Check(window, hooked)});
}

}  // namespace

void AddForwardCases(Suite& suite, const BenchClass& benchClass) {
    const auto fixture = std::make_shared<Fixture>(benchClass);
    const Fixture& f = *fixture;
    suite.Keep(fixture);
    AddCase(suite, kFloor, "", 0.0, f.unhooked.Get(), true);
    AddCase(suite, kRaw, kFloor, 0.0, f.raw.Get(), f.rawLayer.Get() != nullptr);
    AddCase(suite, kRawTwice, kFloor, 0.0, f.rawTwice.Get(),
            f.rawTwiceFirst.Get() != nullptr && f.rawTwiceSecond.Get() != nullptr);
    AddCase(suite, kComctl, kFloor, 0.0, f.peer.Get(), true);
    AddCase(suite, kComctlTwice, kFloor, 0.0, f.peerTwice.Get(), true);
    AddCase(suite, "CScrollBars", kRaw, kComponentTarget, f.scrollHooked.Get(),
            f.scroll->TargetWnd() == f.scrollHooked.Get());
    AddCase(suite, "cSubClassWheel", kRaw, kComponentTarget, f.wheelHooked.Get(),
            f.wheel->TargetWnd() == f.wheelHooked.Get());
    AddCase(suite, "CScrollBars + cSubClassWheel", kRawTwice, kComponentTarget, f.bothHooked.Get(),
            f.scrollOfBoth->TargetWnd() == f.bothHooked.Get() && f.wheelOfBoth->TargetWnd() == f.bothHooked.Get());
}

}  // namespace brennick_bench
