// The test window inside this process, driven by messages as a user drives it: a table of
// interactions, each on a fresh window, and what only shows inside: the calls it makes to the
// window system (through this program's imports), its windows' last moments and a DPI change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <type_traits>
#include <vector>

#include "app/frmMain.h"
#include "tests/e2e/Probe.h"

namespace brennick::e2e {
namespace {

// Points this program's import of user32's name at replacement and returns the original.
void* PatchImport(const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name != 0; ++dll) {
        if (_stricmp(reinterpret_cast<char*>(base + dll->Name), "user32.dll") != 0) continue;
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk); names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) || std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name, name)) continue;
            DWORD was = 0;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &was);
            void* original = reinterpret_cast<void*>(std::exchange(slots->u1.Function, reinterpret_cast<ULONG_PTR>(replacement)));
            VirtualProtect(&slots->u1.Function, sizeof(void*), was, &was);
            return original;
        }
    }
    return nullptr;
}

// The test window, shown; whatever it posted is dispatched when the object goes.
struct InProcess {
    frmMain window;
    HWND form = window.Handle();
    InProcess() { window.Show(); }
    ~InProcess() {
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);  // WM_QUIT of a closed window too
    }
    void Close() {
        SendMessageA(form, WM_CLOSE, 0, 0);
        for (MSG message; IsWindow(form) && GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
    }
};

// A raw subclass of the window below everything the program installs, counting wheel turns.
WNDPROC formProcedure = nullptr;
int wheelsPassedOn = 0;
LRESULT CALLBACK BelowTheHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    wheelsPassedOn += message == WM_MOUSEWHEEL;
    return CallWindowProcA(formProcedure, window, message, wParam, lParam);
}
// The system's answer for horizontal bars, one higher than the position the bar holds.
decltype(&SetScrollInfo) setScrollInfo = nullptr;
int WINAPI OneHigher(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) { return setScrollInfo(window, bar, info, redraw) + (bar == SB_HORZ); }

constexpr std::uint32_t kLeftHighlight = 0x00FFCCAA, kRightHighlight = 0x00AACCFF, kWindowBackground = 0x80000005, kButtonFace = 0x8000000F;
constexpr int kLast = 400 - 201 + 1;  // the last position a page of 201 allows (bars 0..400 at 100, line 5)
constexpr int L = picControlLeft, R = picControlRight;

// Where n notches toward the user send a bar at position, at the system's lines per notch: within
// 0..400, and stopped by the bar a page short of 400.
int Wheeled(int position, int n) {
    int lines = 0;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return std::min(std::clamp(position + n * (lines == -1 ? 201 : std::min(lines, 201) * 5), 0, 400), kLast);
}

// One step of a row: a scroll code to a panel (message, code), a click on a check box, a wheel turn
// to a window (0: the form) at a point (notches, keys, x, y) or at a place of a panel's window
// rectangle (panel, Where, notches, keys), a double-click on the form, a mouse press on a control, a
// text typed; Watch puts BelowTheHook under the form's procedure and OneHigherH patches the
// system's horizontal answers for the rest of the row.
enum Kind { Scroll, Click, Wheel, WheelAt, DoubleClick, Press, Type, Watch, OneHigherH };
enum Where { TopLeft, BottomRight, RightOfBottomRight, LeftOfTopLeft, Inside };  // edges count as inside
struct Act { Kind kind; int id = 0, a = 0, b = 0, c = 0, d = 0; };

// What a row expects; unset fields are not looked at. A bar position also places its picture
// (stored at 210, 2160 twips, one twip per scroll unit). Report texts leave out the time; {X} and
// {Y} stand for the point of the row's last wheel turn.
struct Expected {
    std::optional<int> leftV{}, leftH{}, rightV{};
    std::optional<std::string> lblPosH{}, lblPosV{}, txtWheel{}, txtWheel2{};
    std::optional<std::uint32_t> txtWheelColor{}, txtWheel2Color{}, leftColor{}, rightColor{};
    std::optional<int> focus{}, passedOn{};
    std::optional<bool> leftVShown{}, leftHShown{}, hooked{};
};
struct Interaction { const char* name; std::vector<Act> acts; Expected expected; };

