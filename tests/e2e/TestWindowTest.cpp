// Brennick.exe and its test window, looked at through Win32 alone. Started under the window system as
// a separate process, as an automation tool sees it: its layout and start state at two DPIs, its
// version from any folder, and its file. Inside this process, driven by messages as a user drives
// it: a table of interactions, each on a fresh window, with what only shows inside: the calls it
// makes to the window system (through this program's imports), its windows' last moments and a DPI
// change.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <regex>

#include "app/ControlIds.h"
#include "app/frmMain.h"
#include "app/frmMainRules.h"
#include "app/toolkit/Automation.h"
#include "app/toolkit/MessageLoop.h"
#include "resources/resource.h"

namespace brennick::e2e {
namespace {

using namespace ControlId;
using enum ui::ScrollBarField;
constexpr int L = picControlLeft, R = picControlRight;

// A control by its ID; 0 is the form itself, and each picture is inside the panel whose ID comes before its own.
HWND Control(HWND form, int id) {
    return id == 0 ? form : GetDlgItem(id == picTrialLeft || id == picTrialRight ? Control(form, id - 1) : form, id);
}
// A control's window rectangle in its parent's client coordinates (the form's: on the screen).
RECT PlaceInParent(HWND form, int id) {
    RECT rect{};
    GetWindowRect(Control(form, id), &rect);
    MapWindowPoints(nullptr, GetParent(Control(form, id)), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }  // as the layout converts them

// What a row expects a window to show, each fact of one control: a bar's position (which places the
// panel's picture as well, stored at 210, 2160 twips, one twip per scroll unit), a bar hidden or its
// range and page (and whether disabled), a text, a wheel report (the point of the row's last wheel
// turn is added), a stored colour (0x00BBGGRR, or 0x80000000 | a system colour index), whether its
// hook is on (a panel's controller, the form's wheel hook), a check box's state, a window rectangle in
// the parent (the form's on the screen), its client area, and (in this process) the wheel turns that the form's
// procedure passed on below the hook.
// clang-format off
enum Look { VPos, HPos, VBar, HBar, Text, Report, Color, Hook, Checked, Place, Client, PassedOn };
const char* const kLooks[] = {"vertical position", "horizontal position", "vertical bar", "horizontal bar", "text",
                              "wheel report", "colour", "hook", "check", "place", "client area", "turns passed on"};
struct Fact { Look look; int id; std::string value; };
int wheelsPassedOn = 0;

std::string Seen(HWND form, Look look, int id) {
    const HWND window = Control(form, id);
    const int bar = look == VPos || look == VBar ? SB_VERT : SB_HORZ;
    // Wine keeps a window's built-in scroll bars where only its own process reads them: the panel is asked.
    const auto ask = [&](ui::ScrollBarField field) { return SendMessageA(window, ui::kQueryScrollBarMessage,
                                                         static_cast<WPARAM>(bar), static_cast<LPARAM>(field)); };
    const auto n = [](auto value) { return std::to_string(value); };
    RECT r = PlaceInParent(form, id), client{};
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    switch (look) {
    case VPos: case HPos: return n(ask(Pos));
    case VBar: case HBar:
        if (!(GetWindowLongPtrA(window, GWL_STYLE) & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return "hidden";
        return n(ask(Min)) + ".." + n(ask(Max)) + ", page " + n(ask(Page)) +
               (ask(State) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE) ? ", disabled" : "");
    case Text: return text;
    case Report:  // its time of day, where it is one, as "hh:nn:ss"
        return std::regex_replace(std::string(text), std::regex("^([01]\\d|2[0-3])(:[0-5]\\d){2} "), "hh:nn:ss ");
    case Color: return n(reinterpret_cast<std::uintptr_t>(GetPropA(window, ui::kBackColorProperty)));
    case Hook: return GetPropA(window, id == 0 ? "nvAdvSubcls" : "nvStdScroll") ? "on" : "off";
    case Checked: return n(SendMessageA(window, BM_GETCHECK, 0, 0));
    case Place: return n(r.left) + "," + n(r.top) + " " + n(r.right) + "," + n(r.bottom);
    case Client: return GetClientRect(window, &client) ? n(client.right) + " x " + n(client.bottom) : "none";
    case PassedOn: return n(wheelsPassedOn);
    }
    return "?";
}
// clang-format on
const std::string kLeftHighlight = std::to_string(0x00FFCCAA), kRightHighlight = std::to_string(0x00AACCFF);
const std::string kWindowColor = std::to_string(0x80000005), kButtonFace = std::to_string(0x8000000F);
constexpr const char* kShown = "0..400, page 201";  // each bar the program shows, enabled

void ExpectFacts(HWND form, const std::vector<Fact>& facts, int dpi = 96, POINT at = {}) {
    const std::string point = ", X=" + std::to_string(at.x) + ", Y=" + std::to_string(at.y);
    for (const auto& [look, id, value] : facts) {
        const std::string expected = look == Report && !value.empty() ? value + point : value;
        EXPECT_EQ(Seen(form, look, id), expected) << kLooks[look] << " of " << id;
        if (look != VPos && look != HPos) continue;
        const RECT picture = PlaceInParent(form, id + 1);
        const int stored = look == VPos ? 2160 : 210;
        EXPECT_EQ(look == VPos ? picture.top : picture.left, Px(stored + 100 - std::stoi(value), dpi)) << "picture";
    }
    EXPECT_EQ(PlaceInParent(form, picTrialRight).left, Px(210, dpi)) << "the right picture never moves sideways";
}

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

// Checks every control of form against the layout at dpi; a window that is not fresh may have moved
// its pictures and changed its labels.
void ExpectLaidOut(HWND form, int dpi, bool fresh = true) {
    std::vector<HWND> children, listed;  // Tab walks the form's children in the order they were created
    for (HWND w = GetWindow(form, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) children.push_back(w);
    for (const auto& [id, windowClass, left, top, width, height, text, tabStop] : kLayout) {
        SCOPED_TRACE(id);
        const HWND window = Control(form, id);
        char name[32] = {};
        ASSERT_TRUE(window && GetClassNameA(window, name, sizeof name));
        if (GetParent(window) == form) listed.push_back(window);
        EXPECT_STRCASEEQ(name, windowClass) << "class";
        EXPECT_EQ((GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP) != 0, tabStop) << "tab stop";
        const RECT r = PlaceInParent(form, id);
        const LONG seen[] = {r.left, r.top, r.right, r.bottom}, want[] = {left, top, left + width, top + height};
        for (int side = 0; side < 4 && (fresh || GetParent(window) == form); ++side)
            EXPECT_NEAR(seen[side], Px(want[side], dpi), dpi == 96 ? 0 : 1) << "left, top, right, bottom: " << side;
        if (!fresh) continue;
        EXPECT_EQ(Seen(form, Text, id), text) << "text";
    }
    EXPECT_EQ(children, listed) << "the form's children in creation (Tab) order";
}

// The program file under test, as a path this process can open (a Unix path from the build is on
// Wine's drive Z:).
const std::wstring kProgram = BRENNICK_EXE_PATH[0] == '/' ? L"Z:" BRENNICK_EXE_PATH : L"" BRENNICK_EXE_PATH;

// The dots per inch a Wine program reads from its prefix as it starts.
void SetLogPixels(DWORD dpi) {
    RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
}
// Brennick.exe from path, started at logPixels, until its window shows (what it is asked then waits
// for its message loop). With the object it is closed as the close button does and must end with exit
// code 0; it is ended if it does not, and the setting is put back.
struct Launched {
    PROCESS_INFORMATION info{};
    HWND form = nullptr;
    Launched(DWORD logPixels, const std::wstring& path) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        SetLogPixels(logPixels);
        CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
        for (DWORD waited = 0, owner = 0; !form && info.hProcess && waited < 15000; waited += 20, Sleep(20))
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "BrennickForm", nullptr)) != nullptr;)
                if (GetWindowThreadProcessId(w, &owner) && owner == info.dwProcessId && IsWindowVisible(w)) form = w;
    }
    ~Launched() {
        DWORD exitCode = STILL_ACTIVE;
        PostMessageA(form, WM_CLOSE, 0, 0), WaitForSingleObject(info.hProcess, 15000);
        EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &exitCode) && exitCode == 0) << "exit code " << exitCode;
        TerminateProcess(info.hProcess, 1), CloseHandle(info.hProcess), CloseHandle(info.hThread), SetLogPixels(96);
    }
};

