#include "app/frmMain.h"

#include <string>

#include "app/Colors.h"
#include "app/frmMainRules.h"
#include <brennick/MSupport.h>
#include <brennick/Saturating.h>

namespace brennick {
namespace {

using namespace frmMainRules;

// Both panels' vertical bars, and the left panel's horizontal bar, start alike.
constexpr std::int32_t kBarMin = 0;
constexpr std::int32_t kBarMax = 400;
constexpr std::int32_t kBarLargeChange = 201;
constexpr std::int32_t kBarSmallChange = 5;

void ConfigureVerticalBar(CScrollBars& bars) {
    bars.VVisible(kTrue);
    bars.VDisableNoScroll(kTrue);
    bars.VMin(kBarMin);
    bars.VMax(kBarMax);
    bars.VLargeChange(kBarLargeChange);
    bars.VSmallChange(kBarSmallChange);
    bars.VValue(bars.VMax() / 4);
}

void ConfigureHorizontalBar(CScrollBars& bars) {
    bars.HVisible(kTrue);
    bars.HDisableNoScroll(kTrue);
    bars.HMin(kBarMin);
    bars.HMax(kBarMax);
    bars.HLargeChange(kBarLargeChange);
    bars.HSmallChange(kBarSmallChange);
    bars.HValue(bars.HMax() / 4);
}

Bool16 IsOn(const ui::CheckBox& box) { return Bool16::From(box.Value() != 0); }

}  // namespace

frmMainRules::TimeOfDay frmMainRules::LocalTimeOfDay() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond};
}

frmMain::frmMain() { BindControls(); }

void frmMain::BindControls() {
    form_.Load.Connect([this] { Form_Load(); });
    form_.Unload.Connect([this](std::int16_t& Cancel) { Form_Unload(Cancel); });
    form_.DblClick.Connect([this] { Form_DblClick(); });
    chkShowScrollH.Click.Connect([this] { chkShowScrollH_Click(); });
    chkShowScrollV.Click.Connect([this] { chkShowScrollV_Click(); });
    chkWheelSupport.Click.Connect([this] { chkWheelSupport_Click(); });
    chkWheelSupport2.Click.Connect([this] { chkWheelSupport2_Click(); });
    picControlLeft.GotFocus.Connect([this] { picControlLeft_GotFocus(); });
    picControlLeft.LostFocus.Connect([this] { picControlLeft_LostFocus(); });
    picControlRight.GotFocus.Connect([this] { picControlRight_GotFocus(); });
    picControlRight.LostFocus.Connect([this] { picControlRight_LostFocus(); });
}

void frmMain::BindMyScroll() {
    MyScroll->HChange.Connect([this](std::int32_t nCurPos) { MyScroll_HChange(nCurPos); });
    MyScroll->HScroll.Connect([this](std::int32_t nCurPos) { MyScroll_HScroll(nCurPos); });
    MyScroll->VChange.Connect([this](std::int32_t nCurPos) { MyScroll_VChange(nCurPos); });
    MyScroll->VScroll.Connect([this](std::int32_t nCurPos) { MyScroll_VScroll(nCurPos); });
    MyScroll->WheelRotate.Connect(
        [this](std::int32_t Delta, std::int32_t Shift, std::int32_t X, std::int32_t Y, Bool16& ret_Wheeled) {
            MyScroll_WheelRotate(Delta, Shift, X, Y, ret_Wheeled);
        });
}

void frmMain::BindMyScrollRight() {
    MyScrollRight->VChange.Connect([this](std::int32_t nCurPos) { MyScrollRight_VChange(nCurPos); });
    MyScrollRight->VScroll.Connect([this](std::int32_t nCurPos) { MyScrollRight_VScroll(nCurPos); });
    MyScrollRight->WheelRotate.Connect(
        [this](std::int32_t Delta, std::int32_t Shift, std::int32_t X, std::int32_t Y, Bool16& ret_Wheeled) {
            MyScrollRight_WheelRotate(Delta, Shift, X, Y, ret_Wheeled);
        });
}

