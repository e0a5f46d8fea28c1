#include "SelfCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ExampleWindow.h"
#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>

namespace example {
namespace {

class Checks {
public:
    void Expect(bool holds, const std::string& what) {
        ++count_;
        if (!holds) failures_.push_back(what);
    }
    int Report() const {
        if (failures_.empty()) {
            std::printf("example self-check: passed (%d checks)\n", count_);
        } else {
            std::printf("example self-check: FAILED (%d of %d checks)\n", static_cast<int>(failures_.size()), count_);
            for (const std::string& failure : failures_) std::printf("  not so: %s\n", failure.c_str());
        }
        std::fflush(stdout);
        return failures_.empty() ? 0 : 1;
    }

private:
    int count_ = 0;
    std::vector<std::string> failures_;
};

SCROLLINFO BarInfo(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

bool BarShown(HWND window, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    return GetScrollBarInfo(window, object, &info) && (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) == 0;
}

bool Configured(const SCROLLINFO& info, std::int32_t units, std::int32_t page) {
    return info.nMin == 0 && info.nMax == units - 1 && info.nPage == static_cast<UINT>(page) && info.nPos == 0;
}

LRESULT Scroll(HWND window, UINT message, int code) {
    return SendMessageA(window, message, static_cast<WPARAM>(code), 0);
}

// The events raised since the window had seen `before` of them.
std::vector<std::string> EventsSince(const ExampleWindow& window, std::size_t before) {
    const std::vector<std::string>& events = window.Events();
    return {events.begin() + static_cast<std::ptrdiff_t>(std::min(before, events.size())), events.end()};
}

std::string Event(const char* name, std::int32_t value) { return std::string(name) + " " + std::to_string(value); }

// Lets the glides of the steps so far run to their end: the timer's messages are dispatched here.
void Settle() {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(4 * kGlideMilliseconds);
         Sleep(1)) {
        for (MSG message{}; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    }
}

// Whether events are a glide of name's event: more than one step, each closer to the last, which is at.
bool Glided(const std::vector<std::string>& events, const char* name, std::int32_t from, std::int32_t at) {
    bool closer = events.size() > 1 && events.back() == Event(name, at);
    for (const std::string& event : events) {
        const std::size_t space = event.find(' ');
        const std::int32_t position = space == std::string::npos ? from : std::stoi(event.substr(space + 1));
        closer = closer && event.compare(0, space, name) == 0 && (at >= from ? position >= from : position <= from);
        from = position;
    }
    return closer;
}

std::uintptr_t WindowProcedure(HWND window) {
    return static_cast<std::uintptr_t>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

std::uintptr_t ClassProcedure(HWND window) {
    return static_cast<std::uintptr_t>(GetClassLongPtrA(window, GCLP_WNDPROC));
}

}  // namespace

int RunSelfCheck(HINSTANCE instance) {
    ExampleWindow window(instance);
    Checks checks;
    const HWND panel = window.Panel();
    checks.Expect(panel != nullptr, "the example window and its panel are created");
    if (panel == nullptr) return checks.Report();

    const LONG_PTR style = GetWindowLongPtrA(panel, GWL_STYLE);
    checks.Expect((style & WS_VSCROLL) != 0 && (style & WS_HSCROLL) != 0, "the panel has the scroll-bar styles");
    checks.Expect(BarShown(panel, OBJID_VSCROLL) && BarShown(panel, OBJID_HSCROLL),
                  "GetScrollBarInfo reports both bars shown");
    checks.Expect(Configured(BarInfo(panel, SB_VERT), kRows, kPageRows), "the vertical bar holds 0..99, page 10, at 0");
    checks.Expect(Configured(BarInfo(panel, SB_HORZ), kColumns, kPageColumns),
                  "the horizontal bar holds 0..79, page 20, at 0");

    // Line and page steps glide: a few steps on a timer, each raising VChange, the last exact.
    std::size_t seen = window.Events().size();
    checks.Expect(Scroll(panel, WM_VSCROLL, SB_LINEDOWN) == 0, "WM_VSCROLL is answered with 0");
    Settle();
    checks.Expect(BarInfo(panel, SB_VERT).nPos == 1, "a line down moves the vertical bar by one row");
    checks.Expect(Glided(EventsSince(window, seen), "VChange", 0, 1), "a line down glides, raising VChange up to 1");

    seen = window.Events().size();
    Scroll(panel, WM_VSCROLL, SB_PAGEDOWN);
    Settle();
    checks.Expect(
        Glided(EventsSince(window, seen), "VChange", 1, 1 + kPageRows) && BarInfo(panel, SB_VERT).nPos == 1 + kPageRows,
        "a page down glides by the page, raising VChange up to 11");

    // The window limits the last position to max - page + 1.
    seen = window.Events().size();
    checks.Expect(Scroll(panel, WM_HSCROLL, SB_RIGHT) == 0, "WM_HSCROLL is answered with 0");
    checks.Expect(EventsSince(window, seen) == std::vector{Event("HChange", kColumns - kPageColumns)} &&
                      BarInfo(panel, SB_HORZ).nPos == kColumns - kPageColumns,
                  "the right end moves the horizontal bar to 60 and raises HChange 60");

    // The wheel, by the session's settings of the moment, which this check sets (nothing is saved)
    // and puts back: WM_SETTINGCHANGE reaches the frame, which passes it on to the panel.
    UINT oldLines = 0, oldChars = 0;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &oldLines, 0);
    SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS, 0, &oldChars, 0);
    const auto settings = [&](UINT lines, UINT chars) {
        SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
        SystemParametersInfoA(SPI_SETWHEELSCROLLCHARS, chars, nullptr, 0);
        SendMessageA(window.Frame(), WM_SETTINGCHANGE, SPI_SETWHEELSCROLLLINES, 0);
    };
    const auto wheel = [&](UINT message, int amount, WPARAM keys = 0) {
        const LRESULT result =
            SendMessageA(panel, message, static_cast<WPARAM>(static_cast<std::uint16_t>(amount)) << 16 | keys, 0);
        Settle();
        return result;
    };
    const auto at = [&](int vertical, int horizontal) {
        Scroll(panel, WM_VSCROLL, SB_TOP), Scroll(panel, WM_HSCROLL, SB_LEFT);
        for (int row = 0; row < vertical; ++row) Scroll(panel, WM_VSCROLL, SB_LINEDOWN);
        for (int column = 0; column < horizontal; ++column) Scroll(panel, WM_HSCROLL, SB_LINERIGHT);
        Settle();
    };
    settings(3, 4);
    at(10, 0);
    seen = window.Events().size();
    checks.Expect(wheel(WM_MOUSEWHEEL, -WHEEL_DELTA) == 0, "the wheel message is consumed");
    std::vector<std::string> events = EventsSince(window, seen);
    checks.Expect(!events.empty() && events.front() == Event("WheelRotate", 1) &&
                      Glided({events.begin() + 1, events.end()}, "VChange", 10, 13),
                  "a notch is noted by the wheel hook, then glides three rows down, raising VChange");

