// Brennick.exe started under the window system and looked at from this process, as an automation
// tool sees it: its layout and start state at two DPIs, and its program file.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "app/toolkit/Handles.h"
#include "resources/resource.h"
#include "tests/e2e/Probe.h"

namespace brennick::e2e {

// Every control in creation (tab) order: class, twips rectangle in its parent, text, tab stop.
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

void ExpectLaidOut(HWND form, int dpi, bool pictures) {
    HWND next = GetWindow(form, GW_CHILD);  // the form's children as Tab walks them: in the order they were created
    for (const Layout& c : kLayout) {
        SCOPED_TRACE(c.id);
        const HWND window = Control(form, c.id);
        const bool picture = GetParent(window) != form;
        char name[32] = {};
        ASSERT_TRUE(window && GetClassNameA(window, name, sizeof name));
        EXPECT_TRUE(picture || window == std::exchange(next, GetWindow(next, GW_HWNDNEXT))) << "Tab order";
        EXPECT_STRCASEEQ(name, c.windowClass);
        EXPECT_EQ(Text(form, c.id), c.text);
        EXPECT_EQ((GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP) != 0, c.tabStop);
        if (picture && !pictures) continue;
        const RECT r = PlaceInParent(form, c.id);
        EXPECT_TRUE(std::abs(r.left - Px(c.left, dpi)) <= 1 && std::abs(r.top - Px(c.top, dpi)) <= 1) << r.left << "," << r.top;
        EXPECT_TRUE(std::abs(r.right - Px(c.left + c.width, dpi)) <= 1 && std::abs(r.bottom - Px(c.top + c.height, dpi)) <= 1) << r.right << "," << r.bottom;
    }
    EXPECT_EQ(next, nullptr) << "a child the layout does not know";
}

namespace {

constexpr DWORD kPatienceMs = 15000;

// The program file under test, as a path this process can open (a Unix path from the build is on Wine's drive Z:).
std::string ProgramPath() {
    std::string path = BRENNICK_EXE_PATH;
    if (path.starts_with('/')) std::replace(path.begin(), path.end(), '/', '\\'), path.insert(0, "Z:");
    return path;
}

// Brennick.exe, started at logPixels dots per inch (the prefix's setting, which a Wine program
// reads as it starts) and idle with its window shown; ended with the object if it will not close.
struct Launched {
    ui::UniqueKernelHandle process, thread;
    HWND form = nullptr;
    explicit Launched(int logPixels) {
        const auto setLogPixels = [](DWORD dpi) { RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi); };
        std::string commandLine = '"' + ProgramPath() + '"';
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        setLogPixels(static_cast<DWORD>(logPixels));
        const bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
        if (started) WaitForInputIdle(info.hProcess, kPatienceMs), process.Reset(info.hProcess), thread.Reset(info.hThread);
        setLogPixels(96);
        if (!started) { ADD_FAILURE() << commandLine << ", error " << GetLastError(); return; }
        for (DWORD waited = 0, owner = 0; form == nullptr && waited < kPatienceMs; waited += 20, Sleep(20)) {
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "BrennickForm", nullptr)) != nullptr;) {
                if (GetWindowThreadProcessId(w, &owner) && owner == info.dwProcessId && IsWindowVisible(w)) form = w;
            }
        }
        // Answered once the program is in its message loop.
        EXPECT_TRUE(form && SendMessageTimeoutA(form, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, nullptr)) << "no window";
    }
    ~Launched() { if (Close() == STILL_ACTIVE) TerminateProcess(process.Get(), 1); }
    DWORD Close() {  // as the close button does; the exit code
        DWORD exitCode = STILL_ACTIVE;
        if (form != nullptr) PostMessageA(std::exchange(form, nullptr), WM_CLOSE, 0, 0);
        if (process.Get() && WaitForSingleObject(process.Get(), kPatienceMs) == WAIT_OBJECT_0) GetExitCodeProcess(process.Get(), &exitCode);
        return exitCode;
    }
};

// Tab presses (Shift+Tab for a negative count) through the system's input queue, which needs the
// window in front; the program's own message loop moves the focus.
void PressTab(HWND form, int presses) {
    INPUT keys[4] = {{INPUT_KEYBOARD, {.ki = {VK_SHIFT, 0, 0, 0, 0}}}, {INPUT_KEYBOARD, {.ki = {VK_TAB, 0, 0, 0, 0}}},
                     {INPUT_KEYBOARD, {.ki = {VK_TAB, 0, KEYEVENTF_KEYUP, 0, 0}}}, {INPUT_KEYBOARD, {.ki = {VK_SHIFT, 0, KEYEVENTF_KEYUP, 0, 0}}}};
    for (int press = 0; press < std::abs(presses); ++press) {
        SetForegroundWindow(form);
        const HWND before = Focus(form);
        presses < 0 ? SendInput(4, keys, sizeof(INPUT)) : SendInput(2, keys + 1, sizeof(INPUT));
        for (int i = 0; i < 200 && Focus(form) == before; ++i) Sleep(10);
    }
}

