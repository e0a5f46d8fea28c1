// The test window: two panels, each with a picture that follows the panel's scroll position and a
// scroll-bar controller that drives the panel's own bars; check boxes that switch the left panel's
// bars and the two wheel paths; labels and text boxes that show what the components report.
#pragma once

#include <cstdint>

#include "app/frmMainWindows.h"

#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/Bool16.h>
#include <brennick/Ref.h>

namespace brennick {

// Its windows are the base: they are built before the components and end after them.
class frmMain : private frmMainWindows {
public:
    frmMain();
    // However the message loop ended (a WM_QUIT from elsewhere too), the components go in the
    // unload handler's order before the windows.
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    HWND Handle() const { return form_.Handle(); }
    // Loads and shows the window.
    void Show() { form_.Show(); }

private:
    // The window's own events.
    void Form_Load();
    void Form_Unload(std::int16_t& Cancel);
    void Form_DblClick();

    // Option switches and focus marks.
    void chkShowScrollH_Click();
    void chkShowScrollV_Click();
    void chkWheelSupport_Click();
    void chkWheelSupport2_Click();
    void picControlLeft_GotFocus();
    void picControlLeft_LostFocus();
    void picControlRight_GotFocus();
    void picControlRight_LostFocus();

    // The components' events.
    void MyScroll_HChange(std::int32_t nCurPos);
    void MyScroll_HScroll(std::int32_t nCurPos);
    void MyScroll_VChange(std::int32_t nCurPos);
    void MyScroll_VScroll(std::int32_t nCurPos);
    void MyScroll_WheelRotate(std::int32_t Delta, std::int32_t Shift, std::int32_t X, std::int32_t Y,
                              Bool16& ret_Wheeled);
    void MyScrollRight_VChange(std::int32_t nCurPos);
    void MyScrollRight_VScroll(std::int32_t nCurPos);
    void MyScrollRight_WheelRotate(std::int32_t Delta, std::int32_t Shift, std::int32_t X, std::int32_t Y,
                                   Bool16& ret_Wheeled);
    void MyWheel_WheelRotate(std::int32_t& Delta, std::int32_t& Shift, std::int32_t& X, std::int32_t& Y,
                             Bool16& Wheeled);

    // Moves the controller's vertical bar by Delta wheel notches.
    void WheelScrollV(const Ref<CScrollBars>& Ctrl, std::int32_t Delta);

    void BindControls();
    void BindMyScroll();
    void BindMyScrollRight();
    void BindMyWheel();

    // Members after the windows of the base, so that on any way out they end before the windows they hook.
    Ref<CScrollBars> MyScroll;
    Ref<CScrollBars> MyScrollRight;
    Ref<cSubClassWheel> MyWheel;
    std::int32_t OriginTop = 0;   // twips
    std::int32_t OriginLeft = 0;  // twips
};

}  // namespace brennick
