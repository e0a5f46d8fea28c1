// The check boxes switch the left panel's bars and the wheel paths; the focused panel shows its
// highlight; Tab and Shift+Tab walk the tab order.
#include <chrono>
#include <thread>
#include <vector>

#include "tests/e2e/BrennickWindowTest.h"

namespace brennick::e2e {
namespace {

using Switches = BrennickWindow;
using Focus = BrennickWindow;
using namespace ControlId;

TEST_F(Switches, ShowScrollCheckBoxesHideAndShowOnlyTheLeftPanelsBars) {
    app.Click(chkShowScrollV);
    EXPECT_EQ(app.Check(chkShowScrollV), BST_UNCHECKED);
    EXPECT_FALSE(app.BarShown(picControlLeft, SB_VERT));
    EXPECT_TRUE(app.BarShown(picControlLeft, SB_HORZ));
    EXPECT_TRUE(app.BarShown(picControlRight, SB_VERT));

    app.Click(chkShowScrollH);
    EXPECT_FALSE(app.BarShown(picControlLeft, SB_HORZ));

    app.Click(chkShowScrollV);
    app.Click(chkShowScrollH);
    EXPECT_TRUE(app.BarShown(picControlLeft, SB_VERT));
    EXPECT_TRUE(app.BarShown(picControlLeft, SB_HORZ));
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, 100) << "showing a bar keeps its position";
}

TEST_F(Switches, WheelCheckBoxesEmptyTheirTextBoxEvenWithoutAWheelEvent) {
    // Text typed into the boxes stands in for an earlier report.
    SendMessageA(Window(txtWheel), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    SendMessageA(Window(txtWheel2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));

    app.Click(chkWheelSupport);
    EXPECT_EQ(app.Text(txtWheel), "");
    EXPECT_EQ(app.BackColor(txtWheel), kWindowBackground);
    EXPECT_EQ(app.Text(txtWheel2), "typed");

    RECT panel{};
    GetWindowRect(Window(picControlLeft), &panel);
    app.Wheel(Window(picControlLeft), 1, 0, panel.left + 10, panel.top + 10);
    ASSERT_EQ(app.BackColor(txtWheel), kLeftHighlight);
    app.Click(chkWheelSupport);
    EXPECT_EQ(app.Check(chkWheelSupport), BST_UNCHECKED);
    EXPECT_EQ(app.Text(txtWheel), "");
    EXPECT_EQ(app.BackColor(txtWheel), kWindowBackground);

    app.Click(chkWheelSupport2);
    EXPECT_EQ(app.Text(txtWheel2), "");
    EXPECT_EQ(app.BackColor(txtWheel2), kWindowBackground);
    EXPECT_TRUE(app.HasProperty(app.Form(), "nvAdvSubcls"));
    app.Click(chkWheelSupport2);
    EXPECT_FALSE(app.HasProperty(app.Form(), "nvAdvSubcls"));
}

TEST_F(Focus, ThePanelWithTheFocusShowsItsHighlightAndTheOtherTheButtonFace) {
    app.MouseDown(picControlRight);
    EXPECT_EQ(app.Focus(), Window(picControlRight));
    EXPECT_EQ(app.BackColor(picControlRight), kRightHighlight);
    EXPECT_EQ(app.BackColor(picControlLeft), kButtonFace);

    app.MouseDown(picControlLeft);
    EXPECT_EQ(app.Focus(), Window(picControlLeft));
    EXPECT_EQ(app.BackColor(picControlLeft), kLeftHighlight);
    EXPECT_EQ(app.BackColor(picControlRight), kButtonFace);

    app.Click(chkWheelSupport);  // a check box takes the focus when clicked
    EXPECT_EQ(app.Focus(), Window(chkWheelSupport));
    EXPECT_EQ(app.BackColor(picControlLeft), kButtonFace);
    EXPECT_EQ(app.BackColor(picControlRight), kButtonFace);
}

// Presses a key, with Shift held when asked, through the system's input queue, and waits until the
// focus has moved away from where it was.
HWND PressTab(const RunningBrennick& app, bool shift) {
    const HWND before = app.Focus();
    std::vector<INPUT> keys;
    auto key = [&keys](WORD code, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = flags;
        keys.push_back(input);
    };
    if (shift) key(VK_SHIFT, 0);
    key(VK_TAB, 0);
    key(VK_TAB, KEYEVENTF_KEYUP);
    if (shift) key(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    for (int i = 0; i < 200 && app.Focus() == before; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return app.Focus();
}

TEST_F(Focus, TabAndShiftTabWalkTheTabOrderPastTheLabels) {
    SetForegroundWindow(app.Form());
    ASSERT_EQ(GetForegroundWindow(), app.Form()) << "keyboard input needs the window in front";
    ASSERT_EQ(app.Focus(), Window(picControlLeft));
    const int forward[] = {chkShowScrollH, chkShowScrollV, txtWheel, chkWheelSupport, picControlRight,
                           chkWheelSupport2, txtWheel2, picControlLeft};
    for (int id : forward) EXPECT_EQ(PressTab(app, false), Window(id)) << "Tab to " << id;
    EXPECT_EQ(app.BackColor(picControlLeft), kLeftHighlight);

    const int backward[] = {txtWheel2, chkWheelSupport2, picControlRight, chkWheelSupport};
    for (int id : backward) EXPECT_EQ(PressTab(app, true), Window(id)) << "Shift+Tab to " << id;
    EXPECT_EQ(app.BackColor(picControlRight), kButtonFace);
}

}  // namespace
}  // namespace brennick::e2e