std::string Report(const char* panel, int delta, int keys) {
    return std::string(" WheelRotate ScrollV ") + panel + ": Delta=" + std::to_string(delta) + ", Shift=" + std::to_string(keys) + ", X={X}, Y={Y}";
}

const Interaction kInteractions[] = {
    {"line down", {{Scroll, L, WM_VSCROLL, SB_LINEDOWN}}, {.leftV = 105, .lblPosH = "PosH", .lblPosV = "105/105"}},
    {"page down stops a page short of the end", {{Scroll, L, WM_VSCROLL, SB_PAGEDOWN}}, {.leftV = kLast, .lblPosV = "200/200"}},
    {"top, and line up there", {{Scroll, L, WM_VSCROLL, SB_TOP}, {Scroll, L, WM_VSCROLL, SB_LINEUP}}, {.leftV = 0, .lblPosV = "0/0"}},
    {"thumb without a drag keeps and reports", {{Scroll, L, WM_VSCROLL, SB_THUMBTRACK}}, {.leftV = 100, .lblPosV = "100/100"}},
    {"horizontal: right end, then a line left", {{Scroll, L, WM_HSCROLL, SB_RIGHT}, {Scroll, L, WM_HSCROLL, SB_LINELEFT}},
     {.leftV = 100, .leftH = kLast - 5, .lblPosH = "195/195", .lblPosV = "PosV"}},
    {"the label shows the reported position, then the one the bar holds", {{OneHigherH}, {Scroll, L, WM_HSCROLL, SB_LINERIGHT}}, {.lblPosH = "106/105"}},
    {"the right panel moves only its own picture, only vertically", {{Scroll, R, WM_VSCROLL, SB_PAGEDOWN}, {Scroll, R, WM_HSCROLL, SB_LINERIGHT}},
     {.leftV = 100, .leftH = 100, .rightV = kLast, .lblPosH = "PosH", .lblPosV = "PosV"}},
    {"a double-click sends the left panel back, a hidden bar too",
     {{Scroll, L, WM_VSCROLL, SB_BOTTOM}, {Scroll, R, WM_VSCROLL, SB_TOP}, {Click, chkShowScrollH}, {Scroll, L, WM_HSCROLL, SB_LEFT}, {DoubleClick}},
     {.leftV = 100, .leftH = 100, .rightV = 0, .lblPosH = "100/100", .lblPosV = "100/100"}},
    {"the show check boxes hide and show the left panel's bars", {{Click, chkShowScrollV}, {Click, chkShowScrollH}, {Click, chkShowScrollH}},
     {.leftV = 100, .leftVShown = false, .leftHShown = true}},
    {"with both wheel paths off a turn changes nothing", {{Wheel, L, 1}, {Wheel, 0, 1}}, {.leftV = 100, .txtWheel = "", .txtWheel2 = ""}},
    {"controller path: the left panel scrolls and reports", {{Click, chkWheelSupport}, {Wheel, L, 1, 0, 512, 384}},
     {.leftV = Wheeled(100, 1), .lblPosV = "115/115", .txtWheel = Report("Left", 1, 0), .txtWheel2 = "", .txtWheelColor = kLeftHighlight}},
    {"controller path: the right panel, keys, negative coordinates", {{Click, chkWheelSupport}, {Wheel, R, -1, 12, -200, -7}},
     {.leftV = 100, .rightV = Wheeled(100, -1), .lblPosV = "PosV", .txtWheel = Report("Right", -1, 12), .txtWheelColor = kRightHighlight}},
    {"controller path: no notches still sets the position again", {{Click, chkWheelSupport}, {Wheel, L, 0, 0, 1, 2}},
     {.leftV = 100, .lblPosV = "100/100", .txtWheel = Report("Left", 0, 0)}},
    {"controller path: the bar stops at its end", {{Click, chkWheelSupport}, {Scroll, L, WM_VSCROLL, SB_BOTTOM}, {Wheel, L, 1}},
     {.leftV = kLast, .lblPosV = "200/200"}},
    {"controller path: a hidden bar moves not, the report comes", {{Click, chkWheelSupport}, {Click, chkShowScrollV}, {Wheel, L, 2, 0, 3, 4}},
     {.leftV = 100, .lblPosV = "PosV", .txtWheel = Report("Left", 2, 0), .txtWheelColor = kLeftHighlight}},
    {"switching a wheel path off empties and uncolours its own text box",
     {{Click, chkWheelSupport}, {Click, chkWheelSupport2}, {Wheel, L, 1}, {WheelAt, 0, R, Inside, 1}, {Click, chkWheelSupport}, {Click, chkWheelSupport2}},
     {.txtWheel = "", .txtWheel2 = "", .txtWheelColor = kWindowBackground, .txtWheel2Color = kWindowBackground, .hooked = false}},
    {"hook path: the left panel's top-left corner", {{Watch}, {Click, chkWheelSupport2}, {WheelAt, 0, L, TopLeft, 1}},
     {.leftV = Wheeled(100, 1), .lblPosV = "115/115", .txtWheel = "", .txtWheel2 = Report("Left", 1, 0), .txtWheel2Color = kLeftHighlight,
      .passedOn = 0, .hooked = true}},
    {"hook path: the right panel's bottom-right edge counts", {{Click, chkWheelSupport2}, {WheelAt, 0, R, BottomRight, -1, MK_LBUTTON}},
     {.rightV = Wheeled(100, -1), .txtWheel2 = Report("Right", -1, 1), .txtWheel2Color = kRightHighlight}},
    {"hook path: a turn over neither panel changes nothing and is passed on",
     {{Watch}, {Click, chkWheelSupport2}, {WheelAt, 0, R, RightOfBottomRight, 1}, {WheelAt, 0, L, LeftOfTopLeft, 1}},
     {.leftV = 100, .rightV = 100, .txtWheel = "", .txtWheel2 = "", .txtWheel2Color = kWindowBackground, .passedOn = 2}},
    {"hook path: what a panel passes on reaches the hook", {{Click, chkWheelSupport2}, {WheelAt, L, L, Inside, 1}},
     {.leftV = Wheeled(100, 1), .txtWheel = "", .txtWheel2 = Report("Left", 1, 0)}},
    {"both paths: the controller takes the turn, once", {{Click, chkWheelSupport2}, {Click, chkWheelSupport}, {WheelAt, L, L, Inside, 1}},
     {.leftV = Wheeled(100, 1), .txtWheel = Report("Left", 1, 0), .txtWheel2 = ""}},
    {"hook path: a hidden bar moves not, the turn is consumed and reported", {{Click, chkWheelSupport2}, {Click, chkShowScrollV}, {WheelAt, 0, L, Inside, 1}},
     {.leftV = 100, .lblPosV = "PosV", .txtWheel2 = Report("Left", 1, 0), .txtWheel2Color = kLeftHighlight}},
    {"the panel with the focus shows its highlight", {{Press, R}}, {.leftColor = kButtonFace, .rightColor = kRightHighlight, .focus = R}},
    {"a focused check box leaves both panels plain", {{Press, R}, {Press, L}, {Click, chkWheelSupport}},
     {.leftColor = kButtonFace, .rightColor = kButtonFace, .focus = chkWheelSupport}},
};

