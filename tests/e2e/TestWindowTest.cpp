// Brennick.exe and its test window, looked at through Win32 alone. Started under the window system as
// a separate process, as an automation tool sees it: its layout and start state at two DPIs and its
// version (read from its own file) from any folder. Inside this process, driven by messages as a user drives
// it: a table of interactions, each on a fresh window, with what only shows inside: the calls it
// makes to the window system (through this program's imports), its windows' last moments and a DPI
// change.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <process.h>
#include <regex>

#include "app/ControlIds.h"
#include "app/frmMain.h"
#include "app/frmMainRules.h"
#include "app/toolkit/Automation.h"

namespace brennick::e2e {

using namespace ControlId;
using enum ui::ScrollBarField;
using std::to_string;
constexpr int L = picControlLeft, R = picControlRight;

// A control by its ID; 0 is the form itself, and each picture is inside the panel whose ID comes before its own.
HWND Control(HWND form, int id) {
    return id == 0 ? form : GetDlgItem(id == picTrialLeft || id == picTrialRight ? Control(form, id - 1) : form, id);
}
int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }  // to the nearest pixel, as the layout converts
std::string Corners(auto... sides) { return ((' ' + to_string(sides)) + ...).substr(1); }  // left top right bottom

// What only this process sees of its own window, kept by the hooks further below: the wheel turns
// that the form's procedure passed on below the hook, and the bars (H, V) set by a row's last act.
int wheelsPassedOn = 0;
std::string pushed;

// What a row expects a window to show, each fact of one control (0: the form): a bar's position, a
// bar hidden or its range and page (and whether disabled), a text (a time of day at its start shows
// as "hh:nn:ss"), a stored colour (0x00BBGGRR, or 0x80000000 | a system colour index), the colour of
// the brush the form paints a text box with (only this process can read it), a window rectangle in
// its parent (the form's on the screen), a window class, the size of the client area, and (in this
// process) the wheel turns passed on and the bars pushed.
// clang-format off
enum Look { VPos, HPos, VBar, HBar, Text, Color, Brush, Place, Class, Client, Passed, Pushed };
const char* kLooks[] = {"VPos", "HPos", "VBar", "HBar", "Text", "Color", "Brush", "Place", "Class", "Client",
                        "Passed", "Pushed"};
struct Fact { Look look; int id; std::string value; };
// clang-format on

std::string Seen(HWND form, Look look, int id) {
    const HWND window = Control(form, id);
    const WPARAM bar = look == VPos || look == VBar ? SB_VERT : SB_HORZ;
    // Wine keeps a window's built-in scroll bars where only its own process reads them: the panel is asked.
    const auto ask = [&](auto field) { return SendMessageA(window, ui::kQueryScrollBarMessage, bar, LPARAM(field)); };
    if (look == VPos || look == HPos) return to_string(ask(Pos));
    if ((look == VBar || look == HBar) && (ask(State) & STATE_SYSTEM_INVISIBLE) != 0) return "hidden";
    if (look == VBar || look == HBar)
        return to_string(ask(Min)) + ".." + to_string(ask(Max)) + ", page " + to_string(ask(Page)) +
               (ask(State) & STATE_SYSTEM_UNAVAILABLE ? ", disabled" : "");
    if (look == Passed) return to_string(wheelsPassedOn);
    if (look == Pushed) return pushed;
    if (look == Color) return to_string(reinterpret_cast<std::uintptr_t>(GetPropA(window, ui::kBackColorProperty)));
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    if (look == Text) return std::regex_replace(text, std::regex("^([01]\\d|2[0-3])(:[0-5]\\d){2} "), "hh:nn:ss ");
    if (look == Class) return GetClassNameA(window, text, sizeof text) ? text : "none";
    RECT r{};
    if (look == Client) return GetClientRect(window, &r) ? to_string(r.right) + " x " + to_string(r.bottom) : "none";
    GetWindowRect(window, &r), MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    if (look == Place) return Corners(r.left, r.top, r.right, r.bottom);
    LOGBRUSH brush{};  // the one look left: Brush
    const auto painted = reinterpret_cast<HBRUSH>(SendMessageA(form, WM_CTLCOLOREDIT, 0, LPARAM(window)));
    return GetObjectA(painted, sizeof brush, &brush) ? to_string(brush.lbColor) : "none";
}

const std::string kLeftHighlight = to_string(0x00FFCCAA), kRightHighlight = to_string(0x00AACCFF),
                  kWindowColor = to_string(0x80000005), kButtonFace = to_string(0x8000000F);
