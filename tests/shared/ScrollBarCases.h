// The scroll-bar cases: a controller configures a bar, one message or call acts on it, and the
// bar's position, the events raised and the bar's look follow. The same table runs over the
// recording double and over real windows, so the double's copy of the system's rules cannot drift.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include <brennick/CScrollBars.h>

#include "platform/Win32Constants.h"

namespace brennick::test {

// ControlCode: a scroll code whose lParam names a scroll-bar control. Key: WM_KEYDOWN of the key
// arg (Left and Right on the horizontal bar, the others on the vertical one), also with the
// keyboard switch off; Repeat: as an auto-repeat. By: ScrollBy arg, then ScrollBy line, as two quick
// wheel notches. Other: ScrollBy arg, then a setter of the other bar while the step glides.
enum class Act { Code, ControlCode, ScrollTo, Value, Min, Max, Visible, Key, Repeat, By, Other };
struct BarStart {
    std::int32_t min = 0, max = 400, page = 201, pos = 100, line = 5, smooth = 0;
    Bool16 disableNoScroll = kTrue, hVisible = kTrue;
};
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
    {"line down", {}, Act::Code, SB_LINEDOWN, 105, "Change"},
    {"line up", {}, Act::Code, SB_LINEUP, 95, "Change"},
    {"a scroll-bar control's line down moves the window's own bar", {}, Act::ControlCode, SB_LINEDOWN, 105, "Change"},
    {"page down stops a page short of max", {}, Act::Code, SB_PAGEDOWN, 200, "Change"},
    {"page up stops at min", {}, Act::Code, SB_PAGEUP, 0, "Change"},
    {"bottom", {}, Act::Code, SB_BOTTOM, 200, "Change"},
    {"top", {.min = 7}, Act::Code, SB_TOP, 7, "Change"},
    {"line down at the end reports again", {.pos = 200}, Act::Code, SB_LINEDOWN, 200, "Change"},
    {"thumb track without a drag", {}, Act::Code, SB_THUMBTRACK, 100, "Scroll"},
    {"thumb position without a drag", {}, Act::Code, SB_THUMBPOSITION, 100, "Scroll"},
    {"end scroll does nothing", {}, Act::Code, SB_ENDSCROLL, 100, ""},
    {"an unknown code does nothing", {}, Act::Code, 9, 100, ""},
    {"a line step beyond the limits saturates", {.line = INT_MAX}, Act::Code, SB_LINEDOWN, 200, "Change"},
    {"a negative line step beyond the limits saturates", {.line = INT_MIN}, Act::Code, SB_LINEUP, 200, "Change"},
    {"scroll to reports where the bar stopped", {}, Act::ScrollTo, 350, 200, "Scroll"},
    {"setting the value raises nothing", {}, Act::Value, 350, 200, ""},
    {"a range the page covers disables the bar", {}, Act::Max, 100, 0, "", true, false},
    {"any non-zero value disables rather than hides", {.disableNoScroll = Bool16(std::int16_t{1})}, Act::Max, 100, 0,
     "",
     true, false},
    {"without disable-no-scroll an unneeded bar hides", {.disableNoScroll = kFalse}, Act::Max, 100, 0, "", false},
    {"min moves with max kept", {}, Act::Min, 50, 100, ""},
    {"visible false hides", {}, Act::Visible, 0, 100, "", false},
    {"visible shows for exactly -1 only", {}, Act::Visible, 1, 100, "", false},
    {"the thumb reports positions beyond 16 bits", {.max = 1'000'000, .page = 10, .pos = 70'000}, Act::Code,
     SB_THUMBPOSITION, 70'000, "Scroll"},
    {"down key", {}, Act::Key, VK_DOWN, 105, "Change"},
    {"up key", {}, Act::Key, VK_UP, 95, "Change"},
    {"page down key", {}, Act::Key, VK_NEXT, 200, "Change"},
    {"page up key", {}, Act::Key, VK_PRIOR, 0, "Change"},
    {"home key", {.min = 7}, Act::Key, VK_HOME, 7, "Change"},
    {"end key", {}, Act::Key, VK_END, 200, "Change"},
    {"right key", {}, Act::Key, VK_RIGHT, 105, "Change"},
    {"left key", {}, Act::Key, VK_LEFT, 95, "Change"},
    {"an auto-repeat steps once more", {.pos = 105}, Act::Repeat, VK_DOWN, 110, "Change"},
    {"right key without a visible horizontal bar", {.hVisible = kFalse}, Act::Key, VK_RIGHT, 100, "", false},
    {"left key without a visible horizontal bar", {.hVisible = Bool16(std::int16_t{1})}, Act::Key, VK_LEFT, 100, "",
     false},
    {"a key that does not scroll", {}, Act::Key, 'A', 100, ""},
    {"two steps by at once", {.line = 30}, Act::By, 30, 160, "Change"},
    {"a line glides", {.smooth = 40}, Act::Code, SB_LINEDOWN, 105, "Change"},
    {"a page glides and stops where the bar does", {.pos = 150, .smooth = 40}, Act::Code, SB_PAGEDOWN, 200, "Change"},
    {"a key glides", {.smooth = 40}, Act::Key, VK_PRIOR, 0, "Change"},
    {"two wheel notches in one glide add up", {.line = 30, .smooth = 40}, Act::By, 30, 160, "Change"},
    {"a glide beyond the end turns back from there", {.line = -10, .smooth = 40}, Act::By, 150, 190, "Change"},
    {"a setter of the other bar lets the glide go on", {.smooth = 40}, Act::Other, 60, 160, "Change"},
};
// clang-format on

// Backend: NewWindow() -> win::Hwnd; Send(window, message, wParam, lParam) -> win::LResult;
// OwnProcedureSaw(window, message) -> the wParams and lParams of that message its own procedure got;
// Shown(window, bar); Enabled(window, bar); Glide(window): runs its timers until a glide is over;
// KillTimer(window, id) -> whether that timer was still there.
template <class Backend>
void RunScrollBarCase(Backend& backend, const ScrollBarCase& c, int bar, bool keyboardOff) {
    const bool h = bar == SB_HORZ, key = c.act == Act::Key || c.act == Act::Repeat;
    const win::Hwnd window = backend.NewWindow();
    const auto bars = MakeRef<CScrollBars>();
    bars->SubClass(window);
    ASSERT_EQ(bars->TargetWnd(), window);
    std::vector<std::pair<std::string, std::int32_t>> events;
    for (const auto& [name, event] : {std::pair{"HChange", &bars->HChange},
                                      {"HScroll", &bars->HScroll},
                                      {"VChange", &bars->VChange},
                                      {"VScroll", &bars->VScroll}}) {
        event->Connect(
            [&events, name = std::string(name)](std::int32_t position) { events.emplace_back(name, position); });
    }
    h ? bars->HVisible(kTrue) : bars->VVisible(kTrue);
    h ? bars->HDisableNoScroll(c.start.disableNoScroll) : bars->VDisableNoScroll(c.start.disableNoScroll);
    h ? bars->HMax(c.start.max) : bars->VMax(c.start.max);
    h ? bars->HMin(c.start.min) : bars->VMin(c.start.min);
    h ? bars->HLargeChange(c.start.page) : bars->VLargeChange(c.start.page);
    h ? bars->HSmallChange(c.start.line) : bars->VSmallChange(c.start.line);
    const auto setValue = [&](int which, std::int32_t value) {
        which == SB_HORZ ? bars->HValue(value) : bars->VValue(value);
    };
    const auto scrollBy = [&](std::int32_t amount) { h ? bars->HScrollBy(amount) : bars->VScrollBy(amount); };
    setValue(bar, c.start.pos);
    bars->KeyboardSupport(Bool16::From(!keyboardOff)), bars->SmoothScroll(c.start.smooth);
    if (h) bars->HVisible(c.start.hVisible);
    const unsigned int message = key ? WM_KEYDOWN : h ? WM_HSCROLL : WM_VSCROLL;
    const win::LParam lParam = c.act == Act::Repeat ? 0x40000001 : 1;  // bit 30: the key was down already
    const bool reported = *c.event && !keyboardOff;
    const auto code = static_cast<unsigned int>(c.arg);
    // clang-format off
    switch (c.act) {
    case Act::Code: EXPECT_EQ(backend.Send(window, message, code, 0), 0) << "consumed"; break;
    case Act::ControlCode: backend.Send(window, message, code, reinterpret_cast<win::LParam>(window) + 4); break;
    case Act::ScrollTo: h ? bars->HScrollTo(c.arg) : bars->VScrollTo(c.arg); break;
    case Act::Value: setValue(bar, c.arg); break;
    case Act::Min: h ? bars->HMin(c.arg) : bars->VMin(c.arg); break;
    case Act::Max: h ? bars->HMax(c.arg) : bars->VMax(c.arg); break;
    case Act::Visible: h ? bars->HVisible(Bool16(std::int16_t(c.arg))) : bars->VVisible(Bool16(std::int16_t(c.arg)));
        break;
    case Act::Key: case Act::Repeat:
        EXPECT_EQ(backend.Send(window, message, code, lParam), reported ? 0 : 7) << "consumed";
        break;
    case Act::By: scrollBy(c.arg), scrollBy(c.start.line); break;
    case Act::Other: scrollBy(c.arg), setValue(1 - bar, 0); break;
    }
    // clang-format on
    if (c.start.smooth) backend.Glide(window);
    using Seen = std::vector<std::pair<win::WParam, win::LParam>>;
    const Seen passed = key && !reported ? Seen{{code, lParam}} : Seen{};
    EXPECT_EQ(backend.OwnProcedureSaw(window, message), passed)
        << "scroll messages and scrolling keys are consumed, other keys go on unchanged";
    const std::int32_t position = reported || !key ? c.position : c.start.pos;
    const std::size_t count = !reported ? 0 : (c.start.smooth ? 4 : 1) + (c.act == Act::By);
    ASSERT_EQ(events.size(), count) << "events";
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t before = i ? events[i - 1].second : c.start.pos, now = events[i].second;
        EXPECT_EQ(events[i].first, std::string(h ? "H" : "V") + c.event) << "event " << i;
        EXPECT_TRUE(position >= c.start.pos ? before <= now : before >= now) << "each step closer, " << i;
        EXPECT_TRUE(i > 0 || !c.start.smooth || (now - c.start.pos) * (position - now) > 0)
            << "a glide's first step falls short";
    }
    if (count > 0) {
        EXPECT_EQ(events.back().second, position) << "the last event lands where the bar is";
    }
    EXPECT_FALSE(backend.KillTimer(window, reinterpret_cast<std::uintptr_t>(bars.Get()))) << "no timer left";
    EXPECT_EQ(h ? bars->HValue() : bars->VValue(), position) << "position";
    EXPECT_EQ(h ? bars->HLastPos() : bars->VLastPos(), position) << "last position";
    EXPECT_EQ(h ? bars->VLastPos() : bars->HLastPos(), 0) << "the other bar's last position";
    EXPECT_EQ(backend.Shown(window, bar), c.shown) << "shown";
    EXPECT_EQ(backend.Enabled(window, bar), c.enabled) << "enabled";
}

template <class Backend>
void RunScrollBarCases(Backend& backend) {
    for (const int bar : {SB_HORZ, SB_VERT}) {
        for (const ScrollBarCase& c : kScrollBarCases) {
            const bool key = c.act == Act::Key || c.act == Act::Repeat;
            const bool vertical = key && c.arg != VK_LEFT && c.arg != VK_RIGHT && c.arg != 'A';
            if (key && vertical == (bar == SB_HORZ)) continue;
            for (const bool keyboardOff : {false, true}) {
                if (keyboardOff && !key) continue;
                SCOPED_TRACE(std::string(bar == SB_HORZ ? "horizontal: " : "vertical: ") + c.name +
                             (keyboardOff ? ", keyboard off" : ""));
                RunScrollBarCase(backend, c, bar, keyboardOff);
            }
        }
    }
}

}  // namespace brennick::test