void Do(HWND form, const Act& act, POINT& wheelAt) {
    const HWND target = Control(form, act.id);
    switch (act.kind) {
    case Scroll: SendMessageA(target, static_cast<UINT>(act.a), static_cast<WPARAM>(act.b), 0); break;
    case Click: SendMessageA(target, BM_CLICK, 0, 0); break;
    case DoubleClick: SendMessageA(form, WM_LBUTTONDBLCLK, MK_LBUTTON, PointLParam(5, 5)); break;
    case Press: SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, 0); break;
    case Type: SendMessageA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed")); break;
    case Watch: formProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BelowTheHook))); break;
    case OneHigherH: setScrollInfo = reinterpret_cast<decltype(setScrollInfo)>(PatchImport("SetScrollInfo", reinterpret_cast<void*>(&OneHigher))); break;
    case Wheel: case WheelAt: {
        RECT r{};
        if (act.kind == WheelAt) GetWindowRect(Control(form, act.a), &r);
        const POINT places[] = {{r.left, r.top}, {r.right, r.bottom}, {r.right + 1, r.bottom}, {r.left - 1, r.top}, {r.left + 20, r.top + 20}};
        wheelAt = act.kind == Wheel ? POINT{act.c, act.d} : places[act.b];
        SendMessageA(target, WM_MOUSEWHEEL, act.kind == Wheel ? WheelWParam(act.a, act.b) : WheelWParam(act.c, act.d), PointLParam(wheelAt.x, wheelAt.y));
        break;
    }
    }
}

