// Case 3: a wheel turn end to end, through the steps the test window's handlers take: the
// controller path (CScrollBars WheelRotate on the panel) and the hook path (cSubClassWheel on
// the top-level window, pointer over the panel), each against the class's procedure doing the
// same work by hand.
#include "app/frmMainRules.h"
#include "bench/Cases.h"
#include <brennick/CScrollBars.h>
#include <brennick/cSubClassWheel.h>
#include <brennick/MSupport.h>
#include <brennick/Saturating.h>

namespace brennick_bench {
namespace {

using brennick::Bool16;
using brennick::cSubClassWheel;
using brennick::CScrollBars;
using brennick::kFalse;
using brennick::kTrue;
using brennick::MakeRef;
using brennick::Ref;
namespace MSupport = brennick::MSupport;
namespace rules = brennick::frmMainRules;

constexpr const char* kGroup = "wheel";
constexpr const char* kHandPanel = "hand-written panel";
constexpr const char* kHandTopLevel = "hand-written top-level";
constexpr const char* kControllerPath = "controller path (CScrollBars)";
constexpr std::int32_t kBatch = 100;
constexpr int kOriginTop = 10;

// The start values of the test window's left panel.
void Configure(CScrollBars& controller) {
    controller.VMin(0);
    controller.VMax(400);
    controller.VLargeChange(201);
    controller.VSmallChange(5);
    controller.VValue(100);
    controller.VVisible(kTrue);
}

void ConfigureByHand(HWND panel) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    info.nMax = 400;
    info.nPage = 201;
    info.nPos = 100;
    SetScrollInfo(panel, SB_VERT, &info, TRUE);
}

// The test window's routine that turns notches into a vertical position; every property is read
// from the controller when it is used.
void WheelScrollV(CScrollBars& controller, std::int32_t delta) {
    if (controller.VVisible() == kFalse) return;
    const rules::VerticalBar bar{controller.VValue(), controller.VMin(), controller.VMax(), controller.VSmallChange(),
                                 controller.VLargeChange()};
    controller.VScrollTo(rules::WheelScrollTarget(bar, delta, rules::WheelScrollLines));
}

void Report(HWND textBox, std::int32_t delta, std::int32_t shift, std::int32_t x, std::int32_t y) {
    const std::string line = rules::WheelReportLine(rules::LocalTimeOfDay(), rules::kWheelReportLeft, delta, shift, x, y);
    SetWindowTextA(textBox, line.c_str());
}

struct Fixture {
    explicit Fixture(const BenchClass& benchClass)
        : handTop(benchClass.CreateTopLevel()),
          handPanel(benchClass.CreatePanel(handTop.Get(), 10, 10)),
          handPicture(CreateSystemChild("STATIC", handPanel.Get(), 0, kOriginTop, 100, 100)),
          handText(CreateSystemChild("EDIT", handTop.Get(), 10, 300, 500, 20)),
          top(benchClass.CreateTopLevel()),
          panel(benchClass.CreatePanel(top.Get(), 10, 10)),
          picture(CreateSystemChild("STATIC", panel.Get(), 0, kOriginTop, 100, 100)),
          text(CreateSystemChild("EDIT", top.Get(), 10, 300, 500, 20)),
          text2(CreateSystemChild("EDIT", top.Get(), 10, 330, 500, 20)) {
        rules::WheelScrollLines = 3;
        ConfigureByHand(handPanel.Get());
        handPanelState = HandWrittenState{handPicture.Get(), handText.Get(), nullptr, kOriginTop, 5};
        handTopState = HandWrittenState{handPicture.Get(), handText.Get(), handPanel.Get(), kOriginTop, 5};
        SetWindowLongPtrA(handPanel.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handPanelState));
        SetWindowLongPtrA(handTop.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handTopState));

