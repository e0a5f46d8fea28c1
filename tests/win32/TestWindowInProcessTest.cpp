// The test window inside this process, where its windows' last moments can be watched: whichever
// way the close arrives, its three components have let go of their windows before the first of
// those windows is destroyed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/frmMain.h"

namespace brennick {
namespace {

struct Watch {
    std::vector<HWND> windows;        // the form and its two panels
    std::vector<WNDPROC> procedures;  // what each ran before the components hooked it
    std::vector<std::string> broken;  // what was still hooked when the first of them went
    bool destroying = false;
};
Watch* watch = nullptr;
HHOOK hook = nullptr;

LRESULT CALLBACK OnWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND && watch != nullptr && !watch->destroying) {
        const HWND going = reinterpret_cast<HWND>(wParam);
        for (std::size_t i = 0; i < watch->windows.size(); ++i) {
            if (watch->windows[i] != going) continue;
            watch->destroying = true;
            for (std::size_t j = 0; j < watch->windows.size(); ++j) {
                const HWND w = watch->windows[j];
                const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC));
                if (GetPropA(w, "nvStdScroll") || GetPropA(w, "nvAdvSubcls") || procedure != watch->procedures[j]) {
                    watch->broken.push_back("window " + std::to_string(j));
                }
            }
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

TEST(TestWindowInProcess, ItsComponentsLetGoBeforeItsWindowsGoHoweverTheCloseArrives) {
    struct Case {
        const char* name;
        bool wheelHookOn;
    };
    for (const Case& c : {Case{"close with the wheel hook on the window", true}, Case{"plain close", false}}) {
        SCOPED_TRACE(c.name);
        Watch seen;
        {
            frmMain window;
            const HWND form = window.Handle();
            seen.windows = {form, GetDlgItem(form, ControlId::picControlLeft), GetDlgItem(form, ControlId::picControlRight)};
            for (const HWND w : seen.windows) {
                seen.procedures.push_back(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)));
            }
            window.Show();
            if (c.wheelHookOn) SendMessageA(GetDlgItem(form, ControlId::chkWheelSupport2), BM_CLICK, 0, 0);
            ASSERT_EQ(GetPropA(form, "nvAdvSubcls") != nullptr, c.wheelHookOn);
            watch = &seen;
            hook = SetWindowsHookExA(WH_CBT, &OnWindowEvent, nullptr, GetCurrentThreadId());
            SendMessageA(form, WM_CLOSE, 0, 0);  // through the hook's procedure when it is on
            MSG message;
            while (IsWindow(form) && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
            UnhookWindowsHookEx(hook);
            watch = nullptr;
            EXPECT_FALSE(IsWindow(form));
        }
        EXPECT_TRUE(seen.destroying);
        EXPECT_TRUE(seen.broken.empty()) << seen.broken.front();
    }
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the closed window's
}

}  // namespace
}  // namespace brennick