constexpr const char* kShown = "0..400, page 201";  // each bar the program shows, enabled

// Every control in creation (Tab) order, each picture after its panel: class, twips rectangle in its
// parent, text, tab stop.
// clang-format off
struct Layout { int id; const char* windowClass; int left, top, width, height; const char* text; bool tabStop; };
constexpr Layout kLayout[] = {
    {picControlLeft, "BrennickPanel", 450, 390, 4020, 4500, "", true},
    {picTrialLeft, "BrennickPicture", 210, 2160, 3000, 540, "", false},
    {chkShowScrollH, "Button", 450, 4980, 2505, 285, "Show Horizontal Scrollbar", true},
    {chkShowScrollV, "Button", 450, 5280, 2505, 285, "Show Vertical Scrollbar", true},
    {lblPosH, "Static", 3090, 5010, 1425, 225, "PosH", false},
    {lblPosV, "Static", 3090, 5310, 1425, 225, "PosV", false},
    {txtWheel, "Edit", 450, 6120, 8085, 285, "", true},
    {chkWheelSupport, "Button", 450, 5880, 8085, 225, "Extra Wheel Support (using WM_MouseWheel message)", true},
    {picControlRight, "BrennickPanel", 4530, 390, 4020, 4500, "", true},
    {picTrialRight, "BrennickPicture", 210, 2160, 3000, 540, "", false},
    {chkWheelSupport2, "Button", 480, 6750, 8085, 225, "Extra Wheel Support 2.0 (using WM_MouseWheel message)", true},
    {txtWheel2, "Edit", 480, 6990, 8085, 285, "", true},
};
// clang-format on

