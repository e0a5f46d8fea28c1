// Wheel messages on both components: how amounts become notches, with and without carry, on both
// wheels, and which messages are consumed. The same tables run over the recording double and over
// real windows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>

#include "platform/Win32Constants.h"

namespace brennick::test {

// A wheel event as its handler got it, with the component's RawDelta at that moment.
struct WheelEvent {
    bool horizontal;
    std::int32_t delta, shift, x, y, raw;
    Bool16 wheeledOnEntry;
    bool operator==(const WheelEvent&) const = default;
};

// Either component on a window of the backend (whose own procedure answers wheel messages with 7),
// reporting each wheel event it raises; its handler writes answer into Wheeled and zeros into
// the four numbers.
template <class Backend>
struct Wheels {
    Backend& backend;
    win::Hwnd window = backend.NewWindow();
    Ref<CScrollBars> bars;
    Ref<cSubClassWheel> hook;
    Bool16 answer = kFalse;
    std::vector<WheelEvent> seen;

    Wheels(Backend& b, bool useHook, Bool16 vertical, Bool16 horizontal, Bool16 carry) : backend(b) {
        const auto handler = [this](bool h) {
            return [this, h](auto&& d, auto&& s, auto&& x, auto&& y, Bool16& w) {
                seen.push_back({h, d, s, x, y, hook ? hook->RawDelta() : bars->RawDelta(), w});
                d = s = x = y = 0, w = answer;
            };
        };
        if (useHook) {
            (hook = MakeRef<cSubClassWheel>())->SubClass(window);
            hook->HWheelSupport(horizontal), hook->WheelCarry(carry);
            hook->WheelRotate.Connect(handler(false)), hook->HWheelRotate.Connect(handler(true));
        } else {
            (bars = MakeRef<CScrollBars>())->SubClass(window);
            bars->WheelSupport(vertical), bars->HWheelSupport(horizontal), bars->WheelCarry(carry);
            bars->WheelRotate.Connect(handler(false)), bars->HWheelRotate.Connect(handler(true));
        }
    }
    void Carry(Bool16 carry) { hook ? hook->WheelCarry(carry) : bars->WheelCarry(carry); }
    win::LResult Turn(bool horizontal, int amount, int keys = 0, win::LParam lParam = 0) {
        const auto wParam =
            static_cast<win::WParam>((static_cast<std::uint32_t>(amount) << 16) | static_cast<std::uint16_t>(keys));
        return backend.Send(window, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, wParam, lParam);
    }
};

// Amounts as the message carries them (positive: away from the user, or to the right) and the
// notches the vertical wheel reports, per message (each rounded, halves to even) and with carry;
// from message other on, the other wheel turns; before message toggle, the carry goes off and on.
struct Sequence {
    const char* name;
    std::vector<int> amounts, rounded, carried;
    std::size_t other = 99, toggle = 99;
};
// clang-format off
inline const Sequence kSequences[] = {
    {"one notch", {120}, {-1}, {-1}},
    {"two halves", {60, 60}, {0, 0}, {0, -1}},
    {"eight eighths", {15, 15, 15, 15, 15, 15, 15, 15}, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, -1}},
    {"three quarters and a quarter", {90, 30}, {-1, 0}, {0, -1}},
    {"a turn back starts afresh", {-30, 30, 90}, {0, 0, -1}, {0, 0, -1}},
    {"mixed directions", {-90, -60, 120, -150}, {1, 0, -1, 1}, {0, 1, -1, 1}},
    {"halves go to even", {-180, 180, 300, -60}, {2, -2, -2, 0}, {1, -1, -3, 0}},
    {"extremes", {32767, 32767, -32768}, {-273, -273, 273}, {-273, -273, 273}},
    {"each wheel carries its own parts", {-60, 60}, {0, 0}, {0, 0}, 1},
    {"a carry switched off and on starts afresh", {60, 60}, {0, 0}, {0, 0}, 99, 1},
};
// clang-format on