void frmMain::BindMyWheel() {
    MyWheel->WheelRotate.Connect([this](std::int32_t& Delta, std::int32_t& Shift, std::int32_t& X, std::int32_t& Y,
                                        Bool16& Wheeled) { MyWheel_WheelRotate(Delta, Shift, X, Y, Wheeled); });
}

// --- start-up and shutdown ---

void frmMain::Form_Load() {
    form_.Caption("Brennick - " + MSupport::AppVersion());
    WheelScrollLines = MSupport::GetWheelScrollLines();

    MyScroll = MakeRef<CScrollBars>();
    BindMyScroll();
    MyScroll->SubClass(picControlLeft.Handle());
    ConfigureVerticalBar(*MyScroll);
    ConfigureHorizontalBar(*MyScroll);

    // The picture stays where the layout put it: that place now belongs to position 100.
    OriginTop = RoundHalfEven(static_cast<double>(picTrialLeft.Top()) + MyScroll->VValue());
    OriginLeft = RoundHalfEven(static_cast<double>(picTrialLeft.Left()) + MyScroll->HValue());

    MyScrollRight = MakeRef<CScrollBars>();
    BindMyScrollRight();
    MyScrollRight->SubClass(picControlRight.Handle());
    ConfigureVerticalBar(*MyScrollRight);

    MyWheel = MakeRef<cSubClassWheel>();
    BindMyWheel();
}

frmMain::~frmMain() {
    std::int16_t cancel = 0;
    Form_Unload(cancel);
}

// Closing is never refused: Cancel stays as it came. Each component unhooks its window as it
// ends, while the windows still exist.
void frmMain::Form_Unload(std::int16_t& /*Cancel*/) {
    MyScroll.Reset();
    MyScrollRight.Reset();
    MyWheel.Reset();
}

// --- option switches and focus marks ---

void frmMain::chkShowScrollH_Click() {
    if (MyScroll) MyScroll->HVisible(IsOn(chkShowScrollH));
}

void frmMain::chkShowScrollV_Click() {
    if (MyScroll) MyScroll->VVisible(IsOn(chkShowScrollV));
}

void frmMain::chkWheelSupport_Click() {
    if (MyScroll) MyScroll->WheelSupport(IsOn(chkWheelSupport));
    if (MyScrollRight) MyScrollRight->WheelSupport(IsOn(chkWheelSupport));
    txtWheel.Text("");
    txtWheel.BackColor(Colors::kWindowBackground);
}

void frmMain::chkWheelSupport2_Click() {
    if (MyWheel) {
        if (IsOn(chkWheelSupport2).IsNonZero()) {
            MyWheel->SubClass(form_.Handle());
        } else {
            MyWheel->UnSubClass();
        }
    }
    txtWheel2.Text("");
    txtWheel2.BackColor(Colors::kWindowBackground);
}

// A quarter of each maximum, rounded half to even (406 gives 102), horizontal first.
void frmMain::Form_DblClick() {
    const Ref<CScrollBars> bars = MyScroll;
    if (!bars) return;
    bars->HScrollTo(QuarterOf(bars->HMax()));
    bars->VScrollTo(QuarterOf(bars->VMax()));
}

void frmMain::picControlLeft_GotFocus() { picControlLeft.BackColor(Colors::kLeftPanelHighlight); }
void frmMain::picControlLeft_LostFocus() { picControlLeft.BackColor(Colors::kButtonFace); }
void frmMain::picControlRight_GotFocus() { picControlRight.BackColor(Colors::kRightPanelHighlight); }
void frmMain::picControlRight_LostFocus() { picControlRight.BackColor(Colors::kButtonFace); }

// --- position display: one scroll unit moves a picture by one twip ---

