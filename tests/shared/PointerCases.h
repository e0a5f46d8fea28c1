// The pointer switches of CScrollBars: the wheel that scrolls by itself, the middle-button pan and
// the scrolling at the edge of a drag. The same tables run over the recording double and over real
// windows. Both bars run 0..1000 from 500, with a line of 2; the horizontal page is 20, the vertical 10.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <brennick/CScrollBars.h>

#include "platform/Win32Constants.h"

namespace brennick::test {

// Backend, besides the scroll-bar cases' own: Settings(lines, chars) sets the system's wheel
// settings; Capture(window) gives it the mouse capture, Capture(nullptr) ends the capture;
// Captured() -> the window holding it; Size(window) -> its client area's width and height.
template <class Backend>
struct Pointed {
    Backend& backend;
    win::Hwnd window = backend.NewWindow();
    Ref<CScrollBars> bars = MakeRef<CScrollBars>();
    std::vector<std::int32_t> h, v;  // the HChange and VChange events, in order
    explicit Pointed(Backend& b) : backend(b) {
        bars->SubClass(window);
        for (const auto& [event, seen] : {std::pair{&bars->HChange, &h}, {&bars->VChange, &v}}) {
            event->Connect([seen = seen](std::int32_t position) { seen->push_back(position); });
        }
        bars->HVisible(kTrue), bars->VVisible(kTrue), bars->HMax(1000), bars->VMax(1000);
        bars->HLargeChange(20), bars->VLargeChange(10), bars->HSmallChange(2), bars->VSmallChange(2);
        bars->HValue(500), bars->VValue(500);
    }
    std::int32_t Position(int bar) { return bar == SB_HORZ ? bars->HValue() : bars->VValue(); }
};

// A notch is 120; amounts as the message carries them (vertical: positive away from the user).
// changes: the Change events raised; changedLines: a settings change to that many lines first.
struct WheelScrollCase {
    const char* name;
    std::int32_t lines, chars;
    bool horizontal;
    std::vector<int> amounts;
    int keys = 0;
    std::int32_t h = 500, v = 500;
    std::size_t changes = 1;
    Bool16 takenOver = kFalse, on = kTrue;
    std::int32_t smooth = 0, changedLines = 0;
};
inline const WheelScrollCase kWheelScrollCases[] = {
    {"off, the wheel scrolls nothing", 3, 3, false, {-120}, 0, 500, 500, 0, kFalse, kFalse},
    {"a notch toward the user: three lines down", 3, 3, false, {-120}, 0, 500, 506},
    {"a notch away from the user: up", 3, 3, false, {120}, 0, 500, 494},
    {"page mode: a page a notch", WHEEL_PAGESCROLL, 3, false, {-120}, 0, 500, 510},
    {"parts of a notch add up", 3, 3, false, {-30, -30, -30, -30}, 0, 500, 506, 4},
    {"a turn back starts the parts afresh", 3, 3, false, {-60, 30, -60}, 0, 500, 505, 3},
    {"the tilt moves the columns by the characters", 3, 4, true, {120}, 0, 508, 500},
    {"the tilt in page mode: a page of columns", 3, WHEEL_PAGESCROLL, true, {-120}, 0, 480, 500},
    {"Shift turns the wheel sideways", 3, 4, false, {-120}, MK_SHIFT, 508, 500},
    {"a handler that takes the message over scrolls nothing", 3, 3, false, {-120}, 0, 500, 500, 0, kTrue},
    {"a settings change is read again", 3, 3, false, {-120}, 0, 500, 510, 1, kFalse, kTrue, 0, 5},
    {"a notch glides", 3, 3, false, {-120}, 0, 500, 506, 4, kFalse, kTrue, 40},
};

template <class Backend>
void RunWheelScrollCases(Backend& backend) {
    for (const WheelScrollCase& c : kWheelScrollCases) {
        SCOPED_TRACE(c.name);
        backend.Settings(c.lines, c.chars);
        Pointed<Backend> p(backend);
        p.bars->WheelSupport(kTrue), p.bars->HWheelSupport(kTrue), p.bars->SmoothScroll(c.smooth);
        p.bars->WheelScroll(c.on);
        for (auto* event : {&p.bars->WheelRotate, &p.bars->HWheelRotate}) {
            event->Connect([&](auto&&, auto&&, auto&&, auto&&, Bool16& taken) { taken = c.takenOver; });
        }
        if (c.changedLines != 0)
            backend.Settings(c.changedLines, c.chars), backend.Send(p.window, WM_SETTINGCHANGE, 0, 0);
        const unsigned int message = c.horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
        for (const int amount : c.amounts) {
            const auto wParam = static_cast<win::WParam>(static_cast<std::uint32_t>(amount) << 16 | c.keys);
            EXPECT_EQ(p.backend.Send(p.window, message, wParam, 0), 0) << "consumed";
        }
        if (c.smooth != 0) backend.Glide(p.window);
        EXPECT_EQ(p.Position(SB_HORZ), c.h) << "horizontal";
        EXPECT_EQ(p.Position(SB_VERT), c.v) << "vertical";
        EXPECT_EQ(p.h.size() + p.v.size(), c.changes) << "a Change event a step";
    }
    backend.Settings(3, 3);
}

// A step of a pointer row: a middle-button press or release, a move, a round of timer ticks, a
// left-button press, a wheel turn, Esc, the focus lost, the mouse capture taken or ended, the
// controller released, the window destroyed. Coordinates are in the window's client area, or, from
// 10000 on, that far beyond its right or bottom edge (10020: 20 pixels beyond).
enum class Do { MDown, MUp, Move, Ticks, LDown, Wheel, Esc, Unfocus, Capture, Uncapture, Release, Destroy };
struct PointerAct {
    Do what;
    int x = 0, y = 0;
};
// Each bar's step a tick, as the last two of its events show (0: it did not move); whether the
// window holds the capture at the end and a pan or edge timer is left, and how many middle-button
// messages the window's own procedure got.
struct PointerCase {
    const char* name;
    Bool16 pan, edge;
    std::vector<PointerAct> acts;
    std::int32_t stepH = 0, stepV = 0;
    bool captured = false, timer = false;
    int middleSeen = 0;
};
// clang-format off
inline const PointerCase kPointerCases[] = {
    {"a drag pans toward the pointer", kTrue, kFalse,
     {{Do::MDown, 50, 40}, {Do::Move, 50, 80}, {Do::Ticks}, {Do::MUp, 50, 80}}, 0, 6},
    {"further away pans faster", kTrue, kFalse,
     {{Do::MDown, 50, 40}, {Do::Move, 50, 120}, {Do::Ticks}, {Do::MUp, 50, 120}}, 0, 10},
    {"the dead zone pans nothing", kTrue, kFalse,
     {{Do::MDown, 50, 40}, {Do::Move, 56, 46}, {Do::Ticks}}, 0, 0, true, true},
    {"a click leaves the pan going, both ways", kTrue, kFalse,
     {{Do::MDown, 50, 40}, {Do::MUp, 50, 40}, {Do::Move, 20, 10}, {Do::Ticks}}, -4, -4, true, true},
    {"a press ends it", kTrue, kFalse, {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::LDown}, {Do::Ticks}}},
    {"a middle click ends it, unseen", kTrue, kFalse,
     {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::MDown}, {Do::MUp}, {Do::Ticks}}},
    {"the wheel ends it", kTrue, kFalse,
     {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::Wheel}, {Do::Ticks}}},
    {"Esc ends it", kTrue, kFalse, {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::Esc}, {Do::Ticks}}},
    {"a lost capture ends it", kTrue, kFalse,
     {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::Uncapture}, {Do::Ticks}}},
    {"a lost focus ends it", kTrue, kFalse,
     {{Do::MDown, 50, 40}, {Do::MUp}, {Do::Move, 50, 80}, {Do::Unfocus}, {Do::Ticks}}},
    {"a release ends it", kTrue, kFalse, {{Do::MDown, 50, 40}, {Do::Move, 50, 80}, {Do::Release}, {Do::Ticks}}},
    {"the window's end ends it", kTrue, kFalse, {{Do::MDown, 50, 40}, {Do::Move, 50, 80}, {Do::Destroy}, {Do::Ticks}}},
    {"off, the window sees the middle button and nothing pans", kFalse, kFalse,
     {{Do::MDown, 50, 40}, {Do::Move, 50, 80}, {Do::Ticks}, {Do::MUp}}, 0, 0, false, false, 2},
    {"beyond the right and bottom edges while captured", kFalse, kTrue,
     {{Do::Capture}, {Do::Move, 10019, 10039}, {Do::Ticks}}, 4, 8, true, true},
    {"beyond the left and top edges", kFalse, kTrue,
     {{Do::Capture}, {Do::Move, -10, -30}, {Do::Ticks}}, -4, -6, true, true},
    {"within the margin inside an edge", kFalse, kTrue,
     {{Do::Capture}, {Do::Move, 9997, 30}, {Do::Ticks}}, 2, 0, true, true},
    {"without the capture nothing scrolls", kFalse, kTrue, {{Do::Move, 10019, 10039}, {Do::Ticks}}},
    {"the end of the capture stops it", kFalse, kTrue,
     {{Do::Capture}, {Do::Move, 10019, 30}, {Do::Uncapture}, {Do::Ticks}}},
    {"the pointer coming back stops it", kFalse, kTrue,
     {{Do::Capture}, {Do::Move, 10019, 30}, {Do::Move, 50, 30}, {Do::Ticks}}, 0, 0, true},
    {"a release stops it", kFalse, kTrue,
     {{Do::Capture}, {Do::Move, 10019, 30}, {Do::Release}, {Do::Ticks}}, 0, 0, true},
    {"off, nothing scrolls at an edge", kFalse, kFalse,
     {{Do::Capture}, {Do::Move, 10019, 10039}, {Do::Ticks}}, 0, 0, true},
};
// clang-format on