    std::vector<std::int32_t> rows;
    for (int quarter = 0; quarter < 4; ++quarter)
        rows.push_back((wheel(WM_MOUSEWHEEL, -WHEEL_DELTA / 4), BarInfo(panel, SB_VERT).nPos));
    checks.Expect(rows == std::vector<std::int32_t>{13, 14, 15, 16},
                  "four quarters of a notch scroll its three rows as each row is whole");

    wheel(WM_MOUSEHWHEEL, WHEEL_DELTA);
    checks.Expect(BarInfo(panel, SB_HORZ).nPos == 4, "a tilt to the right moves four columns");
    wheel(WM_MOUSEWHEEL, -WHEEL_DELTA, MK_SHIFT);
    checks.Expect(BarInfo(panel, SB_HORZ).nPos == 8, "Shift with the wheel moves four columns more");

    settings(WHEEL_PAGESCROLL, WHEEL_PAGESCROLL);
    at(10, 10);
    wheel(WM_MOUSEWHEEL, -WHEEL_DELTA), wheel(WM_MOUSEHWHEEL, WHEEL_DELTA);
    checks.Expect(BarInfo(panel, SB_VERT).nPos == 10 + kPageRows, "in page mode a notch moves a page of rows");
    checks.Expect(BarInfo(panel, SB_HORZ).nPos == 10 + kPageColumns, "in page mode a tilt moves a page of columns");

