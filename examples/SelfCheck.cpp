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
    for (const DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(4 * kGlideMilliseconds); Sleep(1)) {
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
    checks.Expect(Configured(BarInfo(panel, SB_HORZ), kColumns, kPageColumns), "the horizontal bar holds 0..79, page 20, at 0");

    // Line and page steps glide: a few steps on a timer, each raising VChange, the last exact.
    std::size_t seen = window.Events().size();
    checks.Expect(Scroll(panel, WM_VSCROLL, SB_LINEDOWN) == 0, "WM_VSCROLL is answered with 0");
    Settle();
    checks.Expect(BarInfo(panel, SB_VERT).nPos == 1, "a line down moves the vertical bar by one row");
    checks.Expect(Glided(EventsSince(window, seen), "VChange", 0, 1), "a line down glides, raising VChange up to 1");

    seen = window.Events().size();
    Scroll(panel, WM_VSCROLL, SB_PAGEDOWN);
    Settle();
    checks.Expect(Glided(EventsSince(window, seen), "VChange", 1, 1 + kPageRows) && BarInfo(panel, SB_VERT).nPos == 1 + kPageRows,
                  "a page down glides by the page, raising VChange up to 11");

    // The window limits the last position to max - page + 1.
    seen = window.Events().size();
    checks.Expect(Scroll(panel, WM_HSCROLL, SB_RIGHT) == 0, "WM_HSCROLL is answered with 0");
    checks.Expect(EventsSince(window, seen) == std::vector{Event("HChange", kColumns - kPageColumns)} &&
                      BarInfo(panel, SB_HORZ).nPos == kColumns - kPageColumns,
                  "the right end moves the horizontal bar to 60 and raises HChange 60");

    // One notch toward the user: the wheel hook reports it, its handler scrolls and consumes it.
    const std::int32_t lines = window.WheelLines() == static_cast<std::int32_t>(WHEEL_PAGESCROLL) ? kPageRows : window.WheelLines();
    const std::int32_t wheeledTo = std::clamp(1 + kPageRows + lines, 0, kRows - kPageRows);
    seen = window.Events().size();
    auto wheel = [](int amount) { return static_cast<WPARAM>(static_cast<std::uint16_t>(amount)) << 16; };
    checks.Expect(SendMessageA(panel, WM_MOUSEWHEEL, wheel(-WHEEL_DELTA), 0) == 0, "the wheel message is consumed");
    Settle();
    std::vector<std::string> events = EventsSince(window, seen);
    checks.Expect(!events.empty() && events.front() == Event("WheelRotate", 1) &&
                      Glided({events.begin() + 1, events.end()}, "VChange", 1 + kPageRows, wheeledTo),
                  "the notch raises WheelRotate 1, and its handler's VScrollBy glides, raising VChange");
    checks.Expect(BarInfo(panel, SB_VERT).nPos == wheeledTo, "the notch scrolls by the wheel-lines setting");

    // A touchpad: four quarters of a notch scroll the rows a notch scrolls, a row at a time.
    std::vector<std::int32_t> rows;
    for (int quarter = 0; quarter < 4; ++quarter) {
        SendMessageA(panel, WM_MOUSEWHEEL, wheel(-WHEEL_DELTA / 4), 0);
        Settle();
        rows.push_back(BarInfo(panel, SB_VERT).nPos);
    }
    bool smooth = true;
    for (int quarter = 0; quarter < 4; ++quarter) {
        smooth = smooth && rows[static_cast<std::size_t>(quarter)] ==
                               std::min(wheeledTo + (quarter + 1) * lines / 4, kRows - kPageRows);
    }
    checks.Expect(smooth, "four quarters of a notch scroll its rows as soon as each row is whole");

    // A tilt to the right, and Shift with the wheel, move the columns by notches of the characters setting.
    const std::int32_t chars = window.WheelChars() == static_cast<std::int32_t>(WHEEL_PAGESCROLL) ? kPageColumns : window.WheelChars();
    Scroll(panel, WM_HSCROLL, SB_LEFT);
    SendMessageA(panel, WM_MOUSEHWHEEL, wheel(WHEEL_DELTA), 0);
    Settle();
    checks.Expect(BarInfo(panel, SB_HORZ).nPos == std::clamp(chars, 0, kColumns - kPageColumns), "a tilt to the right moves the columns by a notch");
    SendMessageA(panel, WM_MOUSEWHEEL, wheel(-WHEEL_DELTA) | MK_SHIFT, 0);
    Settle();
    checks.Expect(BarInfo(panel, SB_HORZ).nPos == std::clamp(2 * chars, 0, kColumns - kPageColumns), "Shift with the wheel moves the columns too");

    // A settings change: the system's wheel settings change for this session only (nothing is
    // saved, and they are put back at once) and WM_SETTINGCHANGE announces it to the frame.
    const std::int32_t readLines = window.WheelLines(), readChars = window.WheelChars();
    UINT oldLines = 0, oldChars = 0;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &oldLines, 0);
    SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS, 0, &oldChars, 0);
    const UINT newLines = oldLines == 4 ? 5 : 4, newChars = oldChars == 7 ? 6 : 7;
    const bool changed = SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, newLines, nullptr, 0) &&
                         SystemParametersInfoA(SPI_SETWHEELSCROLLCHARS, newChars, nullptr, 0);
    SendMessageA(window.Frame(), WM_SETTINGCHANGE, SPI_SETWHEELSCROLLCHARS, 0);
    const bool reread = window.WheelLines() == static_cast<std::int32_t>(newLines) && window.WheelChars() == static_cast<std::int32_t>(newChars);
    Scroll(panel, WM_HSCROLL, SB_LEFT);
    Scroll(panel, WM_VSCROLL, SB_TOP);
    SendMessageA(panel, WM_MOUSEHWHEEL, wheel(WHEEL_DELTA), 0);
    SendMessageA(panel, WM_MOUSEWHEEL, wheel(-WHEEL_DELTA), 0);
    Settle();
    const bool followed = BarInfo(panel, SB_HORZ).nPos == static_cast<int>(newChars) && BarInfo(panel, SB_VERT).nPos == static_cast<int>(newLines);
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, oldLines, nullptr, 0);
    SystemParametersInfoA(SPI_SETWHEELSCROLLCHARS, oldChars, nullptr, 0);
    SendMessageA(window.Frame(), WM_SETTINGCHANGE, SPI_SETWHEELSCROLLLINES, 0);
    checks.Expect(changed && reread, "WM_SETTINGCHANGE reads the lines and the characters per notch again");
    checks.Expect(followed, "the next notches scroll by the new settings, sideways by the characters");
    checks.Expect(window.WheelLines() == readLines && window.WheelChars() == readChars, "the settings put back are read again too");

    // Two notches during one glide add up: the second goes on from where the first is going.
    Scroll(panel, WM_VSCROLL, SB_TOP);
    seen = window.Events().size();
    SendMessageA(panel, WM_MOUSEWHEEL, wheel(-WHEEL_DELTA), 0);
    SendMessageA(panel, WM_MOUSEWHEEL, wheel(-WHEEL_DELTA), 0);
    Settle();
    events = EventsSince(window, seen);
    std::erase(events, Event("WheelRotate", 1));
    const std::int32_t twice = std::min(2 * lines, kRows - kPageRows);
    checks.Expect(Glided(events, "VChange", 0, twice) && BarInfo(panel, SB_VERT).nPos == twice,
                  "two quick notches glide on to twice a notch's rows");

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
    checks.Expect(keyed == std::vector<std::int32_t>{0, 1, 0, kRows - kPageRows, 0, 1} && window.Events().size() == seen,
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