// Checks the facts of form, then every control against the layout at dpi, each twips value
// converted to a whole pixel. A picture is where its panel's bars put it: where it is laid out at
// position 100, one twip a scroll unit (the right one never sideways). Tab walks the form's
// children in the order they were created.
void ExpectShows(HWND form, const std::vector<Fact>& facts, int dpi) {
    for (const auto& [look, id, want] : facts) EXPECT_EQ(Seen(form, look, id), want) << kLooks[look] << ' ' << id;
    std::vector<HWND> children, listed;
    for (HWND w = GetWindow(form, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) children.push_back(w);
    for (const auto& [id, windowClass, left, top, width, height, text, tabStop] : kLayout) {
        const HWND window = Control(form, id);
        if (GetParent(window) == form) listed.push_back(window);
        const int x = Px(left + (id == picTrialLeft ? 100 - std::stoi(Seen(form, HPos, L)) : 0), dpi);
        const int y = Px(top + (GetParent(window) != form ? 100 - std::stoi(Seen(form, VPos, id - 1)) : 0), dpi);
        EXPECT_EQ(Seen(form, Place, id), Corners(x, y, x + Px(width, dpi), y + Px(height, dpi))) << "place of " << id;
        EXPECT_EQ(Seen(form, Class, id), windowClass) << "class of " << id;
        EXPECT_EQ((GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP) != 0, tabStop) << "tab stop of " << id;
    }
    EXPECT_EQ(children, listed) << "the form's children in creation (Tab) order";
}

// The program file under test, as a path this process can open (a Unix path from the build is on
// Wine's drive Z:).
const std::wstring kProgram = BRENNICK_EXE_PATH[0] == '/' ? L"Z:" BRENNICK_EXE_PATH : L"" BRENNICK_EXE_PATH;

// clang-format off
const std::vector<Fact> kStart = {  // the focus starts on the left panel
    {Text, 0, "Brennick - 1.00.0011"}, {VBar, L, kShown}, {HBar, L, kShown}, {VBar, R, kShown}, {HBar, R, "hidden"},
    {VPos, L, "100"}, {HPos, L, "100"}, {VPos, R, "100"}, {Color, txtWheel, kWindowColor}, {Color, L, kLeftHighlight},
    {Color, txtWheel2, kWindowColor}, {Color, R, kButtonFace}};
// clang-format on

// At 144 DPI, then at 96 (where the prefix is left), each read by the program from its prefix as it
// starts. At 96 DPI the program runs from a copy in a folder whose name holds characters outside the
// ANSI code page: it still finds its own file and shows its version. (Wine starts no program from a
// path of MAX_PATH characters or more, so a longer path cannot be tried here.) It is looked at once
// its window shows (what it is asked then waits for its message loop), then closed as the close
// button does.
TEST(TestWindow, StartsLaidOutAtItsDpiFromAnyFolderAndEndsWithExitCode0) {
    const std::wstring folder = kProgram.substr(0, kProgram.rfind(L'/')) + L"\\\u0444\u0430\u0439\u043B-\u30D5";
    CreateDirectoryW(folder.c_str(), nullptr), CopyFileW(kProgram.c_str(), (folder + L"\\Brennick.exe").c_str(), FALSE);
    for (const auto& [dpi, path] : {std::pair{144, kProgram}, {96, folder + L"\\Brennick.exe"}}) {
        SCOPED_TRACE(dpi);
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
        const auto app = reinterpret_cast<HANDLE>(_wspawnl(_P_NOWAIT, path.c_str(), path.c_str(), nullptr));
        // Its form, not one that another program on the desktop shows: each step looks at the next form
        // there (after the last, at the first again) until this program's shows. Another's is never used.
        HWND form = nullptr;
        DWORD owner = 0, exitCode = STILL_ACTIVE;
        for (int i = 0; i < 750 && !(owner == GetProcessId(app) && IsWindowVisible(form)); ++i, Sleep(20))
            form = FindWindowExA(nullptr, form, "BrennickForm", nullptr), GetWindowThreadProcessId(form, &owner);
        if (owner != GetProcessId(app)) form = nullptr;
        for (const auto& row : kLayout) EXPECT_EQ(Seen(form, Text, row.id), row.text) << "text of " << row.id;
        ExpectShows(form, kStart, dpi);
        EXPECT_NE(GetClassLongPtrA(form, GCL_STYLE) & CS_DBLCLKS, 0u) << "double-clicks";
        PostMessageA(form, WM_CLOSE, 0, 0), WaitForSingleObject(app, 15000);
        EXPECT_TRUE(GetExitCodeProcess(app, &exitCode) && exitCode == 0) << "exit code " << exitCode;
        TerminateProcess(app, 1), CloseHandle(app);
    }
    DeleteFileW((folder + L"\\Brennick.exe").c_str()), RemoveDirectoryW(folder.c_str());
}

// Points this program's imports of user32's name (the slots of its import address table that hold
// it) at to; returns the original. The patches stay: they pass every call on.
auto Repoint(const char* name, auto to) {
    const auto original = reinterpret_cast<ULONG_PTR>(GetProcAddress(GetModuleHandleA("user32.dll"), name));
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    auto* slots = reinterpret_cast<ULONG_PTR*>(base + table.VirtualAddress);
    DWORD was = 0;
    VirtualProtect(slots, table.Size, PAGE_READWRITE, &was);
    std::replace(slots, slots + table.Size / sizeof *slots, original, reinterpret_cast<ULONG_PTR>(to));
    return reinterpret_cast<decltype(to)>(original);
}

// What the window let go of as it closed, in order: each hook property it removed, with the control
// ID of its window (the form's is 0), and the form's destruction.
std::vector<std::string> closing;
decltype(&RemovePropA) removeProp = nullptr;
HANDLE WINAPI LoggingRemoveProp(HWND w, LPCSTR name) {
    return closing.push_back(to_string(GetDlgCtrlID(w)) + " " + name), removeProp(w, name);
}
// The system's answer for horizontal bars, while oneHigher, one higher than the position the bar holds.
bool oneHigher = false;
decltype(&SetScrollInfo) setScrollInfo = nullptr;
int WINAPI OneHigher(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
    pushed += bar == SB_HORZ ? 'H' : 'V';
    return setScrollInfo(window, bar, info, redraw) + (oneHigher && bar == SB_HORZ);
}

// One step of a row: a message sent to a control (id; 0: the form). Three are this test's own, sent
// to the form: BelowTheHook takes OneHigherH, which makes the system's horizontal answers one higher,
// and Lines, which stands for another lines-per-notch setting read at load (l); Quit, a row's last
// step, ends the window without a close, as after a WM_QUIT from elsewhere. A wheel turn is of
// notches toward the user, with keys, at a point on the screen, where the form's client area starts
// at 131, 106 as its layout puts it: the left panel's window spans 161..429 by 132..432, the right
// one's 433..701 by 132..432, edges inside. A row ends with the DPI the window is at and what
// closing let go of. The system's setting is 3 lines a notch; bars move 5 a line and 201 a page, and
// stop at 200.
// clang-format off
enum : UINT { OneHigherH = WM_APP + 10, Lines, Quit };
struct Act { int id; UINT message; WPARAM w = 0; LPARAM l = 0; };
Act Wheel(int id, int notches, int x = 0, int y = 0, int keys = 0) {
    return {id, WM_MOUSEWHEEL, MAKEWPARAM(keys, -WHEEL_DELTA * notches), MAKELPARAM(x, y)};
}
// clang-format on

// A raw subclass of the form, below everything the program installs: it counts the wheel turns that
// reach it, logs the form's destruction, takes this test's own steps and keeps WM_APP + 2 for itself
// (as another party's subclass may: the window must still close).
WNDPROC formProcedure = nullptr;
LRESULT CALLBACK BelowTheHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    wheelsPassedOn += message == WM_MOUSEWHEEL;
    oneHigher = oneHigher || message == OneHigherH;
    if (message == Lines) frmMainRules::WheelScrollLines = static_cast<std::int32_t>(lParam);
    if (message == WM_DESTROY) closing.push_back("destroy");
    return message == WM_APP + 2 ? 0 : CallWindowProcA(formProcedure, window, message, wParam, lParam);
}