// clang-format off
const std::vector<Fact> kStart = {
    {Text, 0, "Brennick - 1.00.0011"}, {VBar, L, kShown}, {HBar, L, kShown}, {VBar, R, kShown}, {HBar, R, "hidden"},
    {VPos, L, "100"}, {HPos, L, "100"}, {VPos, R, "100"}, {Hook, L, "on"}, {Hook, R, "on"}, {Hook, 0, "off"},
    {Checked, chkShowScrollH, "1"}, {Checked, chkShowScrollV, "1"}, {Checked, chkWheelSupport, "0"},
    {Checked, chkWheelSupport2, "0"}, {Color, txtWheel, kWindowColor}, {Color, txtWheel2, kWindowColor},
    {Color, L, kLeftHighlight}, {Color, R, kButtonFace}};  // the focus starts on the left panel, which shows it
// clang-format on

// At 96 DPI the program runs from a copy in a folder whose name holds characters outside the ANSI
// code page: it still finds its own file and shows its version. (Wine starts no program from a path
// of MAX_PATH characters or more, so a longer path cannot be tried here.)
TEST(TestWindow, StartsLaidOutAtItsDpiFromAnyFolderAndEndsWithExitCode0) {
    const std::wstring folder = kProgram.substr(0, kProgram.rfind(L'/')) + L"\\\u0444\u0430\u0439\u043B-\u30D5";
    const std::wstring copy = folder + L"\\Brennick.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(kProgram.c_str(), copy.c_str(), FALSE)) << GetLastError();
    for (const auto& [dpi, path] : {std::pair{96, copy}, {144, kProgram}}) {
        SCOPED_TRACE(dpi);
        Launched app(static_cast<DWORD>(dpi), path);
        ASSERT_NE(app.form, nullptr) << "no window";
        ExpectFacts(app.form, kStart, dpi);
        ExpectLaidOut(app.form, dpi);
        // At 144 DPI the window is taller than the virtual screen, which limits its frame.
        if (dpi == 96) ExpectFacts(app.form, {{Client, 0, "598 x 534"}});
        EXPECT_NE(GetClassLongPtrA(app.form, GCL_STYLE) & CS_DBLCLKS, 0u) << "double-clicks";
    }
    DeleteFileW(copy.c_str()), RemoveDirectoryW(folder.c_str());
}

