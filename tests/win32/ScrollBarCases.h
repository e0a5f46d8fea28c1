// The scroll-bar cases on real windows: a controller configures a bar, one message or call acts on
// it, and the bar's position, the events raised and the bar's look follow, as the system's own bars
// keep them.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32/TestWindow.h"

namespace brennick::test {

// The same call on the horizontal bar (h true) or on the vertical one: BRENNICK_BAR(bars, h, Max(400)).
#define BRENNICK_BAR(bars, h, call) ((h) ? (bars)->H##call : (bars)->V##call)

inline constexpr Bool16 kOne{std::int16_t{1}};                 // non-zero, but not true
using Got = std::vector<std::pair<win::WParam, win::LParam>>;  // what a window's own procedure got

// A bar's settings; visible is set last, once the range has shown the bar. smooth and keyboard are
// the controller's SmoothScroll and KeyboardSupport.
struct BarStart {
    std::int32_t min = 0, max = 400, page = 201, pos = 100, line = 5, smooth = 0;
    Bool16 disableNoScroll = kTrue, visible = kTrue, keyboard = kTrue;
};

// A controller on a window, with every event it raises in order ("HChange", "VScroll"...).
struct Controlled {
    win::Hwnd window;
    Ref<CScrollBars> bars = MakeRef<CScrollBars>();
    std::vector<std::pair<std::string, std::int32_t>> events;
    explicit Controlled(win::Hwnd w) : window(w) {
        bars->SubClass(window);
        const auto record = [this](std::string name) {
            return [this, name](std::int32_t at) { events.emplace_back(name, at); };
        };
        bars->HChange.Connect(record("HChange")), bars->HScroll.Connect(record("HScroll"));
        bars->VChange.Connect(record("VChange")), bars->VScroll.Connect(record("VScroll"));
    }
    // One bar (the horizontal one when h) shown and set up as start says.
    void Set(bool h, const BarStart& s) {
        BRENNICK_BAR(bars, h, Visible(kTrue)), BRENNICK_BAR(bars, h, DisableNoScroll(s.disableNoScroll));
        BRENNICK_BAR(bars, h, Max(s.max)), BRENNICK_BAR(bars, h, Min(s.min));
        BRENNICK_BAR(bars, h, LargeChange(s.page)), BRENNICK_BAR(bars, h, SmallChange(s.line));
        BRENNICK_BAR(bars, h, Value(s.pos)), bars->SmoothScroll(s.smooth), bars->KeyboardSupport(s.keyboard);
        BRENNICK_BAR(bars, h, Visible(s.visible));
    }
};

// Set: the bar's settings alone. ScrollTo: ScrollTo arg. By: ScrollBy arg, then ScrollBy line, as
// two quick wheel notches. Other: ScrollBy arg, then a setter of the other bar while the step
// glides. Code: the scroll message of the code arg; ControlCode: the same, its lParam naming a
// scroll-bar control. Key: WM_KEYDOWN of the key arg (Left and Right on the horizontal bar only,
// the others on the vertical one only); Repeat: the same as an auto-repeat.
enum class Act { Set, ScrollTo, By, Other, Code, ControlCode, Key, Repeat };
// The bar ends at position; event is "Change", "Scroll" or "" (none: a key goes on to the window).
struct ScrollBarCase {
    const char* name;
    BarStart start;
    Act act;
    std::int32_t arg, position;
    const char* event;
    bool shown = true, enabled = true;
};

// clang-format off
inline const ScrollBarCase kScrollBarCases[] = {
    {"line up", {}, Act::Code, SB_LINEUP, 95, "Change"},
    {"a scroll-bar control's line down moves the window's own bar", {}, Act::ControlCode, SB_LINEDOWN, 105, "Change"},
    {"page down stops a page short of max", {}, Act::Code, SB_PAGEDOWN, 200, "Change"},
    {"page up stops at min", {}, Act::Code, SB_PAGEUP, 0, "Change"},
    {"bottom", {}, Act::Code, SB_BOTTOM, 200, "Change"},
    {"top", {.min = 7}, Act::Code, SB_TOP, 7, "Change"},
    {"line down at the end reports again", {.pos = 200}, Act::Code, SB_LINEDOWN, 200, "Change"},
    {"thumb track without a drag", {}, Act::Code, SB_THUMBTRACK, 100, "Scroll"},
    {"thumb beyond 16 bits", {.max = 1000000, .page = 10, .pos = 70000}, Act::Code, SB_THUMBPOSITION, 70000, "Scroll"},
    {"an unknown code does nothing", {}, Act::Code, 9, 100, ""},
    {"a line step beyond the limits saturates", {.line = INT_MAX}, Act::Code, SB_LINEDOWN, 200, "Change"},
    {"a negative line step beyond the limits saturates", {.line = INT_MIN}, Act::Code, SB_LINEUP, 200, "Change"},
    {"scroll to reports where the bar stopped", {}, Act::ScrollTo, 350, 200, "Scroll"},
    {"a range the page covers disables the bar", {.max = 100}, Act::Set, 0, 0, "", true, false},
    {"a non-zero value disables, not hides", {.max = 100, .disableNoScroll = kOne}, Act::Set, 0, 0, "", true, false},
    {"without disable-no-scroll it hides", {.max = 100, .disableNoScroll = kFalse}, Act::Set, 0, 0, "", false},
    {"visible shows for exactly -1 only", {.visible = kOne}, Act::Set, 0, 100, "", false},
    {"up key", {}, Act::Key, VK_UP, 95, "Change"},
    {"page down key", {}, Act::Key, VK_NEXT, 200, "Change"},
    {"home key", {.min = 7}, Act::Key, VK_HOME, 7, "Change"},
    {"end key", {}, Act::Key, VK_END, 200, "Change"},
    {"right key", {}, Act::Key, VK_RIGHT, 105, "Change"},
    {"left key", {}, Act::Key, VK_LEFT, 95, "Change"},
    {"an auto-repeat of the down key steps once more", {.pos = 105}, Act::Repeat, VK_DOWN, 110, "Change"},
    {"left key without a visible horizontal bar", {.visible = kOne}, Act::Key, VK_LEFT, 100, "", false},
    {"a key that does not scroll", {}, Act::Key, 'A', 100, ""},
    {"keyboard off passes keys on unchanged", {.keyboard = kFalse}, Act::Key, VK_DOWN, 100, ""},
    {"the page up key glides", {.smooth = 40}, Act::Key, VK_PRIOR, 0, "Change"},
    {"two wheel notches in one glide add up", {.line = 30, .smooth = 40}, Act::By, 30, 160, "Change"},
    {"a glide beyond the end turns back from there", {.line = -10, .smooth = 40}, Act::By, 150, 190, "Change"},
    {"a setter of the other bar lets the glide go on", {.smooth = 40}, Act::Other, 60, 160, "Change"},
};
// clang-format on

inline void RunScrollBarCase(const ScrollBarCase& c, bool h) {
    const bool key = c.act == Act::Key || c.act == Act::Repeat, passed = key && !*c.event;
    if (key && (c.arg == VK_LEFT || c.arg == VK_RIGHT) != h) return;  // a key acts on its own bar only
    SCOPED_TRACE(std::string(h ? "horizontal: " : "vertical: ") + c.name);
    Controlled t(NewWindow());
    t.Set(h, c.start);
    const unsigned int message = key ? WM_KEYDOWN : h ? WM_HSCROLL : WM_VSCROLL, code = c.arg;
    // A key's repeat count is 1, bit 30 set when it was down already; 0x1234 is no window's handle.
    const win::LParam lParam = c.act == Act::Repeat ? 0x40000001 : c.act == Act::ControlCode ? 0x1234 : key ? 1 : 0;
    // clang-format off
    switch (c.act) {
    case Act::Set: break;
    case Act::ScrollTo: BRENNICK_BAR(t.bars, h, ScrollTo(c.arg)); break;
    case Act::By: BRENNICK_BAR(t.bars, h, ScrollBy(c.arg)), BRENNICK_BAR(t.bars, h, ScrollBy(c.start.line)); break;
    case Act::Other: BRENNICK_BAR(t.bars, h, ScrollBy(c.arg)), BRENNICK_BAR(t.bars, !h, Value(0)); break;
    default: EXPECT_EQ(SendMessageA(t.window, message, code, lParam), passed ? 7 : 0) << "consumed";
    }
    // clang-format on
    if (c.start.smooth) Pump(200);
    EXPECT_EQ(OwnProcedureSaw(t.window, message), (passed ? Got{{code, lParam}} : Got{}))
        << "scroll messages and scrolling keys are consumed, other keys go on unchanged";
    EXPECT_EQ(t.events.size(), *c.event ? (c.start.smooth ? 4u : 1u) + (c.act == Act::By) : 0u) << "events";
    for (std::size_t i = 0; i < t.events.size(); ++i) {
        const std::int32_t before = i ? t.events[i - 1].second : c.start.pos, now = t.events[i].second;
        EXPECT_EQ(t.events[i].first, std::string(h ? "H" : "V") + c.event) << "event " << i;
        EXPECT_TRUE(c.position >= c.start.pos ? before <= now : before >= now) << "each step closer, " << i;
        EXPECT_TRUE(i > 0 || !c.start.smooth || (now - c.start.pos) * (c.position - now) > 0) << "a glide starts short";
    }
    EXPECT_EQ(t.events.empty() ? c.position : t.events.back().second, c.position) << "the last event lands on the bar";
    EXPECT_FALSE(KillTimer(t.window, reinterpret_cast<UINT_PTR>(t.bars.Get()))) << "no timer left";
    EXPECT_EQ(BRENNICK_BAR(t.bars, h, Value()), c.position) << "position";
    EXPECT_EQ(BRENNICK_BAR(t.bars, h, LastPos()), c.position) << "last position";
    EXPECT_EQ(BRENNICK_BAR(t.bars, !h, LastPos()), 0) << "the other bar's last position";
    EXPECT_EQ(Shown(t.window, h ? SB_HORZ : SB_VERT), c.shown) << "shown";
    EXPECT_EQ(Enabled(t.window, h ? SB_HORZ : SB_VERT), c.enabled) << "enabled";
}

}  // namespace brennick::test