constexpr RECT kSuggested{40, 30, 40 + 770, 30 + 700};  // where a DPI change suggests the window goes
const std::vector<std::string> kClosing{"1000 nvStdScroll", "1008 nvStdScroll", "0 nvAdvSubcls", "destroy"};
const std::vector<std::string> kUnhooked{kClosing[0], kClosing[1], kClosing[3]};

// clang-format off
struct Interaction { const char* name; std::vector<Act> acts; std::vector<Fact> facts; int dpi = 96;
                     std::vector<std::string> closing = kUnhooked; };
const Act kClickH{chkShowScrollH, BM_CLICK}, kClickV{chkShowScrollV, BM_CLICK};
const Act kClickWheel{chkWheelSupport, BM_CLICK}, kClickWheel2{chkWheelSupport2, BM_CLICK};
const Interaction kInteractions[] = {
    // Scroll codes move each panel's own bars and the left one's labels; the show check boxes hide and show the left
    // panel's bars; turns with both wheel paths off, and a hooked one over neither panel, pass on and show nothing.
    {"scroll codes", {Wheel(L, 1), Wheel(0, 1), {L, WM_HSCROLL, SB_RIGHT}, {L, WM_HSCROLL, SB_LINELEFT},
      {L, WM_VSCROLL, SB_LINEDOWN}, {R, WM_VSCROLL, SB_PAGEDOWN}, {R, WM_HSCROLL, SB_LINERIGHT}, kClickV, kClickH,
      kClickH, kClickWheel2, Wheel(0, 1, 702, 432)}, {{VPos, R, "200"}, {Text, lblPosH, "195/195"},
      {Text, lblPosV, "105/105"}, {VBar, L, "hidden"}, {HBar, L, kShown}, {Text, txtWheel, ""}, {Text, txtWheel2, ""},
      {Color, txtWheel2, kWindowColor}, {Passed, 0, "3"}, {Brush, txtWheel2, to_string(GetSysColor(COLOR_WINDOW))}},
     96, kClosing},
    // A label shows the reported position, then the held one; a turn of no notches still reports and sets the position
    // again; the focus moves on a press; the client area is as laid out.
    {"label", {kClickWheel, Wheel(L, 0, 132, 108), {0, OneHigherH}, {L, WM_HSCROLL, SB_LINERIGHT}, {R, WM_LBUTTONDOWN}},
     {{Text, lblPosH, "106/105"}, {Text, lblPosV, "100/100"}, {Brush, txtWheel, kLeftHighlight},
      {Text, txtWheel, "hh:nn:ss WheelRotate ScrollV Left: Delta=0, Shift=0, X=132, Y=108"}, {Color, L, kButtonFace},
      {Color, R, kRightHighlight}, {Client, 0, "598 x 534"}}},
    // A focused check box leaves both panels plain; the controller path reports the right panel, keys, negative points.
    {"controller", {{R, WM_LBUTTONDOWN}, {L, WM_LBUTTONDOWN}, kClickWheel, Wheel(R, -1, -269, -194, 12)},
     {{Color, L, kButtonFace}, {Color, R, kButtonFace}, {VPos, L, "100"}, {VPos, R, "85"}, {Text, lblPosV, "PosV"},
      {Text, txtWheel, "hh:nn:ss WheelRotate ScrollV Right: Delta=-1, Shift=12, X=-269, Y=-194"},
      {Color, txtWheel, kRightHighlight}}},
    // A notch is a page in page mode (target 301); switching a wheel path off empties and uncolours its text box.
    {"page mode", {{0, Lines, 0, frmMainRules::kWheelPageScroll}, kClickWheel, kClickWheel2, Wheel(L, 1),
      Wheel(0, 1, 453, 152), kClickWheel, kClickWheel2}, {{Text, lblPosV, "200/200"}, {VPos, R, "200"},
      {Text, txtWheel, ""}, {Text, txtWheel2, ""}, {Color, txtWheel, kWindowColor}, {Color, txtWheel2, kWindowColor}}},
    // Hook path: the panels' corners count, turns just outside pass on.
    {"corners", {kClickWheel2, Wheel(0, 1, 702, 432), Wheel(0, 1, 160, 132), Wheel(0, 1, 161, 132),
      Wheel(0, -1, 701, 432, MK_LBUTTON)}, {{VPos, R, "85"}, {Text, lblPosV, "115/115"}, {Text, txtWheel, ""},
      {Text, txtWheel2, "hh:nn:ss WheelRotate ScrollV Right: Delta=-1, Shift=1, X=701, Y=432"}, {Passed, 0, "2"},
      {Color, txtWheel2, kRightHighlight}, {Brush, txtWheel2, kRightHighlight}}, 96, kClosing},
    // Hook path: what a panel passes on reaches the hook; with both paths the controller takes a turn, once; after a
    // WM_QUIT from elsewhere the window lets go in order.
    {"both paths", {kClickWheel2, Wheel(L, 1, 181, 152), kClickWheel, Wheel(L, 1, 191, 162), {0, Quit}},
     {{Text, lblPosV, "130/130"}, {Text, txtWheel, "hh:nn:ss WheelRotate ScrollV Left: Delta=1, Shift=0, X=191, Y=162"},
      {Text, txtWheel2, "hh:nn:ss WheelRotate ScrollV Left: Delta=1, Shift=0, X=181, Y=152"},
      {Color, txtWheel, kLeftHighlight}, {Color, txtWheel2, kLeftHighlight}}, 96, kClosing},
    // Both paths: a hidden bar moves not, the turns are reported and consumed.
    {"hidden bar", {kClickWheel, kClickWheel2, kClickV, Wheel(L, 2, 181, 152), Wheel(0, 1, 181, 152)},
     {{VPos, L, "100"}, {Text, lblPosV, "PosV"}, {Passed, 0, "0"}, {Color, txtWheel, kLeftHighlight},
      {Text, txtWheel, "hh:nn:ss WheelRotate ScrollV Left: Delta=2, Shift=0, X=181, Y=152"},
      {Text, txtWheel2, "hh:nn:ss WheelRotate ScrollV Left: Delta=1, Shift=0, X=181, Y=152"},
      {Color, txtWheel2, kLeftHighlight}}, 96, kClosing},
    // A DPI change lays the window out again where suggested, keeping the pictures where they were; a double-click then
    // sends the left panel's bars back at the new DPI, a hidden one too, and leaves the right panel.
    {"DPI change", {{L, WM_VSCROLL, SB_BOTTOM}, {R, WM_VSCROLL, SB_TOP}, kClickH, {L, WM_HSCROLL, SB_LEFT},
      {0, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&kSuggested)}, {0, WM_LBUTTONDBLCLK}},
     {{Place, 0, "40 30 810 730"}, {VPos, R, "0"}, {Text, lblPosH, "100/100"}, {Text, lblPosV, "100/100"},
      {Pushed, 0, "HV"}}, 120},
};
// clang-format on

TEST(TestWindow, EachInteractionShowsWhatItDid) {
    removeProp = Repoint("RemovePropA", &LoggingRemoveProp), setScrollInfo = Repoint("SetScrollInfo", &OneHigher);
    for (const auto& [name, acts, facts, dpi, closes] : kInteractions) {
        SCOPED_TRACE(name);
        auto app = std::make_unique<frmMain>();
        app->Show();
        const HWND form = app->Handle();
        formProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(form, GWLP_WNDPROC, LONG_PTR(&BelowTheHook)));
        wheelsPassedOn = 0, oneHigher = false;
        for (const Act& act : acts) pushed.clear(), SendMessageA(Control(form, act.id), act.message, act.w, act.l);
        ExpectShows(form, facts, dpi);
        closing.clear(), acts.back().message == Quit ? app.reset() : (void)SendMessageA(form, WM_CLOSE, 0, 0);
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
        EXPECT_EQ(closing, closes) << "what the window let go of as it closed, in order";
    }
}

}  // namespace brennick::e2e
