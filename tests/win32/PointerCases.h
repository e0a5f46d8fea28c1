// The pointer switches of CScrollBars: the wheel that scrolls by itself, the middle-button pan and
// the scrolling at the edge of a drag, on real windows. Both bars run 0..1000 from 500, with a line of 2; the
// horizontal page is 20, the vertical 10.
#pragma once

#include "tests/win32/WheelCases.h"

namespace brennick::test {

// A step of a row: a switch turned off (WheelScroll, PanSupport, EdgeScroll); both bars' line set to
// x; a handler that takes the wheel messages over; the system's wheel settings as lines x and characters y, announced;
// a turn of the wheel or of the tilt by x, with the keys y; a middle-button press or release, a move, a round of timer
// ticks, a left-button press, Esc, the focus lost, the mouse capture taken or ended, the controller released, the
// window destroyed. Coordinates are in the window's client area, or, from 10000 on, that far beyond its right or bottom
// edge (10020: 20 pixels beyond).
// clang-format off
enum class Do { WheelOff, PanOff, EdgeOff, Line, TakeOver, Settings, Wheel, HWheel,
                MDown, MUp, Move, Ticks, LDown, Esc, Unfocus, Capture, Uncapture, Release, Destroy };
// clang-format on
struct PointerAct {
    Do what;
    int x = 0, y = 0;
};
// Each row starts with the three switches on and the wheel settings at 3 lines and 3 characters,
// and ends with a round of timer ticks. It gives the move of each bar's last Change event (of its
// first: from 500; 0: it never moved); whether the window holds the capture at the end and a pan or
// edge timer is left; how many middle-button messages the window's own procedure got.
struct PointerCase {
    const char* name;
    std::vector<PointerAct> acts;
    std::int32_t moveH = 0, moveV = 0;
    bool captured = false, timer = false;
    std::size_t middleSeen = 0;
};

inline constexpr int kPageScroll = -1;  // WHEEL_PAGESCROLL, as a setting of lines or characters
// A notch is 120; amounts as the message carries them (vertical: positive away from the user).
// clang-format off
inline const PointerCase kWheelScrollCases[] = {
    {"off, the wheel scrolls nothing", {{Do::WheelOff}, {Do::Wheel, -120}}},
    {"a notch toward the user: three lines down", {{Do::Wheel, -120}}, 0, 6},
    {"page mode, announced: a page a notch", {{Do::Settings, kPageScroll, 3}, {Do::Wheel, -120}}, 0, 10},
    {"a quarter notch is a line and a half, the half kept", {{Do::Wheel, -30}, {Do::Wheel, -30}}, 0, 2},
    {"a turn back starts the parts afresh", {{Do::Wheel, -60}, {Do::Wheel, 30}, {Do::Wheel, -60}}, 0, 3},
    {"the tilt moves the columns by the characters", {{Do::Settings, 3, 4}, {Do::HWheel, 120}}, 8},
    {"the tilt in page mode: a page of columns", {{Do::Settings, 3, kPageScroll}, {Do::HWheel, -120}}, -20},
    {"Shift turns the wheel sideways", {{Do::Settings, 3, 4}, {Do::Wheel, -120, MK_SHIFT}}, 8},
    {"a handler that takes the message over scrolls nothing", {{Do::TakeOver}, {Do::Wheel, -120}}},
};
inline const PointerCase kPointerCases[] = {
    {"a drag pans, faster further away, until released",
     {{Do::MDown, 50, 40}, {Do::Move, 50, 120}, {Do::Ticks}, {Do::MUp, 50, 120}}, 0, 10},
    {"to the dead zone's edge, a pan neither moves nor ends on release",
     {{Do::MDown, 50, 40}, {Do::Move, 58, 48}, {Do::MUp, 58, 48}}, 0, 0, true, true},
    {"a click pans on, both ways", {{Do::MDown, 50, 40}, {Do::MUp, 50, 40}, {Do::Move, 20, 10}}, -4, -4, true, true},
    {"a press ends it", {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::LDown}}},
    {"a middle click ends it, unseen", {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::MDown}, {Do::MUp}}},
    {"the wheel ends it", {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::Wheel}}},
    {"Esc ends it", {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::Esc}}},
    {"a lost capture ends it", {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::Uncapture}}},
    {"a lost focus ends it", {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::Unfocus}}},
    {"a release ends it", {{Do::MDown, 50, 40}, {Do::Move, 50, 80}, {Do::Release}}},
    {"the window's end ends it", {{Do::MDown, 50, 40}, {Do::Move, 50, 80}, {Do::Destroy}}},
    {"a line of 0 pans a unit at a time",
     {{Do::Line, 0}, {Do::MDown, 50, 40}, {Do::Move, 50, 120}, {Do::Ticks}}, 0, 5, true, true},
    {"a negative line scrolls a unit toward the edge",
     {{Do::Line, -5}, {Do::Capture}, {Do::Move, 10019, 10039}}, 2, 4, true, true},
    {"off, the window sees the middle button", {{Do::PanOff}, {Do::MDown, 50, 40}, {Do::MUp}}, 0, 0, false, false, 2},
    {"beyond the right and bottom edges while captured", {{Do::Capture}, {Do::Move, 10019, 10039}}, 4, 8, true, true},
    {"beyond the left and top edges", {{Do::Capture}, {Do::Move, -10, -30}}, -4, -6, true, true},
    {"on the margin's first pixel inside an edge", {{Do::Capture}, {Do::Move, 9992, 30}}, 2, 0, true, true},
    {"without the capture nothing scrolls", {{Do::Move, 10019, 10039}}},
    {"the pointer coming back stops it", {{Do::Capture}, {Do::Move, 10019, 30}, {Do::Move, 50, 30}}, 0, 0, true},
    {"off, nothing scrolls at an edge", {{Do::EdgeOff}, {Do::Capture}, {Do::Move, 10019, 10039}}, 0, 0, true},
};
// clang-format on