TEST(ProgramFile, CarriesItsGermanVersionBlockItsIconsItsImageAndItsDpiSettings) {
    std::vector<char> block(GetFileVersionInfoSizeW(kProgram.c_str(), nullptr) + 1);
    ASSERT_TRUE(GetFileVersionInfoW(kProgram.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(std::pair(fixed->dwFileVersionMS, fixed->dwFileVersionLS), std::pair(0x10000ul, 11ul)) << "file";
    EXPECT_EQ(std::pair(fixed->dwProductVersionMS, fixed->dwProductVersionLS), std::pair(0x10000ul, 11ul)) << "product";
    EXPECT_TRUE(fixed->dwFileOS == VOS__WINDOWS32 && fixed->dwFileType == VFT_APP) << "a Windows program";
    // clang-format off
    for (const auto& [key, value] : {std::pair{"ProductName", "Brennick"}, {"FileVersion", "1.00.0011"},
             {"ProductVersion", "1.00.0011"}, {"InternalName", "Brennick"}, {"OriginalFilename", "Brennick.exe"}}) {
        // clang-format on
        const char* found = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040704B0\\") + key;
        VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(const_cast<char**>(&found)), &length);
        EXPECT_STREQ(found, value) << key;
    }
    const HMODULE module = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto resource = [&](int id, int type) {
        const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
        return std::string_view(static_cast<const char*>(LockResource(LoadResource(module, found))),
                                SizeofResource(module, found));
    };
    const auto icons = resource(IDI_BRENNICK, 14);  // RT_GROUP_ICON: a 6-byte header, then 14-byte entries
    std::vector<std::pair<int, int>> images;        // size, bits per pixel
    for (std::size_t i = 6; i + 14 <= icons.size(); i += 14) images.emplace_back(icons[i], icons[i + 6]);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 4}, {32, 1}, {32, 4}})) << "icon images";
    const auto* image = reinterpret_cast<const BITMAPINFOHEADER*>(resource(IDB_TRIAL, 2).data());  // RT_BITMAP
    EXPECT_TRUE(image != nullptr && image->biWidth == 200 && std::abs(image->biHeight) == 36) << "the test image";
    // The manifest (RT_MANIFEST) has each DPI setting under its own schema.
    for (const char* entry :
         {"SMI/2005/WindowsSettings\">true/pm</dpiAware>", "SMI/2016/WindowsSettings\">PerMonitorV2</dpiAwareness>"})
        EXPECT_NE(resource(1, 24).find(entry), std::string_view::npos) << entry;
    FreeLibrary(module);
}