template <class T>
void Compare(const char* what, const std::optional<T>& expected, const std::type_identity_t<T>& actual) {
    if (expected) {
        EXPECT_EQ(actual, *expected) << what;
    }
}
// A report line's text after its "hh:nn:ss" time of day, with the turn's point put in.
std::string AfterTime(const std::string& line) {
    int h = 99, m = 99, s = 99;
    const bool time = std::sscanf(line.c_str(), "%2d:%2d:%2d", &h, &m, &s) == 3 && line[2] == ':' && line[5] == ':';
    EXPECT_TRUE(line.empty() || line == "typed" || (time && h < 24 && m < 60 && s < 60)) << line;
    return line.substr(std::min<std::size_t>(8, line.size()));
}
std::optional<std::string> WithPoint(std::optional<std::string> text, POINT at) {
    for (const auto& [key, value] : {std::pair{"{X}", at.x}, {"{Y}", at.y}}) {
        if (const auto found = text ? text->find(key) : std::string::npos; found != std::string::npos) text->replace(found, 3, std::to_string(value));
    }
    return text;
}
// The colour a text box's brush paints, as the form answers WM_CTLCOLOREDIT for it, and the colour
// a stored value (a system colour index with the top bit set) stands for.
COLORREF Painted(HWND form, int id) {
    LOGBRUSH brush{};
    const HDC dc = GetDC(Control(form, id));
    GetObjectA(reinterpret_cast<HBRUSH>(SendMessageA(form, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Control(form, id)))), sizeof brush, &brush);
    ReleaseDC(Control(form, id), dc);
    return brush.lbColor;
}
std::optional<COLORREF> Resolved(std::optional<std::uint32_t> stored) {
    return stored ? std::optional(*stored & 0x80000000u ? GetSysColor(static_cast<int>(*stored & 0xFFFF)) : *stored) : std::nullopt;
}
std::optional<int> PictureAt(std::optional<int> position, int stored) { return position ? std::optional(Px(stored + 100 - *position)) : std::nullopt; }

TEST(TestWindow, EachInteractionShowsWhatItDid) {
    for (const Interaction& row : kInteractions) {
        SCOPED_TRACE(row.name);
        InProcess app;
        const HWND form = app.form;
        POINT wheelAt{};
        wheelsPassedOn = 0;
        for (const Act& act : row.acts) Do(form, act, wheelAt);
        if (setScrollInfo) PatchImport("SetScrollInfo", reinterpret_cast<void*>(std::exchange(setScrollInfo, nullptr)));
        const Expected& e = row.expected;
        const auto pos = [&](int panel, int bar) { return static_cast<int>(Bar(form, panel, bar, ScrollBarField::Pos)); };
        Compare("left vertical", e.leftV, pos(L, SB_VERT));
        Compare("left horizontal", e.leftH, pos(L, SB_HORZ));
        Compare("right vertical", e.rightV, pos(R, SB_VERT));
        Compare("left picture top", PictureAt(e.leftV, 2160), PlaceInParent(form, picTrialLeft).top);
        Compare("left picture left", PictureAt(e.leftH, 210), PlaceInParent(form, picTrialLeft).left);
        Compare("right picture top", PictureAt(e.rightV, 2160), PlaceInParent(form, picTrialRight).top);
        EXPECT_EQ(PlaceInParent(form, picTrialRight).left, Px(210)) << "the right picture never moves sideways";
        Compare("lblPosH", e.lblPosH, Text(form, lblPosH));
        Compare("lblPosV", e.lblPosV, Text(form, lblPosV));
        Compare("txtWheel", WithPoint(e.txtWheel, wheelAt), AfterTime(Text(form, txtWheel)));
        Compare("txtWheel2", WithPoint(e.txtWheel2, wheelAt), AfterTime(Text(form, txtWheel2)));
        Compare("txtWheel colour", e.txtWheelColor, BackColor(form, txtWheel));
        Compare("txtWheel2 colour", e.txtWheel2Color, BackColor(form, txtWheel2));
        Compare("txtWheel painted", Resolved(e.txtWheelColor), Painted(form, txtWheel));
        Compare("txtWheel2 painted", Resolved(e.txtWheel2Color), Painted(form, txtWheel2));
        Compare("left panel colour", e.leftColor, BackColor(form, L));
        Compare("right panel colour", e.rightColor, BackColor(form, R));
        Compare("focus", e.focus ? std::optional(Control(form, *e.focus)) : std::nullopt, Focus(form));
        Compare("turns passed on below the hook", e.passedOn, wheelsPassedOn);
        Compare("left vertical bar shown", e.leftVShown, BarShown(form, L, SB_VERT));
        Compare("left horizontal bar shown", e.leftHShown, BarShown(form, L, SB_HORZ));
        Compare("wheel hook on the window", e.hooked, GetPropA(form, "nvAdvSubcls") != nullptr);
        app.Close();
    }
}

