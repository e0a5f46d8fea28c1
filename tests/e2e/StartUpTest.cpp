// What the window shows right after start-up, before the user does anything.
#include <vector>

#include "tests/e2e/BrennickWindowTest.h"

namespace brennick::e2e {
namespace {

using StartUp = BrennickWindow;

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct Expected {
    int id;
    const char* windowClass;
    RECT place;  // pixels in the parent's client area: left, top, right, bottom
    const char* text;
    bool tabStop;
};

TEST_F(StartUp, CaptionShowsTheVersionAndTheClientAreaItsSize) {
    EXPECT_EQ(app.Caption(), "Brennick - 1.00.0011");
    RECT client{};
    ASSERT_TRUE(GetClientRect(app.Form(), &client));
    EXPECT_EQ(client.right, 598);
    EXPECT_EQ(client.bottom, 534);
    EXPECT_NE(GetClassLongPtrA(app.Form(), GCL_STYLE) & CS_DBLCLKS, 0u) << "the window takes double-clicks";
}

TEST_F(StartUp, ControlsStandInTabOrderWhereTheLayoutPutsThem) {
    using namespace ControlId;
    const std::vector<Expected> controls = {
        {picControlLeft, "BrennickPanel", {30, 26, 298, 326}, "", true},
        {chkShowScrollH, "Button", {30, 332, 197, 351}, "Show Horizontal Scrollbar", true},
        {chkShowScrollV, "Button", {30, 352, 197, 371}, "Show Vertical Scrollbar", true},
        {lblPosH, "Static", {206, 334, 301, 349}, "PosH", false},
        {lblPosV, "Static", {206, 354, 301, 369}, "PosV", false},
        {txtWheel, "Edit", {30, 408, 569, 427}, "", true},
        {chkWheelSupport, "Button", {30, 392, 569, 407}, "Extra Wheel Support (using WM_MouseWheel message)", true},
        {picControlRight, "BrennickPanel", {302, 26, 570, 326}, "", true},
        {chkWheelSupport2, "Button", {32, 450, 571, 465}, "Extra Wheel Support 2.0 (using WM_MouseWheel message)",
         true},
        {txtWheel2, "Edit", {32, 466, 571, 485}, "", true},
    };
    // The window's children in creation order, which is the order Tab walks them.
    std::vector<int> order;
    for (HWND child = GetWindow(app.Form(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        order.push_back(GetDlgCtrlID(child));
    }
    std::vector<int> expectedOrder;
    for (const Expected& control : controls) {
        expectedOrder.push_back(control.id);
        SCOPED_TRACE(control.text);
        const HWND window = Window(control.id);
        ASSERT_NE(window, nullptr) << "control " << control.id;
        EXPECT_STRCASEEQ(ClassOf(window).c_str(), control.windowClass);
        const RECT place = app.PlaceInParent(control.id);
        EXPECT_EQ(place.left, control.place.left) << control.id;
        EXPECT_EQ(place.top, control.place.top) << control.id;
        EXPECT_EQ(place.right, control.place.right) << control.id;
        EXPECT_EQ(place.bottom, control.place.bottom) << control.id;
        EXPECT_EQ(app.Text(control.id), control.text);
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
        EXPECT_EQ((style & WS_TABSTOP) != 0, control.tabStop) << control.id;
    }
    EXPECT_EQ(order, expectedOrder);

    for (int picture : {picTrialLeft, picTrialRight}) {
        const RECT place = app.PlaceInParent(picture);
        EXPECT_EQ(place.left, 14) << picture;
        EXPECT_EQ(place.top, 144) << picture;
        EXPECT_EQ(place.right - place.left, 200) << picture;
        EXPECT_EQ(place.bottom - place.top, 36) << picture;
    }

    // The frame can be changed from outside; the controls keep their places.
    RECT frame{};
    GetWindowRect(app.Form(), &frame);
    SetWindowPos(app.Form(), nullptr, 0, 0, frame.right - frame.left + 120, frame.bottom - frame.top + 90,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(app.PlaceInParent(txtWheel2).right, 571);
    EXPECT_EQ(app.PlaceInParent(picControlRight).right, 570);
}

TEST_F(StartUp, LeftPanelShowsBothBarsAndRightPanelOnlyItsVerticalBar) {
    using namespace ControlId;
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCOPED_TRACE(bar);
        const Bar left = app.ScrollBar(picControlLeft, bar);
        EXPECT_EQ(left.min, 0);
        EXPECT_EQ(left.max, 400);
        EXPECT_EQ(left.page, 201u);
        EXPECT_EQ(left.pos, 100);
        EXPECT_TRUE(app.BarShown(picControlLeft, bar));
        EXPECT_TRUE(app.BarEnabled(picControlLeft, bar));
    }
    const Bar right = app.ScrollBar(picControlRight, SB_VERT);
    EXPECT_EQ(right.min, 0);
    EXPECT_EQ(right.max, 400);
    EXPECT_EQ(right.page, 201u);
    EXPECT_EQ(right.pos, 100);
    EXPECT_TRUE(app.BarShown(picControlRight, SB_VERT));
    EXPECT_TRUE(app.BarEnabled(picControlRight, SB_VERT));
    EXPECT_FALSE(app.BarShown(picControlRight, SB_HORZ));

    // Each panel is served by its controller; the wheel hook serves no window yet.
    EXPECT_TRUE(app.HasProperty(Window(picControlLeft), "nvStdScroll"));
    EXPECT_TRUE(app.HasProperty(Window(picControlRight), "nvStdScroll"));
    EXPECT_FALSE(app.HasProperty(app.Form(), "nvStdScroll"));
    EXPECT_FALSE(app.HasProperty(app.Form(), "nvAdvSubcls"));
}

TEST_F(StartUp, NothingHasMovedOrReportedAndTheLeftPanelHasTheFocus) {
    using namespace ControlId;
    EXPECT_EQ(app.Text(lblPosH), "PosH");
    EXPECT_EQ(app.Text(lblPosV), "PosV");
    EXPECT_EQ(app.Text(txtWheel), "");
    EXPECT_EQ(app.Text(txtWheel2), "");
    EXPECT_EQ(app.Check(chkShowScrollH), BST_CHECKED);
    EXPECT_EQ(app.Check(chkShowScrollV), BST_CHECKED);
    EXPECT_EQ(app.Check(chkWheelSupport), BST_UNCHECKED);
    EXPECT_EQ(app.Check(chkWheelSupport2), BST_UNCHECKED);

    EXPECT_EQ(app.Focus(), Window(picControlLeft));
    EXPECT_EQ(app.BackColor(picControlLeft), kLeftHighlight);
    EXPECT_EQ(app.BackColor(picControlRight), kButtonFace);
    EXPECT_EQ(app.BackColor(txtWheel), kWindowBackground);
    EXPECT_EQ(app.BackColor(txtWheel2), kWindowBackground);
}

TEST_F(StartUp, ClosingAtOnceEndsTheProgramWithExitCodeZero) {
    EXPECT_EQ(app.Close(), 0u);
    EXPECT_FALSE(IsWindow(app.Form()));
}

}  // namespace
}  // namespace brennick::e2e