inline void RunPointerCase(const PointerCase& c) {
    SCOPED_TRACE(c.name);
    WheelSettings(3, 3);
    Controlled p(NewWindow());  // both bars 0..1000 from 500, a line of 2; pages of 20 and 10
    p.Set(true, {.max = 1000, .page = 20, .pos = 500, .line = 2});
    p.Set(false, {.max = 1000, .page = 10, .pos = 500, .line = 2});
    p.bars->WheelScroll(kOne), p.bars->PanSupport(kOne), p.bars->EdgeScroll(kOne);  // any non-zero is on
    const win::Hwnd window = p.window;
    const auto ours = reinterpret_cast<UINT_PTR>(p.bars.Get());
    RECT size{};
    GetClientRect(window, &size);
    const auto at = [&](const PointerAct& a) {
        const int x = a.x >= 9000 ? size.right + a.x - 10000 : a.x, y = a.y >= 9000 ? size.bottom + a.y - 10000 : a.y;
        return static_cast<win::LParam>(static_cast<std::uint16_t>(x) | static_cast<std::uint32_t>(y) << 16);
    };
    const auto takeOver = [](auto&&, auto&&, auto&&, auto&&, Bool16& wheeled) { wheeled = kTrue; };
    std::size_t moves = 0;
    for (const PointerAct& a : c.acts) {
        // clang-format off
        switch (a.what) {
        case Do::WheelOff: p.bars->WheelScroll(kFalse); break;
        case Do::PanOff: p.bars->PanSupport(kFalse); break;
        case Do::EdgeOff: p.bars->EdgeScroll(kFalse); break;
        case Do::Line: p.bars->HSmallChange(a.x), p.bars->VSmallChange(a.x); break;
        case Do::TakeOver: p.bars->WheelSupport(kTrue), p.bars->WheelRotate.Connect(takeOver); break;
        case Do::Settings: WheelSettings(a.x, a.y), SendMessageA(window, WM_SETTINGCHANGE, 0, 0); break;
        case Do::Wheel: SendMessageA(window, WM_MOUSEWHEEL, WheelParam(a.x, a.y), 0); break;
        case Do::HWheel: SendMessageA(window, WM_MOUSEHWHEEL, WheelParam(a.x, a.y), 0); break;
        case Do::MDown: SendMessageA(window, WM_MBUTTONDOWN, MK_MBUTTON, at(a)); break;
        case Do::MUp: SendMessageA(window, WM_MBUTTONUP, 0, at(a)); break;
        case Do::Move: SendMessageA(window, WM_MOUSEMOVE, 0, at(a)), ++moves; break;
        case Do::Ticks: Pump(200); break;
        case Do::LDown: SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at(a)); break;
        case Do::Esc: SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1); break;
        case Do::Unfocus: SendMessageA(window, WM_KILLFOCUS, 0, 0); break;
        case Do::Capture: SetCapture(window); break;
        case Do::Uncapture: ReleaseCapture(); break;
        case Do::Release: p.bars.Reset(); break;
        case Do::Destroy: DestroyWindow(window); break;
        }
        // clang-format on
    }
    Pump(200);
    const auto lastMove = [&](char bar) {  // the bar's last Change event's move (its first: from 500)
        std::int32_t last = 500, move = 0;
        for (const auto& [name, at] : p.events) {
            if (name[0] == bar) move = at - last, last = at;
        }
        return move;
    };
    EXPECT_EQ(lastMove('H'), c.moveH) << "the horizontal bar's last move";
    EXPECT_EQ(lastMove('V'), c.moveV) << "the vertical bar's last move";
    EXPECT_EQ(GetCapture() == window, c.captured) << "the capture";
    EXPECT_EQ(KillTimer(window, ours + 1) || KillTimer(window, ours + 2), c.timer) << "a timer left";
    ReleaseCapture();
    if (c.acts.back().what == Do::Destroy) return;  // nothing more to ask a window that is gone
    const auto seen = OwnProcedureSaw(window, WM_MBUTTONDOWN).size() + OwnProcedureSaw(window, WM_MBUTTONUP).size();
    EXPECT_EQ(seen, c.middleSeen) << "middle-button messages the window saw";
    EXPECT_EQ(OwnProcedureSaw(window, WM_MOUSEMOVE).size(), moves) << "every move reaches the window";
    EXPECT_TRUE(OwnProcedureSaw(window, WM_KEYDOWN).empty()) << "an Esc that ends a pan is the controller's";
}

}  // namespace brennick::test