// What the window did as it closed: the hook properties it removed and the windows it destroyed, in order.
std::vector<std::string> closing;
std::vector<HWND> watched;
decltype(&RemovePropA) removeProp = nullptr;
decltype(&DestroyWindow) destroyWindow = nullptr;
std::string Who(HWND window) { return window == watched[0] ? "window" : window == watched[1] ? "left panel" : window == watched[2] ? "right panel" : "another window"; }
HANDLE WINAPI LoggingRemoveProp(HWND window, LPCSTR name) {
    if (std::strncmp(name, "nv", 2) == 0) closing.push_back(Who(window) + " " + name);
    return removeProp(window, name);
}
BOOL WINAPI LoggingDestroyWindow(HWND window) { return closing.push_back("destroy " + Who(window)), destroyWindow(window); }

TEST(TestWindow, ClosingLetsGoOfLeftRightAndHookInOrderBeforeAnyWindowGoes) {
    for (const bool hookOn : {true, false}) {
        SCOPED_TRACE(hookOn ? "closed through the wheel hook's procedure" : "wheel hook never attached");
        closing.clear();
        {
            InProcess app;
            watched = {app.form, Control(app.form, L), Control(app.form, R)};
            if (hookOn) SendMessageA(Control(app.form, chkWheelSupport2), BM_CLICK, 0, 0);
            removeProp = reinterpret_cast<decltype(removeProp)>(PatchImport("RemovePropA", reinterpret_cast<void*>(&LoggingRemoveProp)));
            destroyWindow = reinterpret_cast<decltype(destroyWindow)>(PatchImport("DestroyWindow", reinterpret_cast<void*>(&LoggingDestroyWindow)));
            app.Close();
            PatchImport("RemovePropA", reinterpret_cast<void*>(removeProp)), PatchImport("DestroyWindow", reinterpret_cast<void*>(destroyWindow));
        }
        std::vector<std::string> order = {"left panel nvStdScroll", "right panel nvStdScroll", "window nvAdvSubcls", "destroy window"};
        if (!hookOn) order.erase(order.begin() + 2);
        EXPECT_EQ(closing, order);
    }
}

TEST(TestWindow, ADpiChangeLaysTheWindowOutAgainWherePicturesKeepTheirBarPositions) {
    InProcess app;
    SendMessageA(Control(app.form, R), WM_VSCROLL, SB_BOTTOM, 0);
    RECT suggested{40, 30, 40 + 770, 30 + 700}, now{};
    SendMessageA(app.form, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(app.form, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    ExpectLaidOut(app.form, 120, false);
    const RECT left = PlaceInParent(app.form, picTrialLeft), right = PlaceInParent(app.form, picTrialRight);
    EXPECT_NEAR(left.top, Px(2260 - 100, 120), 1) << "the left bar stands at 100";
    EXPECT_NEAR(right.top, Px(2260 - 200, 120), 1) << "the right bar stands at 200";
    EXPECT_NEAR(left.right - left.left, Px(3000, 120), 1);
}

}  // namespace
}  // namespace brennick::e2e