// Each sequence on both components and both wheels, with and without carry.
template <class Backend>
void RunWheelSequences(Backend& backend) {
    for (int flags = 0; flags < 8; ++flags) {
        const bool useHook = flags & 4, horizontal = flags & 2, carry = flags & 1;
        for (const Sequence& s : kSequences) {
            SCOPED_TRACE(std::string(s.name) + (useHook ? ", hook" : ", controller") +
                         (horizontal ? ", horizontal" : ", vertical") + (carry ? ", carried" : ""));
            Wheels<Backend> wheels(backend, useHook, kTrue, kTrue, Bool16::From(carry));
            std::vector<int> deltas, raws, expected = carry ? s.carried : s.rounded, expectedRaw = s.amounts;
            for (std::size_t i = 0; i < s.amounts.size(); ++i) {
                if (i == s.toggle) wheels.Carry(kFalse), wheels.Carry(Bool16::From(carry));
                const bool h = horizontal != (i >= s.other);
                wheels.Turn(h, s.amounts[i]);
                (h ? expected : expectedRaw)[i] *= -1;  // right is positive; raw: toward the user
            }
            for (const auto& seen : wheels.seen) deltas.push_back(seen.delta), raws.push_back(seen.raw);
            EXPECT_EQ(deltas, expected) << "notches";
            EXPECT_EQ(raws, expectedRaw) << "raw amounts";
        }
    }
}

// Which component consumes which wheel message, and what its handler gets.
template <class Backend>
void RunWheelConsumption(Backend& backend) {
    // support: the switch of the wheel turned (the controller's WheelSupport or HWheelSupport, the
    // hook's HWheelSupport); answer: Wheeled as the handler leaves it.
    struct Case {
        const char* name;
        bool hook, horizontal;
        Bool16 support, answer;
        bool event, consumed;
    };
    const Bool16 one(std::int16_t{1});
    const Case cases[] = {
        {"controller, wheel support off", false, false, kFalse, kTrue, false, false},
        {"controller, wheel support on, handler says no", false, false, kTrue, kFalse, true, true},
        {"controller, wheel support on, handler says yes", false, false, kTrue, kTrue, true, true},
        {"controller, any non-zero switches it on", false, false, one, kFalse, true, true},
        {"controller, horizontal wheel off", false, true, kFalse, kTrue, false, false},
        {"controller, horizontal wheel on", false, true, kTrue, kFalse, true, true},
        {"hook, not wheeled", true, false, kFalse, kFalse, true, false},
        {"hook, wheeled", true, false, kFalse, kTrue, true, true},
        {"hook, any non-zero wheels", true, false, kFalse, one, true, true},
        {"hook, horizontal wheel off", true, true, kFalse, kTrue, false, false},
        {"hook, any non-zero switches the horizontal wheel on", true, true, one, kTrue, true, true},
        {"hook, horizontal wheel on, not wheeled", true, true, kTrue, kFalse, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bool16 other = c.support == kFalse ? kTrue : kFalse;  // the other wheel's switch, set the other way
        Wheels<Backend> wheels(backend, c.hook, c.horizontal ? other : c.support, c.horizontal ? c.support : other,
                               kFalse);
        wheels.answer = c.answer;
        const auto lParam = static_cast<win::LParam>((384u << 16) | 0xFF38u);  // x -200, y 384
        const int keys = MK_CONTROL | MK_SHIFT;
        EXPECT_EQ(wheels.Turn(c.horizontal, -120, keys, lParam), c.consumed ? 0 : 7) << "the answer";
        // A notch toward the user or to the left: +1 and a raw 120 vertically, -1 and a raw -120 horizontally.
        const WheelEvent event{c.horizontal, c.horizontal ? -1 : 1, keys, -200, 384, c.horizontal ? -120 : 120, kFalse};
        EXPECT_EQ(wheels.seen, c.event ? std::vector{event} : std::vector<WheelEvent>{}) << "the event";
        using Seen = std::vector<std::pair<win::WParam, win::LParam>>;
        const Seen passed = c.consumed ? Seen{} : Seen{{static_cast<win::WParam>((0xFF88u << 16) | keys), lParam}};
        EXPECT_EQ(backend.OwnProcedureSaw(wheels.window, c.horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL), passed)
            << "passed on unchanged, or not at all";
    }
}

}  // namespace brennick::test
