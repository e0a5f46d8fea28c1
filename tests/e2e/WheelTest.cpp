// Wheel messages on both paths: the panels' controllers (report in txtWheel) and the wheel hook on
// the window (report in txtWheel2, for the panel under the pointer).
#include "tests/e2e/BrennickWindowTest.h"

namespace brennick::e2e {
namespace {

using ControllerWheel = BrennickWindow;
using HookWheel = BrennickWindow;
using namespace ControlId;

// A report line, with its time of day checked against the moments before and after the event.
class ReportChecker {
public:
    void Before() { before_ = SecondOfDay(); }
    void Expect(const std::string& line, const std::string& rest) const {
        ASSERT_GE(line.size(), 8u) << line;
        const int at = SecondOfDay(line);
        const int after = SecondOfDay();
        const bool inTime = before_ <= after ? (before_ <= at && at <= after) : (at >= before_ || at <= after);
        EXPECT_TRUE(inTime) << line;
        EXPECT_EQ(line.substr(8), rest);
    }

private:
    int before_ = 0;
};

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

TEST_F(ControllerWheel, EachPanelScrollsAndReportsWithItsOwnColour) {
    app.Click(chkWheelSupport);
    ReportChecker report;

    report.Before();
    EXPECT_EQ(app.Wheel(Window(picControlLeft), 1, 0, 512, 384), 0);
    const int left = PositionAfterWheel(100, 1);
    report.Expect(app.Text(txtWheel), " WheelRotate ScrollV Left: Delta=1, Shift=0, X=512, Y=384");
    EXPECT_EQ(app.BackColor(txtWheel), kLeftHighlight);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, left);
    EXPECT_EQ(app.Text(lblPosV), Positions(left));
    EXPECT_EQ(app.PictureCorner(picTrialLeft).y, PictureTopAt(left));

    report.Before();
    app.Wheel(Window(picControlRight), 1, MK_SHIFT | MK_CONTROL, -200, -7);
    const int right = PositionAfterWheel(100, 1);
    report.Expect(app.Text(txtWheel), " WheelRotate ScrollV Right: Delta=1, Shift=12, X=-200, Y=-7");
    EXPECT_EQ(app.BackColor(txtWheel), kRightHighlight);
    EXPECT_EQ(app.ScrollBar(picControlRight, SB_VERT).pos, right);
    EXPECT_EQ(app.PictureCorner(picTrialRight).y, PictureTopAt(right));
    EXPECT_EQ(app.Text(lblPosV), Positions(left)) << "the right panel has no labels";

    // A turn of no notches still moves the picture to where it is and reports.
    SetWindowTextA(Window(lblPosV), "stale");
    app.Wheel(Window(picControlLeft), 0, 0, 1, 2);
    EXPECT_EQ(app.Text(txtWheel).substr(8), " WheelRotate ScrollV Left: Delta=0, Shift=0, X=1, Y=2");
    EXPECT_EQ(app.Text(lblPosV), Positions(left));
    EXPECT_EQ(app.Text(txtWheel2), "") << "the controller consumed the messages";
}

TEST_F(ControllerWheel, StopsAtBothEndsOfTheBar) {
    app.Click(chkWheelSupport);
    app.Scroll(picControlLeft, WM_VSCROLL, SB_BOTTOM);
    app.Wheel(Window(picControlLeft), 1, 0, 0, 0);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, kHighestPosition);
    EXPECT_EQ(app.Text(lblPosV), Positions(kHighestPosition));

    app.Scroll(picControlLeft, WM_VSCROLL, SB_TOP);
    app.Scroll(picControlLeft, WM_VSCROLL, SB_LINEDOWN);
    app.Scroll(picControlLeft, WM_VSCROLL, SB_LINEDOWN);
    ASSERT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, 10);
    app.Wheel(Window(picControlLeft), -1, 0, 0, 0);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, PositionAfterWheel(10, -1));
    EXPECT_EQ(app.Text(lblPosV), Positions(PositionAfterWheel(10, -1)));
    EXPECT_EQ(app.Text(txtWheel).substr(8), " WheelRotate ScrollV Left: Delta=-1, Shift=0, X=0, Y=0");
}

TEST_F(ControllerWheel, HiddenVerticalBarStopsScrollingButNotTheReport) {
    app.Click(chkWheelSupport);
    app.Click(chkShowScrollV);
    app.Wheel(Window(picControlLeft), 2, 0, 3, 4);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, 100);
    EXPECT_EQ(app.Text(lblPosV), "PosV");
    EXPECT_EQ(app.PictureCorner(picTrialLeft).y, 144);
    EXPECT_EQ(app.Text(txtWheel).substr(8), " WheelRotate ScrollV Left: Delta=2, Shift=0, X=3, Y=4");
    EXPECT_EQ(app.BackColor(txtWheel), kLeftHighlight);
}

