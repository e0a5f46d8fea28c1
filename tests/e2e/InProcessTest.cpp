// The test window inside this process, driven by messages as a user drives it: a table of
// interactions, each on a fresh window, with what only shows inside: the calls it makes to the
// window system (through this program's imports), its windows' last moments and a DPI change.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <regex>
#include <vector>

#include "app/frmMain.h"
#include "app/frmMainRules.h"
#include "app/toolkit/MessageLoop.h"
#include "tests/e2e/Probe.h"

namespace brennick::e2e {
namespace {

// Points this program's imports of from (as the loader filled in its import address table) at to;
// returns from. The original is read back from a volatile: a compiler may take an import's address
// for a constant and load it again after the patch, when it is to.
template <class Function>
[[gnu::noinline]] Function Repoint(Function from, Function to) {
    const volatile ULONG_PTR original = reinterpret_cast<ULONG_PTR>(from);
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    auto* slots = reinterpret_cast<ULONG_PTR*>(base + table.VirtualAddress);
    DWORD was = 0;
    VirtualProtect(slots, table.Size, PAGE_READWRITE, &was);
    std::replace(slots, slots + table.Size / sizeof *slots, static_cast<ULONG_PTR>(original),
                 reinterpret_cast<ULONG_PTR>(to));
    VirtualProtect(slots, table.Size, was, &was);
    return reinterpret_cast<Function>(original);
}

// What the window did as it closed: the hook properties it removed and the windows it destroyed.
std::vector<std::string> closing;
std::vector<HWND> watched;
decltype(&RemovePropA) removeProp = nullptr;
decltype(&DestroyWindow) destroyWindow = nullptr;
std::string Who(HWND window) {
    const char* names[] = {"window", "left panel", "right panel"};
    const auto found = std::ranges::find(watched, window);
    return found == watched.end() ? "another window" : names[found - watched.begin()];
}
HANDLE WINAPI LoggingRemoveProp(HWND window, LPCSTR name) {
    if (std::string_view(name).starts_with("nv")) closing.push_back(Who(window) + " " + name);
    return removeProp(window, name);
}
BOOL WINAPI LoggingDestroyWindow(HWND window) {
    return closing.push_back("destroy " + Who(window)), destroyWindow(window);
}

// Closes the test window as the close button does, or (quit) as a WM_QUIT posted from elsewhere
// ends the program: its message loop, then the window's object. Notes in closing what it let go of
// until the window was gone; then dispatches whatever else was posted.
void Close(std::optional<frmMain>& app, bool quit) {
    const HWND form = app->Handle();
    watched = {form, Control(form, picControlLeft), Control(form, picControlRight)}, closing.clear();
    removeProp = Repoint(&RemovePropA, &LoggingRemoveProp),
    destroyWindow = Repoint(&DestroyWindow, &LoggingDestroyWindow);
    quit ? (PostQuitMessage(0), ui::RunMessageLoop(form), app.reset()) : (void)SendMessageA(form, WM_CLOSE, 0, 0);
    for (MSG message; IsWindow(form) && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    Repoint(&LoggingRemoveProp, removeProp), Repoint(&LoggingDestroyWindow, destroyWindow);
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
}

// A raw subclass of the window below everything the program installs, counting wheel turns and
// keeping WM_APP + 2 for itself.
WNDPROC formProcedure = nullptr;
int wheelsPassedOn = 0;
LRESULT CALLBACK BelowTheHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    wheelsPassedOn += message == WM_MOUSEWHEEL;
    return message == WM_APP + 2 ? 0 : CallWindowProcA(formProcedure, window, message, wParam, lParam);
}
// The system's answer for horizontal bars, one higher than the position the bar holds.
decltype(&SetScrollInfo) setScrollInfo = nullptr;
int WINAPI OneHigher(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
    return setScrollInfo(window, bar, info, redraw) + (bar == SB_HORZ);
}

constexpr std::uint32_t kLeftHighlight = 0x00FFCCAA, kRightHighlight = 0x00AACCFF;
constexpr std::uint32_t kWindowBackground = 0x80000005, kButtonFace = 0x8000000F;
constexpr int kLast = 400 - 201 + 1;  // the last position a page of 201 allows (bars 0..400 at 100, line 5)
constexpr int L = picControlLeft, R = picControlRight;
constexpr RECT kSuggested{40, 30, 40 + 770, 30 + 700};  // where a DPI change suggests the window goes

// The system's lines per notch (-1: a page), and where n notches toward the user send a bar from a
// position at them: within 0..400, and stopped by the bar a page short of 400.
const int kWheelLines = [] {
    int lines = 0;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines;
}();
int Wheeled(int from, int n) {
    return std::min(std::clamp(from + n * (kWheelLines == -1 ? 201 : std::min(kWheelLines, 201) * 5), 0, 400), kLast);
}

// One step of a row: a scroll code to a panel (id, message, code), a click on a check box (id), a
// wheel turn to a window (id, 0: the form) at a point (id, notches, keys, x, y) or at a place of a
// panel's window rectangle (id, panel, Where, notches, keys), a double-click on the form, a mouse
// press on a control (id), a change to a DPI (a) suggesting kSuggested; Watch puts BelowTheHook under
// the form's procedure and OneHigherH patches the system's horizontal answers for the rest of the
// row; Quit ends the row with a WM_QUIT from elsewhere instead of a close; Lines stands for another
// lines-per-notch setting read at load (a).
enum Kind { Scroll, Click, Wheel, WheelAt, DoubleClick, Press, Dpi, Watch, OneHigherH, Quit, Lines };
enum Where { TopLeft, BottomRight, RightOfBottomRight, LeftOfTopLeft, Inside };  // edges count as inside
struct Act {
    Kind kind;
    int id = 0, a = 0, b = 0, c = 0, d = 0;
};

// What a row expects; unset fields are not looked at. A bar position also places its picture
// (stored at 210, 2160 twips, one twip per scroll unit). Report texts leave out the time and the
// point, the one of the row's last wheel turn, which is added. With a DPI the window stands at
// kSuggested, laid out at it. What closing let go of is seen as the window closes at the row's end.
struct Expected {
    std::optional<int> leftV{}, leftH{}, rightV{}, focus{}, passedOn{}, dpi{};
    std::optional<std::string> lblPosH{}, lblPosV{}, txtWheel{}, txtWheel2{};
    std::optional<std::uint32_t> txtWheelColor{}, txtWheel2Color{}, leftColor{}, rightColor{};
    std::optional<bool> leftVShown{}, leftHShown{}, hooked{};
    std::optional<std::vector<std::string>> closing{};
};
struct Interaction {
    const char* name;
    std::vector<Act> acts;
    Expected expected;
};

std::string Report(const char* panel, int delta, int keys) {
    return std::string(" WheelRotate ScrollV ") + panel + ": Delta=" + std::to_string(delta) +
           ", Shift=" + std::to_string(keys);
}
const std::vector<std::string> kClosing{"left panel nvStdScroll", "right panel nvStdScroll", "window nvAdvSubcls",
                                        "destroy window"};

// clang-format off
const Interaction kInteractions[] = {
    {"line down", {{Scroll, L, WM_VSCROLL, SB_LINEDOWN}}, {.leftV = 105, .lblPosH = "PosH", .lblPosV = "105/105"}},
    {"horizontal: right end, then a line left", {{Scroll, L, WM_HSCROLL, SB_RIGHT}, {Scroll, L, WM_HSCROLL, SB_LINELEFT}},
     {.leftV = 100, .leftH = kLast - 5, .lblPosH = "195/195", .lblPosV = "PosV"}},
    {"the label shows the reported position, then the one the bar holds",
     {{OneHigherH}, {Scroll, L, WM_HSCROLL, SB_LINERIGHT}}, {.lblPosH = "106/105"}},
    {"the right panel moves only its own picture, only vertically",
     {{Scroll, R, WM_VSCROLL, SB_PAGEDOWN}, {Scroll, R, WM_HSCROLL, SB_LINERIGHT}},
     {.leftV = 100, .leftH = 100, .rightV = kLast, .lblPosH = "PosH", .lblPosV = "PosV"}},
    {"a double-click sends the left panel back, a hidden bar too",
     {{Scroll, L, WM_VSCROLL, SB_BOTTOM}, {Scroll, R, WM_VSCROLL, SB_TOP}, {Click, chkShowScrollH},
      {Scroll, L, WM_HSCROLL, SB_LEFT}, {DoubleClick}},
     {.leftV = 100, .leftH = 100, .rightV = 0, .lblPosH = "100/100", .lblPosV = "100/100"}},
    {"the show check boxes hide and show the left panel's bars",
     {{Click, chkShowScrollV}, {Click, chkShowScrollH}, {Click, chkShowScrollH}},
     {.leftV = 100, .leftVShown = false, .leftHShown = true}},
    {"with both wheel paths off a turn changes nothing", {{Wheel, L, 1}, {Wheel, 0, 1}},
     {.leftV = 100, .txtWheel = "", .txtWheel2 = ""}},
    {"controller path: the left panel scrolls and reports", {{Click, chkWheelSupport}, {Wheel, L, 1, 0, 512, 384}},
     {.leftV = Wheeled(100, 1), .lblPosV = "115/115", .txtWheel = Report("Left", 1, 0), .txtWheel2 = "",
      .txtWheelColor = kLeftHighlight}},
    {"controller path: the right panel, keys, negative coordinates", {{Click, chkWheelSupport}, {Wheel, R, -1, 12, -200, -7}},
     {.leftV = 100, .rightV = Wheeled(100, -1), .lblPosV = "PosV", .txtWheel = Report("Right", -1, 12),
      .txtWheelColor = kRightHighlight}},
    {"controller path: no notches still sets the position again", {{Click, chkWheelSupport}, {Wheel, L, 0, 0, 1, 2}},
     {.leftV = 100, .lblPosV = "100/100", .txtWheel = Report("Left", 0, 0)}},
    {"page mode: a notch is a page, and the bar stops at its end (target 301)",
     {{Lines, 0, frmMainRules::kWheelPageScroll}, {Click, chkWheelSupport}, {Wheel, L, 1}}, {.leftV = kLast, .lblPosV = "200/200"}},
    {"controller path: a hidden bar moves not, the report comes",
     {{Click, chkWheelSupport}, {Click, chkShowScrollV}, {Wheel, L, 2, 0, 3, 4}},
     {.leftV = 100, .lblPosV = "PosV", .txtWheel = Report("Left", 2, 0), .txtWheelColor = kLeftHighlight}},
    {"switching a wheel path off empties and uncolours its own text box",
     {{Click, chkWheelSupport}, {Click, chkWheelSupport2}, {Wheel, L, 1}, {WheelAt, 0, R, Inside, 1},
      {Click, chkWheelSupport}, {Click, chkWheelSupport2}},
     {.txtWheel = "", .txtWheel2 = "", .txtWheelColor = kWindowBackground, .txtWheel2Color = kWindowBackground, .hooked = false}},
    {"hook path: the left panel's top-left corner", {{Watch}, {Click, chkWheelSupport2}, {WheelAt, 0, L, TopLeft, 1}},
     {.leftV = Wheeled(100, 1), .passedOn = 0, .lblPosV = "115/115", .txtWheel = "", .txtWheel2 = Report("Left", 1, 0),
      .txtWheel2Color = kLeftHighlight, .hooked = true}},
    {"hook path: the right panel's bottom-right edge counts", {{Click, chkWheelSupport2}, {WheelAt, 0, R, BottomRight, -1, MK_LBUTTON}},
     {.rightV = Wheeled(100, -1), .txtWheel2 = Report("Right", -1, 1), .txtWheel2Color = kRightHighlight}},
    {"hook path: a turn over neither panel changes nothing and is passed on",
     {{Watch}, {Click, chkWheelSupport2}, {WheelAt, 0, R, RightOfBottomRight, 1}, {WheelAt, 0, L, LeftOfTopLeft, 1}},
     {.leftV = 100, .rightV = 100, .passedOn = 2, .txtWheel = "", .txtWheel2 = "", .txtWheel2Color = kWindowBackground}},
    {"hook path: what a panel passes on reaches the hook", {{Click, chkWheelSupport2}, {WheelAt, L, L, Inside, 1}},
     {.leftV = Wheeled(100, 1), .txtWheel = "", .txtWheel2 = Report("Left", 1, 0)}},
    {"both paths: the controller takes the turn, once",
     {{Click, chkWheelSupport2}, {Click, chkWheelSupport}, {WheelAt, L, L, Inside, 1}},
     {.leftV = Wheeled(100, 1), .txtWheel = Report("Left", 1, 0), .txtWheel2 = ""}},
    {"hook path: a hidden bar moves not, the turn is consumed and reported",
     {{Click, chkWheelSupport2}, {Click, chkShowScrollV}, {WheelAt, 0, L, Inside, 1}},
     {.leftV = 100, .lblPosV = "PosV", .txtWheel2 = Report("Left", 1, 0), .txtWheel2Color = kLeftHighlight}},
    {"the panel with the focus shows its highlight", {{Press, R}},
     {.focus = R, .leftColor = kButtonFace, .rightColor = kRightHighlight}},
    {"a focused check box leaves both panels plain", {{Press, R}, {Press, L}, {Click, chkWheelSupport}},
     {.focus = chkWheelSupport, .leftColor = kButtonFace, .rightColor = kButtonFace}},
    {"a DPI change lays the window out again where the pictures keep their bar positions",
     {{Scroll, R, WM_VSCROLL, SB_BOTTOM}, {Dpi, 0, 120}}, {.leftV = 100, .rightV = kLast, .dpi = 120}},
    {"after a DPI change a scroll places the picture at the new DPI", {{Dpi, 0, 144}, {Scroll, R, WM_VSCROLL, SB_LINEDOWN}},
     {.rightV = 105, .dpi = 144}},
    {"closing lets go of left, right and the hook in order before any window goes", {{Click, chkWheelSupport2}},
     {.closing = kClosing}},
    {"closing with the wheel hook never attached, below a subclass that keeps WM_APP + 2", {{Watch}},
     {.closing = {{kClosing[0], kClosing[1], kClosing[3]}}}},
    {"a WM_QUIT from elsewhere lets go of left, right and the hook in order before any window goes",
     {{Click, chkWheelSupport2}, {Quit}}, {.closing = kClosing}},
};
// clang-format on

void Do(HWND form, const Act& act, POINT& wheelAt) {
    const HWND target = Control(form, act.id);
    switch (act.kind) {
    case Scroll:
        SendMessageA(target, static_cast<UINT>(act.a), static_cast<WPARAM>(act.b), 0);
        break;
    case Click:
        SendMessageA(target, BM_CLICK, 0, 0);
        break;
    case DoubleClick:
        SendMessageA(form, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        break;
    case Press:
        SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        break;
    case Dpi:
        SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(act.a, act.a), reinterpret_cast<LPARAM>(&kSuggested));
        break;
    case Watch:
        formProcedure =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrA(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BelowTheHook)));
        break;
    case OneHigherH:
        setScrollInfo = Repoint(&SetScrollInfo, &OneHigher);
        break;
    case Quit:
        break;  // at the row's end
    case Lines:
        frmMainRules::WheelScrollLines = act.a;
        break;
    case Wheel:
    case WheelAt: {
        RECT r{};
        if (act.kind == WheelAt) GetWindowRect(Control(form, act.a), &r);
        const POINT places[] = {{r.left, r.top},
                                {r.right, r.bottom},
                                {r.right + 1, r.bottom},
                                {r.left - 1, r.top},
                                {r.left + 20, r.top + 20}};
        wheelAt = act.kind == Wheel ? POINT{act.c, act.d} : places[act.b];
        const auto [notches, keys] = act.kind == Wheel ? std::pair{act.a, act.b} : std::pair{act.c, act.d};
        SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(keys, -WHEEL_DELTA * notches), MAKELPARAM(wheelAt.x, wheelAt.y));
        break;
    }
    }
}