TEST(TestWindow, StartsLaidOutAtItsDpiWithItsBarsSetAndNothingMoved) {
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        Launched app(dpi);
        const HWND form = app.form;
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(Text(form, 0), "Brennick - 1.00.0011");
        ExpectLaidOut(form, dpi);
        // At 144 DPI the window is taller than the virtual screen, which limits its frame.
        RECT client{};
        EXPECT_TRUE(dpi != 96 || (GetClientRect(form, &client) && client.right == 598 && client.bottom == 534));
        EXPECT_NE(GetClassLongPtrA(form, GCL_STYLE) & CS_DBLCLKS, 0u);
        for (const auto& [panel, bar] : {std::pair{picControlLeft, SB_HORZ}, {picControlLeft, SB_VERT}, {picControlRight, SB_VERT}}) {
            const auto field = [&, id = panel, which = bar](ScrollBarField f) { return Bar(form, id, which, f); };
            EXPECT_TRUE(BarShown(form, panel, bar) && field(ScrollBarField::Max) + field(ScrollBarField::Page) == 601 && field(ScrollBarField::Pos) == 100);
            EXPECT_EQ(field(ScrollBarField::State) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE), 0);
        }
        EXPECT_FALSE(BarShown(form, picControlRight, SB_HORZ));
        EXPECT_TRUE(GetPropA(Control(form, picControlLeft), "nvStdScroll") && GetPropA(Control(form, picControlRight), "nvStdScroll"));
        EXPECT_FALSE(GetPropA(form, "nvAdvSubcls"));
        EXPECT_EQ(SendMessageA(Control(form, chkShowScrollH), BM_GETCHECK, 0, 0) + SendMessageA(Control(form, chkShowScrollV), BM_GETCHECK, 0, 0), 2);
        EXPECT_EQ(SendMessageA(Control(form, chkWheelSupport), BM_GETCHECK, 0, 0) + SendMessageA(Control(form, chkWheelSupport2), BM_GETCHECK, 0, 0), 0);
        EXPECT_EQ(BackColor(form, txtWheel), 0x80000005u);
        // The focus starts on the left panel; Tab passes the labels, goes round to the left panel and back with Shift;
        // the right panel stays plain.
        for (const auto& [presses, focus, leftColor] : {std::tuple{0, picControlLeft, 0x00FFCCAAu}, {3, txtWheel, 0x8000000Fu},
                                                        {5, picControlLeft, 0x00FFCCAAu}, {-2, chkWheelSupport2, 0x8000000Fu}}) {
            PressTab(form, presses);
            EXPECT_TRUE(Focus(form) == Control(form, focus) && BackColor(form, picControlLeft) == leftColor) << presses;
            EXPECT_EQ(BackColor(form, picControlRight), 0x8000000Fu) << presses;
        }
        EXPECT_EQ(app.Close(), 0u) << "exit code";
    }
}

TEST(ProgramFile, CarriesItsGermanVersionBlockItsIconAndItsImage) {
    const std::string path = ProgramPath();
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr; UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_TRUE(fixed->dwFileVersionMS == MAKELONG(0, 1) && fixed->dwProductVersionLS == MAKELONG(11, 0));
    EXPECT_TRUE(fixed->dwFileOS == VOS__WINDOWS32 && fixed->dwFileType == VFT_APP);
    for (const auto& [key, value] : {std::pair{"ProductName", "Brennick"}, {"FileVersion", "1.00.0011"}, {"ProductVersion", "1.00.0011"},
                                     {"InternalName", "Brennick"}, {"OriginalFilename", "Brennick.exe"}}) {
        char* found = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040704B0\\") + key;
        EXPECT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&found), &length) && std::string(found) == value) << key;
    }
    const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto resource = [&](int id, int type) {
        return static_cast<const BYTE*>(LockResource(LoadResource(module, FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type)))));
    };
    const BYTE* icons = resource(IDI_BRENNICK, 14);  // RT_GROUP_ICON: a 6-byte header, then 14-byte entries
    ASSERT_NE(icons, nullptr);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (int i = 0; i < icons[4]; ++i) images.emplace_back(icons[6 + 14 * i], icons[6 + 14 * i + 6]);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 4}, {32, 1}, {32, 4}}));
    const auto* image = reinterpret_cast<const BITMAPINFOHEADER*>(resource(IDB_TRIAL, 2));  // RT_BITMAP
    EXPECT_TRUE(image != nullptr && image->biWidth == 200 && std::abs(image->biHeight) == 36);
    const HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST: each DPI setting under its own schema
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))), SizeofResource(module, manifest));
    EXPECT_TRUE(text.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<") != text.npos &&
                text.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2<") != text.npos) << text;
    FreeLibrary(module);
}

}  // namespace
}  // namespace brennick::e2e
