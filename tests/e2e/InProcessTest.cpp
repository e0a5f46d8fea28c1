// The test window inside this process, where what only happens inside can be watched: the calls
// it makes to the window system (through this program's imports), its windows' last moments, a
// DPI change with the system's suggested rectangle, and a wheel turn that the hook passes on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "tests/e2e/RunningBrennick.h"

namespace brennick::e2e {
namespace {

// Points this program's import of user32's name at replacement and returns the original.
void* PatchImport(const char* name, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name != 0; ++dll) {
        if (_stricmp(reinterpret_cast<char*>(base + dll->Name), "user32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
            DWORD was = 0;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &was);
            void* original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof(void*), was, &was);
            return original;
        }
    }
    return nullptr;
}

// The test window in this process, shown; it is closed or destroyed with the object.
struct InProcess {
    frmMain window;
    HWND form = window.Handle();
    InProcess() { window.Show(); }
    ~InProcess() {
        MSG quit;
        while (PeekMessageA(&quit, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&quit);  // WM_QUIT of a closed window too
    }
    HWND Control(int id) const { return GetDlgItem(form, id); }
    void Close() {
        SendMessageA(form, WM_CLOSE, 0, 0);
        MSG message;
        while (IsWindow(form) && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    }
};

// What the window's hooks did: the properties removed, and what was still hooked when the first
// of the form and its panels was destroyed.
std::vector<std::string> removed, stillHooked;
std::vector<HWND> watched;
decltype(&RemovePropA) removeProp = nullptr;
HHOOK watch = nullptr;

HANDLE WINAPI LoggingRemoveProp(HWND window, LPCSTR name) {
    const char* who = window == watched[0] ? "window" : window == watched[1] ? "left panel" : "right panel";
    if (std::strncmp(name, "nv", 2) == 0) removed.push_back(std::string(who) + " " + name);
    return removeProp(window, name);
}

LRESULT CALLBACK OnDestroying(int code, WPARAM wParam, LPARAM lParam) {
    const HWND going = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_DESTROYWND && stillHooked.empty() && std::find(watched.begin(), watched.end(), going) != watched.end()) {
        for (const HWND w : watched) {
            if (GetPropA(w, "nvStdScroll") || GetPropA(w, "nvAdvSubcls")) stillHooked.push_back("a hooked window");
        }
        stillHooked.push_back("looked");
    }
    return CallNextHookEx(watch, code, wParam, lParam);
}

TEST(TestWindowInProcess, ClosingLetsGoOfLeftRightAndHookInOrderBeforeAnyWindowGoes) {
    for (const bool hookOn : {true, false}) {
        SCOPED_TRACE(hookOn ? "closed through the wheel hook's procedure" : "wheel hook never attached");
        removed.clear();
        stillHooked.clear();
        {
            InProcess app;
            watched = {app.form, app.Control(picControlLeft), app.Control(picControlRight)};
            if (hookOn) SendMessageA(app.Control(chkWheelSupport2), BM_CLICK, 0, 0);
            removeProp = reinterpret_cast<decltype(removeProp)>(PatchImport("RemovePropA", reinterpret_cast<void*>(&LoggingRemoveProp)));
            watch = SetWindowsHookExA(WH_CBT, &OnDestroying, nullptr, GetCurrentThreadId());
            app.Close();
            UnhookWindowsHookEx(watch);
            PatchImport("RemovePropA", reinterpret_cast<void*>(removeProp));
        }
        std::vector<std::string> order = {"left panel nvStdScroll", "right panel nvStdScroll"};
        if (hookOn) order.push_back("window nvAdvSubcls");
        EXPECT_EQ(removed, order);
        EXPECT_EQ(stillHooked, std::vector<std::string>{"looked"});
    }
}

TEST(TestWindowInProcess, ADpiChangeLaysTheWindowOutAgainWherePicturesKeepTheirBarPositions) {
    InProcess app;
    SendMessageA(app.Control(picControlRight), WM_VSCROLL, SB_BOTTOM, 0);
    RECT suggested{40, 30, 40 + 770, 30 + 700};
    SendMessageA(app.form, WM_DPICHANGED, MAKEWPARAM(120, 120), reinterpret_cast<LPARAM>(&suggested));
    RECT now{};
    GetWindowRect(app.form, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    ExpectLaidOut(app.form, 120, false);
    RECT left{}, right{};
    GetWindowRect(GetDlgItem(app.Control(picControlLeft), picTrialLeft), &left);
    GetWindowRect(GetDlgItem(app.Control(picControlRight), picTrialRight), &right);
    MapWindowPoints(nullptr, app.Control(picControlLeft), reinterpret_cast<POINT*>(&left), 2);
    MapWindowPoints(nullptr, app.Control(picControlRight), reinterpret_cast<POINT*>(&right), 2);
    EXPECT_NEAR(left.top, Px(2260 - 100, 120), 1) << "the left bar stands at 100";
    EXPECT_NEAR(right.top, Px(2260 - 200, 120), 1) << "the right bar stands at 200";
    EXPECT_NEAR(left.right - left.left, Px(3000, 120), 1);
}

WNDPROC formProcedure = nullptr;
int wheelsPassedOn = 0;
LRESULT CALLBACK BelowTheHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) ++wheelsPassedOn;
    return CallWindowProcA(formProcedure, window, message, wParam, lParam);
}

// The hook passes on a turn over neither panel; the window's own procedure gets it.
TEST(TestWindowInProcess, TheHookPassesOnATurnOverNeitherPanel) {
    InProcess app;
    formProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(app.form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BelowTheHook)));
    SendMessageA(app.Control(chkWheelSupport2), BM_CLICK, 0, 0);
    RECT panel{};
    GetWindowRect(app.Control(picControlRight), &panel);
    wheelsPassedOn = 0;
    SendMessageA(app.form, WM_MOUSEWHEEL, WheelWParam(1, 0), PointLParam(panel.right + 1, panel.bottom));
    EXPECT_EQ(wheelsPassedOn, 1);
    SendMessageA(app.form, WM_MOUSEWHEEL, WheelWParam(1, 0), PointLParam(panel.right, panel.bottom));
    EXPECT_EQ(wheelsPassedOn, 1) << "over a panel it is consumed";
}

// When the bar holds another position than the one reported (the system's answer is put one
// higher here), the label shows the reported one first and the held one second.
decltype(&SetScrollInfo) setScrollInfo = nullptr;
int WINAPI OneHigher(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw) {
    return setScrollInfo(window, bar, info, redraw) + (bar == SB_HORZ ? 1 : 0);
}

TEST(TestWindowInProcess, PositionLabelsShowTheReportedPositionThenTheHeldOne) {
    InProcess app;
    setScrollInfo = reinterpret_cast<decltype(setScrollInfo)>(PatchImport("SetScrollInfo", reinterpret_cast<void*>(&OneHigher)));
    SendMessageA(app.Control(picControlLeft), WM_HSCROLL, SB_LINERIGHT, 0);
    PatchImport("SetScrollInfo", reinterpret_cast<void*>(setScrollInfo));
    char text[32] = {};
    GetWindowTextA(app.Control(lblPosH), text, sizeof text);
    EXPECT_STREQ(text, "106/105");
}

}  // namespace
}  // namespace brennick::e2e