// A report line's text after its "hh:nn:ss" time of day.
std::string AfterTime(const std::string& line) {
    EXPECT_TRUE(line.empty() || std::regex_search(line, std::regex("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]")))
        << line;
    return line.substr(std::min<std::size_t>(8, line.size()));
}
// The colour a text box's brush paints, as the form answers WM_CTLCOLOREDIT for it, and the colour
// a stored value (a system colour index with the top bit set) stands for.
COLORREF Painted(HWND form, int id) {
    LOGBRUSH brush{};
    const HDC dc = GetDC(Control(form, id));
    const auto painted =
        SendMessageA(form, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Control(form, id)));
    GetObjectA(reinterpret_cast<HBRUSH>(painted), sizeof brush, &brush);
    ReleaseDC(Control(form, id), dc);
    return brush.lbColor;
}
COLORREF Resolved(std::uint32_t stored) {
    return stored & 0x80000000u ? GetSysColor(static_cast<int>(stored & 0xFFFF)) : stored;
}

TEST(TestWindow, EachInteractionShowsWhatItDid) {
    for (const auto& [name, acts, e] : kInteractions) {
        SCOPED_TRACE(name);
        std::optional<frmMain> app(std::in_place);
        app->Show();
        const HWND form = app->Handle();
        POINT at{};
        wheelsPassedOn = 0;
        for (const Act& act : acts) Do(form, act, at);
        if (setScrollInfo) Repoint(&OneHigher, std::exchange(setScrollInfo, nullptr));
        const int dpi = e.dpi.value_or(96);
        const RECT left = PlaceInParent(form, picTrialLeft), right = PlaceInParent(form, picTrialRight);
        const auto check = [](const char* what, const auto& expected, const auto& seen) {
            if (expected) {
                EXPECT_EQ(seen, *expected) << what;
            }
        };
        const auto pos = [&](int panel, int bar) {
            return static_cast<int>(Bar(form, panel, bar, ScrollBarField::Pos));
        };
        const auto picture = [&](std::optional<int> p, int stored) {
            return p ? std::optional(Px(stored + 100 - *p, dpi)) : p;
        };
        check("left vertical", e.leftV, pos(L, SB_VERT)), check("left horizontal", e.leftH, pos(L, SB_HORZ));
        check("right vertical", e.rightV, pos(R, SB_VERT)),
            check("left picture top", picture(e.leftV, 2160), static_cast<int>(left.top));
        check("left picture left", picture(e.leftH, 210), static_cast<int>(left.left));
        check("right picture top", picture(e.rightV, 2160), static_cast<int>(right.top));
        check("the right picture never moves sideways", std::optional(Px(210, dpi)), static_cast<int>(right.left));
        check("focus", e.focus, GetDlgCtrlID(Focus(form))),
            check("turns passed on below it", e.passedOn, wheelsPassedOn);
        check("txtWheel colour", e.txtWheelColor, BackColor(form, txtWheel));
        check("txtWheel2 colour", e.txtWheel2Color, BackColor(form, txtWheel2));
        check("left panel colour", e.leftColor, BackColor(form, L)),
            check("right panel colour", e.rightColor, BackColor(form, R));
        check("wheel hook on the form", e.hooked, GetPropA(form, "nvAdvSubcls") != nullptr);
        check("left vertical bar shown", e.leftVShown, BarShown(form, L, SB_VERT));
        check("left horizontal bar shown", e.leftHShown, BarShown(form, L, SB_HORZ));
        check("lblPosH", e.lblPosH, Text(form, lblPosH)), check("lblPosV", e.lblPosV, Text(form, lblPosV));
        const std::string point = ", X=" + std::to_string(at.x) + ", Y=" + std::to_string(at.y);
        const auto report = [&](std::optional<std::string> text) {
            return text && !text->empty() ? *text + point : text;
        };
        check("txtWheel", report(e.txtWheel), AfterTime(Text(form, txtWheel)));
        check("txtWheel2", report(e.txtWheel2), AfterTime(Text(form, txtWheel2)));
        for (const int box : {txtWheel, txtWheel2})
            EXPECT_EQ(Painted(form, box), Resolved(BackColor(form, box))) << "painted as stored";
        if (e.dpi) {
            const RECT window = PlaceInParent(form, 0);
            EXPECT_TRUE(EqualRect(&window, &kSuggested)) << "the window stands where the DPI change suggested";
            ExpectLaidOut(form, dpi, false);
        }
        Close(app, std::ranges::any_of(acts, [](const Act& act) { return act.kind == Quit; }));
        check("what the window let go of as it closed, in order", e.closing, closing);
    }
}

}  // namespace
}  // namespace brennick::e2e