        controller->SubClass(panel.Get());
        Configure(*controller);
        controller->WheelSupport(kTrue);
        HWND movedPicture = picture.Get();
        controller->VScroll.Connect([movedPicture](std::int32_t position) {
            SetWindowPos(movedPicture, nullptr, 0, kOriginTop - position, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
        CScrollBars* scrolled = controller.Get();
        HWND textBox = text.Get();
        controller->WheelRotate.Connect(
            [scrolled, textBox](std::int32_t delta, std::int32_t shift, std::int32_t x, std::int32_t y, Bool16&) {
                WheelScrollV(*scrolled, delta);
                Report(textBox, delta, shift, x, y);
            });

        hook->SubClass(top.Get());
        HWND hookedPanel = panel.Get();
        HWND textBox2 = text2.Get();
        hook->WheelRotate.Connect([scrolled, hookedPanel, textBox2](std::int32_t& delta, std::int32_t& shift,
                                                                    std::int32_t& x, std::int32_t& y, Bool16& wheeled) {
            wheeled = kTrue;
            if (MSupport::IsPointInWindow(hookedPanel, x, y) == kFalse) {
                wheeled = kFalse;
                return;
            }
            WheelScrollV(*scrolled, delta);
            Report(textBox2, delta, shift, x, y);
        });
    }

    void Reset() {
        ConfigureByHand(handPanel.Get());
        controller->VValue(100);
        PumpMessages();
    }

    OwnedWindow handTop, handPanel, handPicture, handText, top, panel, picture, text, text2;
    HandWrittenState handPanelState, handTopState;
    Ref<CScrollBars> controller = MakeRef<CScrollBars>();
    Ref<cSubClassWheel> hook = MakeRef<cSubClassWheel>();  // unhooks first
};

// A case only counts when one turn toward the user moved the bar by three lines and wrote the line.
std::string Check(Fixture& f, HWND window, HWND overPanel, HWND textBox) {
    if (window == nullptr || overPanel == nullptr || textBox == nullptr) return "the windows could not be created";
    f.Reset();
    SetWindowTextA(textBox, "");
    SendWheel(window, overPanel, 1);
    char written[8] = {};
    GetWindowTextA(textBox, written, sizeof written);
    const bool worked = GetScrollPos(overPanel, SB_VERT) == 115 && written[0] != '\0';
    f.Reset();
    return worked ? std::string() : "one wheel turn did not scroll the panel and write the line";
}

// carry: whether the controller adds up parts of a notch while this case runs.
void AddCase(Suite& suite, const std::shared_ptr<Fixture>& fixture, const std::string& name, const char* peer,
             double target, HWND window, HWND overPanel, HWND textBox, bool carry = false) {
    Fixture* f = fixture.get();
    const auto reset = [f, carry] { f->controller->WheelCarry(brennick::Bool16::From(carry)), f->Reset(); };
    reset();
    suite.Add({.group = kGroup, .name = name, .peer = peer, .target = target, .batch = kBatch,
               .run = [window, overPanel](std::int32_t count) { SendWheel(window, overPanel, count); }, .reset = reset,
               .skipped = Check(*fixture, window, overPanel, textBox)});
}

}  // namespace

void AddWheelCases(Suite& suite, const BenchClass& benchClass) {
    const auto fixture = std::make_shared<Fixture>(benchClass);
    suite.Keep(fixture);
    const Fixture& f = *fixture;
    AddCase(suite, fixture, kHandPanel, "", 0.0, f.handPanel.Get(), f.handPanel.Get(), f.handText.Get());
    AddCase(suite, fixture, kHandTopLevel, "", 0.0, f.handTop.Get(), f.handPanel.Get(), f.handText.Get());
    AddCase(suite, fixture, kControllerPath, kHandPanel, 0.0, f.panel.Get(), f.panel.Get(), f.text.Get());
    AddCase(suite, fixture, "controller path, carry on", kControllerPath, 1.05, f.panel.Get(), f.panel.Get(), f.text.Get(),
            true);
    AddCase(suite, fixture, "hook path (cSubClassWheel)", kHandTopLevel, 0.0, f.top.Get(), f.panel.Get(), f.text2.Get());
}

}  // namespace brennick_bench