void frmMain::MyScroll_HChange(std::int32_t nCurPos) { MyScroll_HScroll(nCurPos); }

void frmMain::MyScroll_HScroll(std::int32_t nCurPos) {
    picTrialLeft.Left(static_cast<float>(SatSub(OriginLeft, nCurPos)));
    if (MyScroll) lblPosH.Caption(PositionText(nCurPos, MyScroll->HValue()));
}

void frmMain::MyScroll_VChange(std::int32_t nCurPos) { MyScroll_VScroll(nCurPos); }

void frmMain::MyScroll_VScroll(std::int32_t nCurPos) {
    picTrialLeft.Top(static_cast<float>(SatSub(OriginTop, nCurPos)));
    if (MyScroll) lblPosV.Caption(PositionText(nCurPos, MyScroll->VValue()));
}

void frmMain::MyScrollRight_VChange(std::int32_t nCurPos) { MyScrollRight_VScroll(nCurPos); }

// The right picture starts where the left one does, so OriginTop serves it as well.
void frmMain::MyScrollRight_VScroll(std::int32_t nCurPos) {
    picTrialRight.Top(static_cast<float>(SatSub(OriginTop, nCurPos)));
}

// --- wheel reports ---

void frmMain::MyScroll_WheelRotate(std::int32_t Delta, std::int32_t Shift, std::int32_t X, std::int32_t Y,
                                   Bool16& /*ret_Wheeled*/) {
    WheelScrollV(MyScroll, Delta);
    txtWheel.BackColor(Colors::kLeftPanelHighlight);
    txtWheel.Text(WheelReportLine(LocalTimeOfDay(), kWheelReportLeft, Delta, Shift, X, Y));
}

void frmMain::MyScrollRight_WheelRotate(std::int32_t Delta, std::int32_t Shift, std::int32_t X, std::int32_t Y,
                                        Bool16& /*ret_Wheeled*/) {
    WheelScrollV(MyScrollRight, Delta);
    txtWheel.BackColor(Colors::kRightPanelHighlight);
    txtWheel.Text(WheelReportLine(LocalTimeOfDay(), kWheelReportRight, Delta, Shift, X, Y));
}

// The panel under the pointer is the one concerned; the left panel is tested first. A turn over
// neither panel is not consumed.
void frmMain::MyWheel_WheelRotate(std::int32_t& Delta, std::int32_t& Shift, std::int32_t& X, std::int32_t& Y,
                                  Bool16& Wheeled) {
    Wheeled = kTrue;
    if (MSupport::IsPointInWindow(picControlLeft.Handle(), X, Y).IsNonZero()) {
        WheelScrollV(MyScroll, Delta);
        txtWheel2.BackColor(Colors::kLeftPanelHighlight);
        txtWheel2.Text(WheelReportLine(LocalTimeOfDay(), kWheelReportLeft, Delta, Shift, X, Y));
    } else if (MSupport::IsPointInWindow(picControlRight.Handle(), X, Y).IsNonZero()) {
        WheelScrollV(MyScrollRight, Delta);
        txtWheel2.BackColor(Colors::kRightPanelHighlight);
        txtWheel2.Text(WheelReportLine(LocalTimeOfDay(), kWheelReportRight, Delta, Shift, X, Y));
    } else {
        Wheeled = kFalse;
    }
}

// Only a shown vertical bar moves; VScroll reports where the bar stopped.
void frmMain::WheelScrollV(const Ref<CScrollBars>& Ctrl, std::int32_t Delta) {
    if (!Ctrl) return;
    if (Ctrl->VVisible() == kFalse) return;
    const VerticalBar bar{Ctrl->VValue(), Ctrl->VMin(), Ctrl->VMax(), Ctrl->VSmallChange(), Ctrl->VLargeChange()};
    Ctrl->VScrollTo(WheelScrollTarget(bar, Delta, WheelScrollLines));
}

}  // namespace brennick