// Points this program's imports of user32's name (the slots of its import address table that hold
// it) at to; returns the original. The patches stay: they pass every call on.
template <class Function>
Function Repoint(const char* name, Function to) {
    const auto original = reinterpret_cast<ULONG_PTR>(GetProcAddress(GetModuleHandleA("user32.dll"), name));
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IAT];
    auto* slots = reinterpret_cast<ULONG_PTR*>(base + table.VirtualAddress);
    DWORD was = 0;
    VirtualProtect(slots, table.Size, PAGE_READWRITE, &was);
    std::replace(slots, slots + table.Size / sizeof *slots, original, reinterpret_cast<ULONG_PTR>(to));
    VirtualProtect(slots, table.Size, was, &was);
    return reinterpret_cast<Function>(original);
}

// What the window let go of: the hook properties it removed and the windows it destroyed, each
// window by its control ID (the form's is 0).
std::vector<std::string> closing;
decltype(&RemovePropA) removeProp = nullptr;
decltype(&DestroyWindow) destroyWindow = nullptr;
std::string Id(HWND window) { return std::to_string(GetDlgCtrlID(window)); }
HANDLE WINAPI LoggingRemoveProp(HWND window, LPCSTR name) {
    if (std::string_view(name).starts_with("nv")) closing.push_back(Id(window) + " " + name);
    return removeProp(window, name);
}
BOOL WINAPI LoggingDestroyWindow(HWND w) { return closing.push_back("destroy " + Id(w)), destroyWindow(w); }
// The system's answer for horizontal bars, while oneHigher, one higher than the position the bar holds.
bool oneHigher = false;
decltype(&SetScrollInfo) setScrollInfo = nullptr;
int WINAPI OneHigher(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
    return setScrollInfo(window, bar, info, redraw) + (oneHigher && bar == SB_HORZ);
}
// A raw subclass of the window below everything the program installs, counting wheel turns and
// keeping WM_APP + 2 for itself.
WNDPROC formProcedure = nullptr;
LRESULT CALLBACK BelowTheHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    wheelsPassedOn += message == WM_MOUSEWHEEL;
    return message == WM_APP + 2 ? 0 : CallWindowProcA(formProcedure, window, message, wParam, lParam);
}

constexpr RECT kSuggested{40, 30, 40 + 770, 30 + 700};  // where a DPI change suggests the window goes
const std::vector<std::string> kClosing{"1000 nvStdScroll", "1008 nvStdScroll", "0 nvAdvSubcls", "destroy 0"};
const std::vector<std::string> kUnhooked{kClosing[0], kClosing[1], kClosing[3]};
std::string Reported(std::string panel, int delta, int keys) {
    return "hh:nn:ss WheelRotate ScrollV " + panel + ": Delta=" + std::to_string(delta) +
           ", Shift=" + std::to_string(keys);
}

// One step of a row: a horizontal or vertical scroll code to a panel (id, a), a click on a check box
// (id), a wheel turn of a notches toward the user with keys b to a window (id, 0: the form) at a point
// (c, d) of the form's client area, a double-click on the form, a mouse press on a control (id), a
// change to a DPI (a) suggesting kSuggested; Watch puts BelowTheHook under the form's procedure,
// OneHigherH makes the system's horizontal answers one higher, Quit posts a WM_QUIT from elsewhere,
// which ends the row instead of a close, and Lines stands for another lines-per-notch setting read at
// load (a). A row ends with what closing let go of, in order, and the DPI the window is at. The
// system's setting is 3 lines a notch; bars move 5 a line and 201 a page, and stop at 200. In the
// client area the left panel's window spans 30..298 by 26..326, the right one's 302..570 by 26..326,
// edges inside.
// clang-format off
enum Kind { HScroll, VScroll, Click, Wheel, DoubleClick, Press, Dpi, Watch, OneHigherH, Quit, Lines };
struct Act { Kind kind; int id = 0, a = 0, b = 0, c = 0, d = 0; };
struct Interaction { const char* name; std::vector<Act> acts; std::vector<Fact> facts;
                     std::vector<std::string> closing = kUnhooked; int dpi = 96; };