template <class Backend>
void RunPointerCases(Backend& backend) {
    for (const PointerCase& c : kPointerCases) {
        SCOPED_TRACE(c.name);
        Pointed<Backend> p(backend);
        p.bars->PanSupport(c.pan), p.bars->EdgeScroll(c.edge);
        const auto [width, height] = backend.Size(p.window);
        const auto at = [&, w = width, ht = height](const PointerAct& a) {
            const int x = a.x >= 9000 ? w + a.x - 10000 : a.x, y = a.y >= 9000 ? ht + a.y - 10000 : a.y;
            return static_cast<win::LParam>(static_cast<std::uint16_t>(x) | static_cast<std::uint32_t>(y) << 16);
        };
        const auto ours = reinterpret_cast<std::uintptr_t>(p.bars.Get());
        const win::Hwnd window = p.window;
        int moves = 0;
        bool destroyed = false;
        for (const PointerAct& a : c.acts) {
            // clang-format off
            switch (a.what) {
            case Do::MDown: backend.Send(window, WM_MBUTTONDOWN, MK_MBUTTON, at(a)); break;
            case Do::MUp: backend.Send(window, WM_MBUTTONUP, 0, at(a)); break;
            case Do::Move: backend.Send(window, WM_MOUSEMOVE, 0, at(a)), ++moves; break;
            case Do::Ticks: backend.Glide(window); break;
            case Do::LDown: backend.Send(window, WM_LBUTTONDOWN, MK_LBUTTON, at(a)); break;
            case Do::Wheel: backend.Send(window, WM_MOUSEWHEEL, 0, 0); break;
            case Do::Esc: backend.Send(window, WM_KEYDOWN, VK_ESCAPE, 1); break;
            case Do::Unfocus: backend.Send(window, WM_KILLFOCUS, 0, 0); break;
            case Do::Capture: backend.Capture(window); break;
            case Do::Uncapture: backend.Capture(nullptr); break;
            case Do::Release: p.bars.Reset(); break;
            case Do::Destroy: backend.Destroy(window), destroyed = true; break;
            }
            // clang-format on
        }
        // Where a pan or an edge scroll ended, one more round of ticks moves nothing.
        const std::size_t events = p.h.size() + p.v.size();
        backend.Glide(window);
        if (!c.timer) EXPECT_EQ(p.h.size() + p.v.size(), events) << "nothing after the end";
        const auto step = [](const std::vector<std::int32_t>& e) {
            return e.size() < 2 ? 0 : e.back() - e[e.size() - 2];
        };
        EXPECT_EQ(step(p.h), c.stepH) << "the horizontal step a tick";
        EXPECT_EQ(step(p.v), c.stepV) << "the vertical step a tick";
        EXPECT_EQ(backend.Captured() == window, c.captured) << "the capture";
        const bool pan = backend.KillTimer(window, ours + 1), edge = backend.KillTimer(window, ours + 2);
        EXPECT_EQ(pan || edge, c.timer) << "a timer left";
        backend.Capture(nullptr);
        if (destroyed) continue;
        const auto seen = backend.OwnProcedureSaw(window, WM_MBUTTONDOWN).size() +
                          backend.OwnProcedureSaw(window, WM_MBUTTONUP).size();
        EXPECT_EQ(seen, static_cast<std::size_t>(c.middleSeen)) << "middle-button messages the window saw";
        EXPECT_EQ(backend.OwnProcedureSaw(window, WM_MOUSEMOVE).size(), static_cast<std::size_t>(moves))
            << "every move reaches the window";
    }
}

}  // namespace brennick::test
