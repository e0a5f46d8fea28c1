// Wheel messages on both components: how amounts become notches, with and without carry, on both
// wheels, and which messages are consumed, on real windows.
#pragma once

#include <brennick/cSubClassWheel.h>

#include "tests/win32/ScrollBarCases.h"

namespace brennick::test {

// A wheel event as its handler got it, with the component's RawDelta at that moment.
struct WheelEvent {
    std::int32_t horizontal, delta, shift, x, y, raw, wheeledOnEntry;
    bool operator==(const WheelEvent&) const = default;
};

// A wheel message's wParam: the amount (120 a notch) and the keys held.
inline win::WParam WheelParam(int amount, int keys = 0) {
    return static_cast<win::WParam>(static_cast<std::uint32_t>(amount) << 16 | static_cast<std::uint16_t>(keys));
}

// Either component on a window (whose own procedure answers wheel messages with 7), reporting each
// wheel event it raises; its handler writes answer into Wheeled and zeros into the four numbers.
// vertical: the controller's WheelSupport (the hook has none).
struct Wheels {
    win::Hwnd window;
    Ref<CScrollBars> bars;
    Ref<cSubClassWheel> hook;
    Bool16 answer = kFalse;
    std::vector<WheelEvent> seen;

    Wheels(win::Hwnd w, bool useHook, Bool16 vertical, Bool16 horizontal, Bool16 carry) : window(w) {
        const auto attach = [&](auto& component) {
            component->SubClass(window), component->HWheelSupport(horizontal), component->WheelCarry(carry);
            for (const bool h : {false, true}) {
                (h ? component->HWheelRotate : component->WheelRotate)
                    .Connect([this, h, c = component.Get()](auto&& d, auto&& s, auto&& x, auto&& y, Bool16& w) {
                        seen.push_back({h, d, s, x, y, c->RawDelta(), w.Bits()});
                        d = s = x = y = 0, w = answer;
                    });
            }
        };
        useHook ? attach(hook = MakeRef<cSubClassWheel>()) : attach(bars = MakeRef<CScrollBars>());
        if (bars) bars->WheelSupport(vertical);
    }
    void Carry(Bool16 carry) { hook ? hook->WheelCarry(carry) : bars->WheelCarry(carry); }
};

// Amounts as the message carries them (positive: away from the user, or to the right) and the
// notches the vertical wheel reports, per message (each rounded, halves to even) and with carry;
// from message other on, the other wheel turns; before message toggle, the carry goes off and on;
// before message again, it is switched to what it is with another value.
struct Sequence {
    const char* name;
    std::vector<int> amounts, rounded, carried;
    std::size_t other = 99, toggle = 99, again = 99;
};
// clang-format off
inline const Sequence kSequences[] = {
    {"eight eighths", {15, 15, 15, 15, 15, 15, 15, 15}, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, -1}},
    {"mixed directions", {-90, -60, 120, -150}, {1, 0, -1, 1}, {0, 1, -1, 1}},
    {"halves go to even", {-180, 180, 300, -60}, {2, -2, -2, 0}, {1, -1, -3, 0}},
    {"extremes", {32767, 32767, -32768}, {-273, -273, 273}, {-273, -273, 273}},
    {"each wheel carries its own parts", {-60, 60}, {0, 0}, {0, 0}, 1},
    {"a carry switched off and on starts afresh", {60, 60}, {0, 0}, {0, 0}, 99, 1},
    {"a carry switched on again keeps its parts", {60, 60}, {0, 0}, {0, -1}, 99, 99, 1},
};
// clang-format on

// Each sequence on both components and both wheels, with and without carry.
inline void RunWheelSequences() {
    for (int flags = 0; flags < 8; ++flags) {  // 4: the hook, not the controller; 2: horizontal; 1: carried
        const bool useHook = flags & 4, horizontal = flags & 2, carry = flags & 1;
        for (const Sequence& s : kSequences) {
            SCOPED_TRACE(std::string(s.name) + ", flags " + std::to_string(flags));
            Wheels wheels(NewWindow(), useHook, kTrue, kTrue, Bool16::From(carry));
            std::vector<int> deltas, raws, expected = carry ? s.carried : s.rounded, expectedRaw = s.amounts;
            for (std::size_t i = 0; i < s.amounts.size(); ++i) {
                if (i == s.toggle) wheels.Carry(kFalse), wheels.Carry(Bool16::From(carry));
                if (i == s.again) wheels.Carry(carry ? kOne : kFalse);
                const bool h = horizontal != (i >= s.other);
                SendMessageA(wheels.window, h ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, WheelParam(s.amounts[i]), 0);
                (h ? expected : expectedRaw)[i] *= -1;  // right is positive; raw: toward the user
            }
            for (const auto& seen : wheels.seen) deltas.push_back(seen.delta), raws.push_back(seen.raw);
            EXPECT_EQ(deltas, expected) << "notches";
            EXPECT_EQ(raws, expectedRaw) << "raw amounts";
        }
    }
}

// Which component consumes which wheel message, and what its handler gets.
inline void RunWheelConsumption() {
    // support: the switch of the wheel turned (the controller's WheelSupport or HWheelSupport, the
    // hook's HWheelSupport); answer: Wheeled as the handler leaves it.
    struct Case {
        const char* name;
        bool hook, horizontal;
        Bool16 support, answer;
        bool event, consumed;
    };
    const Case cases[] = {
        {"controller, wheel support off", false, false, kFalse, kTrue, false, false},
        {"controller, wheel support on, handler says yes", false, false, kTrue, kTrue, true, true},
        {"controller, any non-zero switches it on, handler says no", false, false, kOne, kFalse, true, true},
        {"controller, horizontal wheel off", false, true, kFalse, kTrue, false, false},
        {"controller, horizontal wheel on", false, true, kTrue, kFalse, true, true},
        {"hook, not wheeled", true, false, kFalse, kFalse, true, false},
        {"hook, any non-zero wheels", true, false, kFalse, kOne, true, true},
        {"hook, horizontal wheel off", true, true, kFalse, kTrue, false, false},
        {"hook, any non-zero switches the horizontal wheel on", true, true, kOne, kTrue, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bool16 other = c.support == kFalse ? kTrue : kFalse;  // the other wheel's switch, set the other way
        Wheels w(NewWindow(), c.hook, c.horizontal ? other : c.support, c.horizontal ? c.support : other, kFalse);
        w.answer = c.answer;
        const auto lParam = static_cast<win::LParam>((384u << 16) | 0xFF38u);  // x -200, y 384
        const int keys = MK_CONTROL | MK_SHIFT;
        const unsigned int message = c.horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
        EXPECT_EQ(SendMessageA(w.window, message, WheelParam(-120, keys), lParam), c.consumed ? 0 : 7) << "the answer";
        // A notch toward the user or to the left: +1 and a raw 120 vertically, -1 and a raw -120 horizontally.
        const WheelEvent event{c.horizontal, c.horizontal ? -1 : 1, keys, -200, 384, c.horizontal ? -120 : 120, 0};
        EXPECT_EQ(w.seen, c.event ? std::vector{event} : std::vector<WheelEvent>{}) << "the event";
        EXPECT_EQ(OwnProcedureSaw(w.window, message), (c.consumed ? Got{} : Got{{WheelParam(-120, keys), lParam}}))
            << "passed on unchanged, or not at all";
    }
}

}  // namespace brennick::test