constexpr Act kClickH{Click, chkShowScrollH}, kClickV{Click, chkShowScrollV};
constexpr Act kClickWheel{Click, chkWheelSupport}, kClickWheel2{Click, chkWheelSupport2};
const Interaction kInteractions[] = {
    {"scroll codes move each panel's own bars and the left one's labels; turns with both wheel paths off pass on",
     {{Watch}, {Wheel, L, 1}, {Wheel, 0, 1}, {HScroll, L, SB_RIGHT}, {HScroll, L, SB_LINELEFT},
      {VScroll, L, SB_LINEDOWN}, {VScroll, R, SB_PAGEDOWN}, {HScroll, R, SB_LINERIGHT}},
     {{VPos, L, "105"}, {HPos, L, "195"}, {VPos, R, "200"}, {Text, lblPosH, "195/195"}, {Text, lblPosV, "105/105"},
      {Report, txtWheel, ""}, {Report, txtWheel2, ""}, {PassedOn, 0, "2"}}},
    {"a label shows the reported position, then the held one; no notches still report and set the position again",
     {kClickWheel, {Wheel, L, 0, 0, 1, 2}, {OneHigherH}, {HScroll, L, SB_LINERIGHT}, {Press, R}},
     {{Text, lblPosH, "106/105"}, {Text, lblPosV, "100/100"}, {Report, txtWheel, Reported("Left", 0, 0)},
      {Color, txtWheel, kLeftHighlight}, {Color, L, kButtonFace}, {Color, R, kRightHighlight}}},
    {"a double-click sends the left panel's bars back, a hidden one too, and leaves the right panel",
     {{VScroll, L, SB_BOTTOM}, {VScroll, R, SB_TOP}, kClickH, {HScroll, L, SB_LEFT}, {DoubleClick}},
     {{VPos, L, "100"}, {HPos, L, "100"}, {VPos, R, "0"}, {Text, lblPosH, "100/100"}, {Text, lblPosV, "100/100"}}},
    {"the show check boxes hide and show the left panel's bars; a hooked turn over neither panel shows nothing",
     {kClickV, kClickH, kClickH, kClickWheel2, {Wheel, 0, 1, 0, 571, 326}},
     {{VBar, L, "hidden"}, {HBar, L, kShown}, {Report, txtWheel2, ""}, {Color, txtWheel2, kWindowColor}}, kClosing},
    {"a focused check box leaves both panels plain; the controller path reports the right panel, keys, negative points",
     {{Press, R}, {Press, L}, kClickWheel, {Wheel, R, -1, 12, -400, -300}},
     {{Color, L, kButtonFace}, {Color, R, kButtonFace}, {VPos, L, "100"}, {VPos, R, "85"}, {Text, lblPosV, "PosV"},
      {Report, txtWheel, Reported("Right", -1, 12)}, {Color, txtWheel, kRightHighlight}}},
    {"a notch is a page in page mode (target 301); switching a wheel path off empties and uncolours its text box",
     {{Lines, 0, frmMainRules::kWheelPageScroll}, kClickWheel, kClickWheel2, {Wheel, L, 1}, {Wheel, 0, 1, 0, 322, 46},
      kClickWheel, kClickWheel2},
     {{VPos, L, "200"}, {Text, lblPosV, "200/200"}, {VPos, R, "200"}, {Report, txtWheel, ""}, {Report, txtWheel2, ""},
      {Color, txtWheel, kWindowColor}, {Color, txtWheel2, kWindowColor}, {Hook, 0, "off"}}},
    {"hook path: panel corners count, turns just outside pass on; closing lets go in order, below the subclass",
     {{Watch}, kClickWheel2, {Wheel, 0, 1, 0, 571, 326}, {Wheel, 0, 1, 0, 29, 26}, {Wheel, 0, 1, 0, 30, 26},
      {Wheel, 0, -1, MK_LBUTTON, 570, 326}},
     {{VPos, L, "115"}, {VPos, R, "85"}, {Text, lblPosV, "115/115"}, {Report, txtWheel, ""}, {PassedOn, 0, "2"},
      {Report, txtWheel2, Reported("Right", -1, 1)}, {Color, txtWheel2, kRightHighlight}, {Hook, 0, "on"}}, kClosing},
    {"hook path: what a panel passes on reaches the hook; after a WM_QUIT from elsewhere it lets go in order",
     {kClickWheel2, {Wheel, L, 1, 0, 50, 46}, {Quit}}, {{VPos, L, "115"}, {Report, txtWheel, ""},
      {Report, txtWheel2, Reported("Left", 1, 0)}, {Color, txtWheel2, kLeftHighlight}}, kClosing},
    {"both paths: the controller takes the turn, once: the left panel scrolls and reports",
     {kClickWheel2, kClickWheel, {Wheel, L, 1, 0, 50, 46}},
     {{VPos, L, "115"}, {Text, lblPosV, "115/115"}, {Report, txtWheel, Reported("Left", 1, 0)},
      {Report, txtWheel2, ""}, {Color, txtWheel, kLeftHighlight}}, kClosing},
    {"both paths: a hidden bar moves not, the turns are reported and consumed",
     {{Watch}, kClickWheel, kClickWheel2, kClickV, {Wheel, L, 2, 0, 50, 46}, {Wheel, 0, 1, 0, 50, 46}},
     {{VPos, L, "100"}, {Text, lblPosV, "PosV"}, {Report, txtWheel, Reported("Left", 2, 0)}, {PassedOn, 0, "0"},
      {Report, txtWheel2, Reported("Left", 1, 0)}, {Color, txtWheel, kLeftHighlight},
      {Color, txtWheel2, kLeftHighlight}}, kClosing},
    {"a DPI change lays the window out again where suggested, keeping the pictures; a later scroll is at the DPI",
     {{VScroll, L, SB_BOTTOM}, {Dpi, 0, 120}, {VScroll, R, SB_LINEDOWN}},
     {{Place, 0, "40,30 810,730"}, {VPos, L, "200"}, {HPos, L, "100"}, {VPos, R, "105"}}, kUnhooked, 120},
};

