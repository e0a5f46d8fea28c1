// Brennick.exe started under the window system and looked at from this process, as an automation
// tool sees it: its layout and start state at two DPIs, its version from any folder, and its file.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "app/toolkit/Handles.h"
#include "resources/resource.h"
#include "tests/e2e/Probe.h"

namespace brennick::e2e {

// Every control in creation (tab) order: class, twips rectangle in its parent, text, tab stop.
struct Layout {
    int id;
    const char* windowClass;
    int left, top, width, height;
    const char* text;
    bool tabStop;
};
// clang-format off
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

void ExpectLaidOut(HWND form, int dpi, bool pictures) {
    HWND next = GetWindow(form, GW_CHILD);  // the form's children as Tab walks them: in the order they were created
    for (const Layout& c : kLayout) {
        SCOPED_TRACE(c.id);
        const HWND window = Control(form, c.id);
        const bool picture = GetParent(window) != form;
        char name[32] = {};
        ASSERT_TRUE(window && GetClassNameA(window, name, sizeof name));
        if (!picture) {
            EXPECT_EQ(window, std::exchange(next, GetWindow(next, GW_HWNDNEXT))) << "Tab order";
        }
        EXPECT_STRCASEEQ(name, c.windowClass);
        EXPECT_EQ(Text(form, c.id), c.text);
        EXPECT_EQ((GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP) != 0, c.tabStop) << "tab stop";
        if (picture && !pictures) continue;
        const RECT r = PlaceInParent(form, c.id);
        EXPECT_NEAR(r.left, Px(c.left, dpi), 1) << "left";
        EXPECT_NEAR(r.top, Px(c.top, dpi), 1) << "top";
        EXPECT_NEAR(r.right, Px(c.left + c.width, dpi), 1) << "right";
        EXPECT_NEAR(r.bottom, Px(c.top + c.height, dpi), 1) << "bottom";
    }
    EXPECT_EQ(next, nullptr) << "a child the layout does not know";
}

namespace {

constexpr DWORD kPatienceMs = 15000;

// The program file under test, as a path this process can open (a Unix path from the build is on
// Wine's drive Z:).
std::wstring ProgramPath() {
    std::string path = BRENNICK_EXE_PATH;
    if (path.starts_with('/')) std::replace(path.begin(), path.end(), '/', '\\'), path.insert(0, "Z:");
    return std::wstring(path.begin(), path.end());
}

// Brennick.exe from path, started at logPixels dots per inch (the prefix's setting, which a Wine
// program reads as it starts) and idle with its window shown; ended with the object if it will not close.
struct Launched {
    ui::UniqueKernelHandle process, thread;
    HWND form = nullptr;
    explicit Launched(int logPixels, const std::wstring& path = ProgramPath()) {
        const auto setLogPixels = [](DWORD dpi) {
            RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
        };
        std::wstring commandLine = L'"' + path + L'"';
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        setLogPixels(static_cast<DWORD>(logPixels));
        const bool started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                            nullptr, &startup, &info);
        if (started)
            WaitForInputIdle(info.hProcess, kPatienceMs), process.Reset(info.hProcess), thread.Reset(info.hThread);
        setLogPixels(96);
        if (!started) {
            ADD_FAILURE() << "not started, error " << GetLastError();
            return;
        }
        for (DWORD waited = 0, owner = 0; form == nullptr && waited < kPatienceMs; waited += 20, Sleep(20)) {
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "BrennickForm", nullptr)) != nullptr;) {
                if (GetWindowThreadProcessId(w, &owner) && owner == info.dwProcessId && IsWindowVisible(w)) form = w;
            }
        }
        // Answered once the program is in its message loop.
        EXPECT_TRUE(form && SendMessageTimeoutA(form, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, nullptr)) << "no window";
    }
    ~Launched() {
        if (Close() == STILL_ACTIVE) TerminateProcess(process.Get(), 1);
    }
    DWORD Close() {  // as the close button does; the exit code
        DWORD exitCode = STILL_ACTIVE;
        if (form != nullptr) PostMessageA(std::exchange(form, nullptr), WM_CLOSE, 0, 0);
        if (process.Get() && WaitForSingleObject(process.Get(), kPatienceMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.Get(), &exitCode);
        return exitCode;
    }
};