    settings(5, 4);
    at(0, 0);
    seen = window.Events().size();
    SendMessageA(panel, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<std::uint16_t>(-WHEEL_DELTA)) << 16, 0);
    wheel(WM_MOUSEWHEEL, -WHEEL_DELTA);
    events = EventsSince(window, seen);
    std::erase(events, Event("WheelRotate", 1));
    checks.Expect(Glided(events, "VChange", 0, 10) && BarInfo(panel, SB_VERT).nPos == 10,
                  "after a settings change two quick notches glide on to ten rows");
    settings(oldLines, oldChars);

    // The middle button pans: the rows follow the pointer dragged below where it was pressed.
    at(0, 0);
    SendMessageA(panel, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(40, 20));
    SendMessageA(panel, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(40, 80));
    Settle();
    SendMessageA(panel, WM_MBUTTONUP, 0, MAKELPARAM(40, 80));
    const std::int32_t panned = BarInfo(panel, SB_VERT).nPos;
    checks.Expect(panned > 0 && GetCapture() != panel, "a middle-button drag pans down and lets go of the mouse");

    // A selection drag below the panel scrolls the rows down until the button is released.
    RECT client{};
    GetClientRect(panel, &client);
    SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 20));
    SendMessageA(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, client.bottom + 30));
    Settle();
    SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(40, client.bottom + 30));
    const std::int32_t dragged = BarInfo(panel, SB_VERT).nPos;
    Settle();
    checks.Expect(dragged > panned && BarInfo(panel, SB_VERT).nPos == dragged,
                  "a drag below the panel scrolls until the button goes up");

    // Keys scroll the panel: Down a row, End to the last page at once, Right a column; other keys go on.
    Scroll(panel, WM_VSCROLL, SB_TOP);
    Scroll(panel, WM_HSCROLL, SB_LEFT);
    std::vector<std::int32_t> keyed;
    for (const int key : {VK_DOWN, VK_END, VK_RIGHT}) {
        keyed.push_back(static_cast<std::int32_t>(SendMessageA(panel, WM_KEYDOWN, static_cast<WPARAM>(key), 1)));
        Settle();
        keyed.push_back(BarInfo(panel, key == VK_RIGHT ? SB_HORZ : SB_VERT).nPos);
    }
    seen = window.Events().size();
    SendMessageA(panel, WM_KEYDOWN, 'A', 1);
    checks.Expect(
        keyed == std::vector<std::int32_t>{0, 1, 0, kRows - kPageRows, 0, 1} && window.Events().size() == seen,
        "Down, End and Right are consumed and move to row 1, row 90 and column 1; another key raises nothing");

    window.ReleaseComponents();
    checks.Expect(WindowProcedure(panel) == ClassProcedure(panel), "after release the panel runs its own procedure");
    checks.Expect(GetPropA(panel, brennick::CScrollBars::kPropertyName) == nullptr &&
                      GetPropA(panel, brennick::cSubClassWheel::kPropertyName) == nullptr,
                  "after release the panel carries neither component's property");
    seen = window.Events().size();
    Scroll(panel, WM_VSCROLL, SB_LINEDOWN);
    checks.Expect(window.Events().size() == seen, "after release a scroll message raises no event");

    return checks.Report();
}

}  // namespace example