void Do(HWND form, const Act& act, POINT& at) {
    const HWND target = Control(form, act.id);
    const auto procedure = reinterpret_cast<LONG_PTR>(&BelowTheHook);
    switch (act.kind) {
    case HScroll: SendMessageA(target, WM_HSCROLL, static_cast<WPARAM>(act.a), 0); break;
    case VScroll: SendMessageA(target, WM_VSCROLL, static_cast<WPARAM>(act.a), 0); break;
    case Click: SendMessageA(target, BM_CLICK, 0, 0); break;
    case Wheel:
        at = {act.c, act.d}, ClientToScreen(form, &at);
        SendMessageA(target, WM_MOUSEWHEEL, MAKEWPARAM(act.b, -WHEEL_DELTA * act.a), MAKELPARAM(at.x, at.y)); break;
    case DoubleClick: SendMessageA(form, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5)); break;
    case Press: SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, 0); break;
    case Dpi: SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(act.a, act.a), reinterpret_cast<LPARAM>(&kSuggested)); break;
    case Watch: formProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(form, GWLP_WNDPROC, procedure)); break;
    case OneHigherH: oneHigher = true; break;
    case Quit: PostQuitMessage(0); break;
    case Lines: frmMainRules::WheelScrollLines = act.a; break;
    }
}
// clang-format on

TEST(TestWindow, EachInteractionShowsWhatItDid) {
    removeProp = Repoint("RemovePropA", &LoggingRemoveProp);
    destroyWindow = Repoint("DestroyWindow", &LoggingDestroyWindow);
    setScrollInfo = Repoint("SetScrollInfo", &OneHigher);
    for (const auto& [name, acts, facts, closes, dpi] : kInteractions) {
        SCOPED_TRACE(name);
        std::optional<frmMain> app(std::in_place);
        app->Show();
        const HWND form = app->Handle();
        POINT at{};
        wheelsPassedOn = 0, oneHigher = false;
        for (const Act& act : acts) Do(form, act, at);
        ExpectFacts(form, facts, dpi, at);
        if (dpi != 96) ExpectLaidOut(form, dpi, false);
        for (const int box : {txtWheel, txtWheel2}) {  // the form's WM_CTLCOLOREDIT brush paints the stored colour
            LOGBRUSH brush{};
            const auto painted = SendMessageA(form, WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(Control(form, box)));
            GetObjectA(reinterpret_cast<HBRUSH>(painted), sizeof brush, &brush);
            const auto stored = std::stoul(Seen(form, Color, box));  // a system colour index with the top bit set
            EXPECT_EQ(brush.lbColor, stored >> 31 ? GetSysColor(static_cast<int>(stored & 0xFF)) : stored)
                << "painted colour of " << box;
        }
        const bool quit = std::ranges::any_of(acts, [](const Act& act) { return act.kind == Quit; });
        closing.clear();
        quit ? (ui::RunMessageLoop(form), app.reset()) : (void)SendMessageA(form, WM_CLOSE, 0, 0);
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
        EXPECT_EQ(closing, closes) << "what the window let go of as it closed, in order";
    }
}

}  // namespace
}  // namespace brennick::e2e