// Tab presses (Shift+Tab for a negative count) through the system's input queue, which needs the
// window in front; the program's own message loop moves the focus.
void PressTab(HWND form, int presses) {
    INPUT keys[4] = {{INPUT_KEYBOARD, {.ki = {VK_SHIFT, 0, 0, 0, 0}}},
                     {INPUT_KEYBOARD, {.ki = {VK_TAB, 0, 0, 0, 0}}},
                     {INPUT_KEYBOARD, {.ki = {VK_TAB, 0, KEYEVENTF_KEYUP, 0, 0}}},
                     {INPUT_KEYBOARD, {.ki = {VK_SHIFT, 0, KEYEVENTF_KEYUP, 0, 0}}}};
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
        EXPECT_EQ(Text(form, 0), "Brennick - 1.00.0011") << "caption";
        ExpectLaidOut(form, dpi);
        RECT client{};  // at 144 DPI the window is taller than the virtual screen, which limits its frame
        if (dpi == 96) {
            EXPECT_TRUE(GetClientRect(form, &client) && client.right == 598 && client.bottom == 534) << "client area";
        }
        EXPECT_NE(GetClassLongPtrA(form, GCL_STYLE) & CS_DBLCLKS, 0u) << "double-clicks";
        for (const auto& [panel, bar] :
             {std::pair{picControlLeft, SB_HORZ}, {picControlLeft, SB_VERT}, {picControlRight, SB_VERT}}) {
            SCOPED_TRACE(panel * 10 + bar);
            EXPECT_TRUE(BarShown(form, panel, bar)) << "shown";
            EXPECT_EQ(Bar(form, panel, bar, ScrollBarField::Max) + Bar(form, panel, bar, ScrollBarField::Page), 601)
                << "range";
            EXPECT_EQ(Bar(form, panel, bar, ScrollBarField::Pos), 100) << "position";
            EXPECT_EQ(
                Bar(form, panel, bar, ScrollBarField::State) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE), 0);
        }
        EXPECT_FALSE(BarShown(form, picControlRight, SB_HORZ)) << "the right panel has no horizontal bar";
        EXPECT_TRUE(GetPropA(Control(form, picControlLeft), "nvStdScroll") &&
                    GetPropA(Control(form, picControlRight), "nvStdScroll"));
        EXPECT_FALSE(GetPropA(form, "nvAdvSubcls")) << "the wheel hook is not attached";
        const auto checked = [&](int id) { return SendMessageA(Control(form, id), BM_GETCHECK, 0, 0); };
        EXPECT_EQ(checked(chkShowScrollH) + checked(chkShowScrollV), 2) << "the bars' check boxes";
        EXPECT_EQ(checked(chkWheelSupport) + checked(chkWheelSupport2), 0) << "the wheel check boxes";
        EXPECT_EQ(BackColor(form, txtWheel), 0x80000005u) << "txtWheel's colour";
        // The focus starts on the left panel; Tab passes the labels, goes round to the left panel and
        // back with Shift; the right panel stays plain.
        for (const auto& [presses, focus, leftColor] : {std::tuple{0, picControlLeft, 0x00FFCCAAu},
                                                        {3, txtWheel, 0x8000000Fu},
                                                        {5, picControlLeft, 0x00FFCCAAu},
                                                        {-2, chkWheelSupport2, 0x8000000Fu}}) {
            PressTab(form, presses);
            EXPECT_EQ(Focus(form), Control(form, focus)) << presses;
            EXPECT_EQ(BackColor(form, picControlLeft), leftColor) << presses;
            EXPECT_EQ(BackColor(form, picControlRight), 0x8000000Fu) << presses;
        }
        EXPECT_EQ(app.Close(), 0u) << "exit code";
    }
}

// Copied to a folder whose path holds characters outside the ANSI code page, the program still
// finds its own file and shows its version. (Wine starts no program from a path of MAX_PATH
// characters or more, so a longer path cannot be tried here.)
TEST(TestWindow, ShowsItsVersionFromAFolderOfAnyName) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"brennick-\u0444\u0430\u0439\u043B-\u30D5\u30A9\u30EB\u30C0";
    const std::wstring copy = folder + L"\\Brennick.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), copy.c_str(), FALSE)) << GetLastError();
    {
        Launched app(96, copy);
        ASSERT_NE(app.form, nullptr);
        EXPECT_EQ(Text(app.form, 0), "Brennick - 1.00.0011") << "caption";
    }
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(ProgramFile, CarriesItsGermanVersionBlockItsIconAndItsImage) {
    const std::wstring path = ProgramPath();
    std::vector<char> block(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1)) << "file version 1.0";
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(11, 0)) << "product version .0.11";
    EXPECT_TRUE(fixed->dwFileOS == VOS__WINDOWS32 && fixed->dwFileType == VFT_APP) << "a Windows program";
    for (const auto& [key, value] : {std::pair{"ProductName", "Brennick"},
                                     {"FileVersion", "1.00.0011"},
                                     {"ProductVersion", "1.00.0011"},
                                     {"InternalName", "Brennick"},
                                     {"OriginalFilename", "Brennick.exe"}}) {
        char* found = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040704B0\\") + key;
        EXPECT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&found), &length) &&
                    std::string(found) == value)
            << key;
    }
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto resource = [&](int id, int type) {
        const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
        return std::pair(static_cast<const BYTE*>(LockResource(LoadResource(module, found))),
                         SizeofResource(module, found));
    };
    const BYTE* icons = resource(IDI_BRENNICK, 14).first;  // RT_GROUP_ICON: a 6-byte header, then 14-byte entries
    ASSERT_NE(icons, nullptr);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (int i = 0; i < icons[4]; ++i) images.emplace_back(icons[6 + 14 * i], icons[6 + 14 * i + 6]);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 4}, {32, 1}, {32, 4}})) << "icon images";
    const auto* image = reinterpret_cast<const BITMAPINFOHEADER*>(resource(IDB_TRIAL, 2).first);  // RT_BITMAP
    EXPECT_TRUE(image != nullptr && image->biWidth == 200 && std::abs(image->biHeight) == 36) << "the test image";
    const auto [manifest, size] = resource(1, 24);  // RT_MANIFEST: each DPI setting under its own schema
    const std::string text(reinterpret_cast<const char*>(manifest), size);
    EXPECT_NE(text.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<"),
              text.npos);
    EXPECT_NE(text.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2<"),
              text.npos);
    FreeLibrary(module);
}

}  // namespace
}  // namespace brennick::e2e
