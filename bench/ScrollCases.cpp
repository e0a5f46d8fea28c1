// Case 2: WM_VSCROLL SB_LINEDOWN, handled by CScrollBars with an owner handler that moves a
// picture, against the class's own procedure making the same platform calls inline.
#include "bench/Cases.h"
#include <brennick/CScrollBars.h>

namespace brennick_bench {
namespace {

using brennick::CScrollBars;
using brennick::kTrue;
using brennick::MakeRef;
using brennick::Ref;

constexpr const char* kFloor = "hand-written procedure";
constexpr std::int32_t kBatch = 100;
// Room for every line of a run, so that each message really moves the bar and the picture.
constexpr int kRangeMax = 1 << 30;
constexpr int kOriginTop = 10;

void MovePicture(HWND picture, int position) {
    SetWindowPos(picture, nullptr, 0, kOriginTop - position, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct Fixture {
    Fixture(const BenchClass& benchClass, bool visible)
        : parent(benchClass.CreateTopLevel(visible)),
          handPanel(benchClass.CreatePanel(parent.Get(), 0, 0)),
          handPicture(CreateSystemChild("STATIC", handPanel.Get(), 0, kOriginTop, 100, 100)),
          panel(benchClass.CreatePanel(parent.Get(), 300, 0)),
          picture(CreateSystemChild("STATIC", panel.Get(), 0, kOriginTop, 100, 100)) {
        handState.picture = handPicture.Get();
        handState.originTop = kOriginTop;
        handState.smallChange = 1;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = kRangeMax;
        info.nPage = 10;
        SetScrollInfo(handPanel.Get(), SB_VERT, &info, TRUE);
        SetWindowLongPtrA(handPanel.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handState));

        controller->SubClass(panel.Get());
        controller->VMin(0);
        controller->VMax(kRangeMax);
        controller->VLargeChange(10);
        controller->VSmallChange(1);
        controller->VVisible(kTrue);
        HWND movedPicture = picture.Get();
        controller->VChange.Connect([movedPicture](std::int32_t position) { MovePicture(movedPicture, position); });
    }

    // Untimed: both bars and pictures back at the top, paint work done.
    void Reset() {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        SetScrollInfo(handPanel.Get(), SB_VERT, &info, TRUE);
        MovePicture(handPicture.Get(), 0);
        controller->VValue(0);
        MovePicture(picture.Get(), 0);
        PumpMessages();
    }

    OwnedWindow parent, handPanel, handPicture, panel, picture;
    HandWrittenState handState;
    Ref<CScrollBars> controller = MakeRef<CScrollBars>();
};

void SendLinesDown(HWND window, std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
}

// A case only counts when one message moved both the bar and the picture by one line.
std::string Check(Fixture& f, HWND window, HWND picture) {
    if (window == nullptr || picture == nullptr) return "the windows could not be created";
    f.Reset();
    SendLinesDown(window, 1);
    RECT rect;
    GetWindowRect(picture, &rect);
    POINT corner{rect.left, rect.top};
    ScreenToClient(GetParent(picture), &corner);
    const bool moved = GetScrollPos(window, SB_VERT) == 1 && corner.y == kOriginTop - 1;
    f.Reset();
    return moved ? std::string() : "one line down did not move the bar and the picture";
}

void AddCase(Suite& suite, const std::shared_ptr<Fixture>& fixture, const char* group, const std::string& name,
             const char* peer, double target, HWND window, HWND picture) {
    Fixture* f = fixture.get();
    suite.Add({.group = group, .name = name, .peer = peer, .target = target, .batch = kBatch,
               .run = [window](std::int32_t count) { SendLinesDown(window, count); }, .reset = [f] { f->Reset(); },
               .skipped = Check(*fixture, window, picture)});
}

}  // namespace

// The visible group is what a user's click costs, bar painting included; the hidden group leaves
// out the painting and so shows the message path's own share.
void AddScrollCases(Suite& suite, const BenchClass& benchClass) {
    for (const bool visible : {true, false}) {
        const char* group = visible ? "scroll line" : "scroll line, hidden";
        const auto fixture = std::make_shared<Fixture>(benchClass, visible);
        suite.Keep(fixture);
        AddCase(suite, fixture, group, kFloor, "", 0.0, fixture->handPanel.Get(), fixture->handPicture.Get());
        AddCase(suite, fixture, group, "CScrollBars + VChange handler", kFloor, 1.10, fixture->panel.Get(),
                fixture->picture.Get());
    }
}

}  // namespace brennick_bench
