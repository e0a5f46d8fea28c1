// Case 3 in the test window itself: a wheel turn through frmMain's own handlers, the controller
// path (message to picControlLeft with "Extra Wheel Support" on) and the hook path (message to the
// window with "Extra Wheel Support 2.0" on, pointer over picControlLeft).
#include "app/ControlIds.h"
#include "app/frmMain.h"
#include "bench/Cases.h"

namespace brennick_bench {
namespace {

constexpr const char* kGroup = "wheel";
constexpr std::int32_t kBatch = 100;

// Clicks the check box until it shows the wanted state; false when it never does.
bool SetCheck(HWND box, bool on) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == on) return true;
        SendMessageA(box, BM_CLICK, 0, 0);
    }
    return (SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == on;
}

// A case only counts when one turn moved the left panel's bar and wrote the text box.
std::string Check(HWND window, HWND panel, HWND textBox) {
    if (window == nullptr || panel == nullptr || textBox == nullptr) return "the test window has no such controls";
    SetWindowTextA(textBox, "");
    const int before = GetScrollPos(panel, SB_VERT);
    SendWheel(window, panel, 1);
    const int after = GetScrollPos(panel, SB_VERT);
    char written[8] = {};
    GetWindowTextA(textBox, written, sizeof written);
    SendWheel(window, panel, 1);  // back to where it was
    PumpMessages();
    return after != before && written[0] != '\0' ? std::string() : "one wheel turn did not reach the handlers";
}

struct Fixture {
    brennick::frmMain form;
};

void AddCase(Suite& suite, const std::string& name, const char* peer, HWND window, HWND panel, HWND textBox,
             std::string skipped) {
    suite.Add({.group = kGroup, .name = name, .peer = peer, .batch = kBatch,
               .run = [window, panel](std::int32_t count) { SendWheel(window, panel, count); }, .reset = [] { PumpMessages(); },
               .skipped = skipped.empty() ? Check(window, panel, textBox) : std::move(skipped)});
}

}  // namespace

void AddAppWheelCases(Suite& suite) {
    const auto fixture = std::make_shared<Fixture>();
    suite.Keep(fixture);
    HWND form = fixture->form.Handle();
    if (form != nullptr) fixture->form.Show();
    PumpMessages();
    HWND panel = GetDlgItem(form, brennick::ControlId::picControlLeft);
    HWND wheelSupport = GetDlgItem(form, brennick::ControlId::chkWheelSupport);
    HWND wheelSupport2 = GetDlgItem(form, brennick::ControlId::chkWheelSupport2);
    // Both switches on: each path's message goes to its own window, so neither disturbs the other.
    const bool switched = SetCheck(wheelSupport, true) && SetCheck(wheelSupport2, true);
    const std::string skipped = switched ? std::string() : "the wheel switches could not be turned on";
    AddCase(suite, "test window: controller path", "controller path (CScrollBars)", panel, panel,
            GetDlgItem(form, brennick::ControlId::txtWheel), skipped);
    AddCase(suite, "test window: hook path", "hook path (cSubClassWheel)", form, panel,
            GetDlgItem(form, brennick::ControlId::txtWheel2), skipped);
}

}  // namespace brennick_bench