TEST_F(ControllerWheel, WithBothPathsOffAWheelTurnChangesNothing) {
    app.Wheel(Window(picControlLeft), 1, 0, 0, 0);
    app.Wheel(app.Form(), 1, 0, 0, 0);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, 100);
    EXPECT_EQ(app.Text(txtWheel), "");
    EXPECT_EQ(app.Text(txtWheel2), "");
}

TEST_F(HookWheel, ReportsThePanelUnderThePointerEdgesIncluded) {
    app.Click(chkWheelSupport2);
    const RECT left = ScreenRect(Window(picControlLeft));
    const RECT right = ScreenRect(Window(picControlRight));
    ReportChecker report;

    report.Before();
    EXPECT_EQ(app.Wheel(app.Form(), 1, 0, left.left, left.top), 0);
    const int leftPosition = PositionAfterWheel(100, 1);
    report.Expect(app.Text(txtWheel2), " WheelRotate ScrollV Left: Delta=1, Shift=0, X=" + std::to_string(left.left) +
                                           ", Y=" + std::to_string(left.top));
    EXPECT_EQ(app.BackColor(txtWheel2), kLeftHighlight);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, leftPosition);
    EXPECT_EQ(app.Text(lblPosV), Positions(leftPosition));

    // The right and bottom edges of a window rectangle count as inside.
    report.Before();
    app.Wheel(app.Form(), -1, MK_LBUTTON, right.right, right.bottom);
    const int rightPosition = PositionAfterWheel(100, -1);
    report.Expect(app.Text(txtWheel2), " WheelRotate ScrollV Right: Delta=-1, Shift=1, X=" +
                                           std::to_string(right.right) + ", Y=" + std::to_string(right.bottom));
    EXPECT_EQ(app.BackColor(txtWheel2), kRightHighlight);
    EXPECT_EQ(app.ScrollBar(picControlRight, SB_VERT).pos, rightPosition);
    EXPECT_EQ(app.PictureCorner(picTrialRight).y, PictureTopAt(rightPosition));

    // Over neither panel: the message goes its ordinary way and neither text box changes.
    const std::string last = app.Text(txtWheel2);
    app.Wheel(app.Form(), 1, 0, right.right + 1, right.bottom);
    app.Wheel(app.Form(), 1, 0, left.left - 1, left.top);
    EXPECT_EQ(app.Text(txtWheel2), last);
    EXPECT_EQ(app.BackColor(txtWheel2), kRightHighlight);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, leftPosition);
    EXPECT_EQ(app.ScrollBar(picControlRight, SB_VERT).pos, rightPosition);
    EXPECT_EQ(app.Text(txtWheel), "");
}

TEST_F(HookWheel, SeesWhatThePanelsPassOnButNotWhatTheControllersConsume) {
    app.Click(chkWheelSupport2);
    const RECT left = ScreenRect(Window(picControlLeft));
    const int x = left.left + 20;
    const int y = left.top + 20;

    // Without the controllers' wheel support a panel passes the message on to the window.
    app.Wheel(Window(picControlLeft), 1, 0, x, y);
    const int once = PositionAfterWheel(100, 1);
    EXPECT_EQ(app.Text(txtWheel2).substr(8), " WheelRotate ScrollV Left: Delta=1, Shift=0, X=" + std::to_string(x) +
                                                 ", Y=" + std::to_string(y));
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, once);
    EXPECT_EQ(app.Text(txtWheel), "");

    // With both paths on, the controller reports the turn and consumes it: it is counted once.
    app.Click(chkWheelSupport);
    SetWindowTextA(Window(txtWheel2), "");
    app.Wheel(Window(picControlLeft), 1, 0, x, y);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, PositionAfterWheel(once, 1));
    EXPECT_NE(app.Text(txtWheel), "");
    EXPECT_EQ(app.Text(txtWheel2), "");
}

TEST_F(HookWheel, HiddenVerticalBarStillConsumesAndReports) {
    app.Click(chkWheelSupport2);
    app.Click(chkShowScrollV);
    const RECT left = ScreenRect(Window(picControlLeft));
    EXPECT_EQ(app.Wheel(app.Form(), 1, 0, left.left + 1, left.top + 1), 0);
    EXPECT_EQ(app.ScrollBar(picControlLeft, SB_VERT).pos, 100);
    EXPECT_EQ(app.Text(lblPosV), "PosV");
    EXPECT_EQ(app.BackColor(txtWheel2), kLeftHighlight);
    EXPECT_NE(app.Text(txtWheel2).find("Left: Delta=1"), std::string::npos);
}

TEST_F(HookWheel, ClosingWithTheHookAttachedEndsWithExitCodeZero) {
    app.Click(chkWheelSupport2);
    ASSERT_TRUE(app.HasProperty(app.Form(), "nvAdvSubcls"));
    EXPECT_EQ(app.Close(), 0u);
}

}  // namespace
}  // namespace brennick::e2e
