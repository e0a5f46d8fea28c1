// Brennick.exe from the outside: its layout at two DPIs, a table of interactions and its program
// file. Expected values come from the window's documented start: bars 0..400, page 201, line 5,
// at 100; pictures stored at 210, 2160 twips and moving one twip per scroll unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <type_traits>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/RunningBrennick.h"

namespace brennick::e2e {

int Px(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// Every control in creation (tab) order: class, twips rectangle in its parent, text, tab stop.
struct Layout {
    int id;
    const char* windowClass;
    int left, top, width, height;
    const char* text;
    bool tabStop;
};
constexpr Layout kLayout[] = {
    {picControlLeft, "BrennickPanel", 450, 390, 4020, 4500, "", true},
    {picTrialLeft, "BrennickPicture", 210, 2160, 3000, 540, "", false},
    {chkShowScrollH, "Button", 450, 4980, 2505, 285, "Show Horizontal Scrollbar", true},
    {chkShowScrollV, "Button", 450, 5280, 2505, 285, "Show Vertical Scrollbar", true},
    {lblPosH, "Static", 3090, 5010, 1425, 225, "PosH", false},
    {lblPosV, "Static", 3090, 5310, 1425, 225, "PosV", false},
    {txtWheel, "Edit", 450, 6120, 8085, 285, "", true},
    {chkWheelSupport, "Button", 450, 5880, 8085, 225, "Extra Wheel Support (using WM_MouseWheel message)", true},
    {picControlRight, "BrennickPanel", 4530, 390, 4020, 4500, "", true},
    {picTrialRight, "BrennickPicture", 210, 2160, 3000, 540, "", false},
    {chkWheelSupport2, "Button", 480, 6750, 8085, 225, "Extra Wheel Support 2.0 (using WM_MouseWheel message)", true},
    {txtWheel2, "Edit", 480, 6990, 8085, 285, "", true},
};

void ExpectLaidOut(HWND form, int dpi, bool pictures) {
    std::vector<HWND> order, expectedOrder;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) order.push_back(child);
    for (const Layout& c : kLayout) {
        SCOPED_TRACE(c.id);
        const bool picture = c.id == picTrialLeft || c.id == picTrialRight;
        const HWND parent = picture ? GetDlgItem(form, c.id == picTrialLeft ? picControlLeft : picControlRight) : form;
        const HWND window = GetDlgItem(parent, c.id);
        ASSERT_NE(window, nullptr);
        if (!picture) expectedOrder.push_back(window);
        char text[128] = {}, name[32] = {};
        SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        GetClassNameA(window, name, sizeof name);
        EXPECT_STRCASEEQ(name, c.windowClass);
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ((GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP) != 0, c.tabStop);
        if (picture && !pictures) continue;
        RECT r{};
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_NEAR(r.left, Px(c.left, dpi), 1);
        EXPECT_NEAR(r.top, Px(c.top, dpi), 1);
        EXPECT_NEAR(r.right, Px(c.left + c.width, dpi), 1);
        EXPECT_NEAR(r.bottom, Px(c.top + c.height, dpi), 1);
    }
    EXPECT_EQ(order, expectedOrder) << "Tab walks the controls in the order they were created";
}

namespace {

using ui::ScrollBarField;
constexpr std::uint32_t kLeftHighlight = 0x00FFCCAA, kRightHighlight = 0x00AACCFF;
constexpr std::uint32_t kWindowBackground = 0x80000005, kButtonFace = 0x8000000F;
constexpr int kLast = 400 - 201 + 1;  // the last position a page of 201 allows

TEST(TestWindow, StartsLaidOutAtItsDpiWithItsBarsSetAndNothingMoved) {
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        RunningBrennick app(dpi);
        ASSERT_NE(app.Form(), nullptr);
        EXPECT_EQ(app.Text(0), "Brennick - 1.00.0011");
        ExpectLaidOut(app.Form(), dpi);
        RECT client{};
        GetClientRect(app.Form(), &client);
        // At 144 DPI the window is taller than the virtual screen, which limits its frame.
        EXPECT_TRUE(dpi != 96 || (client.right == 598 && client.bottom == 534));
        EXPECT_NE(GetClassLongPtrA(app.Form(), GCL_STYLE) & CS_DBLCLKS, 0u);
        for (const auto& [panel, bar] : {std::pair{picControlLeft, SB_HORZ}, {picControlLeft, SB_VERT}, {picControlRight, SB_VERT}}) {
            EXPECT_TRUE(app.BarShown(panel, bar));
            EXPECT_EQ(app.Bar(panel, bar, ScrollBarField::Max) + app.Bar(panel, bar, ScrollBarField::Page), 601);
            EXPECT_EQ(app.Bar(panel, bar, ScrollBarField::Pos), 100);
            EXPECT_EQ(app.Bar(panel, bar, ScrollBarField::State) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE), 0);
        }
        EXPECT_FALSE(app.BarShown(picControlRight, SB_HORZ));
        EXPECT_TRUE(GetPropA(app.Control(picControlLeft), "nvStdScroll") && GetPropA(app.Control(picControlRight), "nvStdScroll"));
        EXPECT_FALSE(GetPropA(app.Form(), "nvAdvSubcls"));
        EXPECT_EQ(app.Send(chkShowScrollH, BM_GETCHECK) + app.Send(chkShowScrollV, BM_GETCHECK), 2);
        EXPECT_EQ(app.Send(chkWheelSupport, BM_GETCHECK) + app.Send(chkWheelSupport2, BM_GETCHECK), 0);
        EXPECT_EQ(app.Focus(), app.Control(picControlLeft));
        EXPECT_EQ(app.BackColor(picControlLeft), kLeftHighlight);
        EXPECT_EQ(app.BackColor(picControlRight), kButtonFace);
        EXPECT_EQ(app.BackColor(txtWheel), kWindowBackground);
        EXPECT_EQ(app.Close(), 0u) << "exit code";
    }
}

// Where n notches toward the user send a bar at position, at the system's lines per notch: within
// 0..400, and stopped by the bar a page short of 400.
int Wheeled(int position, int n) {
    int lines = 0;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return std::min(std::clamp(position + n * (lines == -1 ? 201 : std::min(lines, 201) * 5), 0, 400), kLast);
}

// One step of a row: a scroll code to a panel, a click on a check box, a wheel turn to a window
// (id 0: the form) at a point or at a place of a panel's window rectangle, a double-click on the
// form, a mouse press on a control, a text typed into a text box, Tab presses.
enum Kind { Scroll, Click, Wheel, WheelAt, DoubleClick, Press, Type, Tab };
enum Where { TopLeft, BottomRight, RightOfBottomRight, LeftOfTopLeft, Inside };  // edges count as inside
struct Act {
    Kind kind;
    int id = 0, a = 0, b = 0, c = 0, d = 0;  // Scroll: message, code; Wheel: notches, keys, x, y;
                                              // WheelAt: panel, Where, notches, keys; Tab: presses (< 0: Shift)
};

// What a row expects; unset fields are not looked at. A bar position also places its picture.
// Report texts leave out the time; {X} and {Y} stand for the point of the row's last wheel turn.
struct Expected {
    std::optional<int> leftV{}, leftH{}, rightV{};
    std::optional<std::string> lblPosH{}, lblPosV{}, txtWheel{}, txtWheel2{};
    std::optional<std::uint32_t> txtWheelColor{}, txtWheel2Color{}, leftColor{}, rightColor{};
    std::optional<int> focus{};
    std::optional<bool> leftVShown{}, leftHShown{}, hooked{};
};

struct Interaction {
    const char* name;
    std::vector<Act> acts;
    Expected expected;
};

std::string Report(const char* panel, int delta, int keys, const char* x = "{X}", const char* y = "{Y}") {
    return std::string(" WheelRotate ScrollV ") + panel + ": Delta=" + std::to_string(delta) + ", Shift=" +
           std::to_string(keys) + ", X=" + x + ", Y=" + y;
}

constexpr int L = picControlLeft, R = picControlRight;
const Interaction kInteractions[] = {
    {"line down", {{Scroll, L, WM_VSCROLL, SB_LINEDOWN}}, {.leftV = 105, .lblPosH = "PosH", .lblPosV = "105/105"}},
    {"page down stops a page short of the end", {{Scroll, L, WM_VSCROLL, SB_PAGEDOWN}}, {.leftV = kLast, .lblPosV = "200/200"}},
    {"top, and line up there", {{Scroll, L, WM_VSCROLL, SB_TOP}, {Scroll, L, WM_VSCROLL, SB_LINEUP}}, {.leftV = 0, .lblPosV = "0/0"}},
    {"thumb without a drag keeps and reports", {{Scroll, L, WM_VSCROLL, SB_THUMBTRACK}}, {.leftV = 100, .lblPosV = "100/100"}},
    {"horizontal: right end, then a line left", {{Scroll, L, WM_HSCROLL, SB_RIGHT}, {Scroll, L, WM_HSCROLL, SB_LINELEFT}},
     {.leftV = 100, .leftH = kLast - 5, .lblPosH = "195/195", .lblPosV = "PosV"}},
    {"the right panel moves only its own picture, only vertically",
     {{Scroll, R, WM_VSCROLL, SB_PAGEDOWN}, {Scroll, R, WM_HSCROLL, SB_LINERIGHT}},
     {.leftV = 100, .leftH = 100, .rightV = kLast, .lblPosH = "PosH", .lblPosV = "PosV"}},
    {"a double-click sends the left panel back, a hidden bar too",
     {{Scroll, L, WM_VSCROLL, SB_BOTTOM}, {Scroll, R, WM_VSCROLL, SB_TOP}, {Click, chkShowScrollH}, {Scroll, L, WM_HSCROLL, SB_LEFT},
      {DoubleClick}},
     {.leftV = 100, .leftH = 100, .rightV = 0, .lblPosH = "100/100", .lblPosV = "100/100"}},
    {"the show check boxes hide and show the left panel's bars", {{Click, chkShowScrollV}, {Click, chkShowScrollH}, {Click, chkShowScrollH}},
     {.leftV = 100, .leftVShown = false, .leftHShown = true}},
    {"with both wheel paths off a turn changes nothing", {{Wheel, L, 1}, {Wheel, 0, 1}}, {.leftV = 100, .txtWheel = "", .txtWheel2 = ""}},
    {"controller path: the left panel scrolls and reports", {{Click, chkWheelSupport}, {Wheel, L, 1, 0, 512, 384}},
     {.leftV = Wheeled(100, 1), .lblPosV = "115/115", .txtWheel = Report("Left", 1, 0), .txtWheel2 = "", .txtWheelColor = kLeftHighlight}},
    {"controller path: the right panel, keys, negative coordinates", {{Click, chkWheelSupport}, {Wheel, R, -1, 12, -200, -7}},
     {.leftV = 100, .rightV = Wheeled(100, -1), .lblPosV = "PosV", .txtWheel = Report("Right", -1, 12), .txtWheelColor = kRightHighlight}},
    {"controller path: no notches still sets the position again", {{Click, chkWheelSupport}, {Wheel, L, 0, 0, 1, 2}},
     {.leftV = 100, .lblPosV = "100/100", .txtWheel = Report("Left", 0, 0)}},
    {"controller path: the bar stops at its end", {{Click, chkWheelSupport}, {Scroll, L, WM_VSCROLL, SB_BOTTOM}, {Wheel, L, 1}},
     {.leftV = kLast, .lblPosV = "200/200"}},
    {"controller path: a hidden bar moves not, the report comes", {{Click, chkWheelSupport}, {Click, chkShowScrollV}, {Wheel, L, 2, 0, 3, 4}},
     {.leftV = 100, .lblPosV = "PosV", .txtWheel = Report("Left", 2, 0), .txtWheelColor = kLeftHighlight}},
    {"switching a wheel path empties its own text box",
     {{Type, txtWheel}, {Type, txtWheel2}, {Click, chkWheelSupport}, {Click, chkWheelSupport2}, {Click, chkWheelSupport2}},
     {.txtWheel = "", .txtWheel2 = "", .txtWheelColor = kWindowBackground, .txtWheel2Color = kWindowBackground, .hooked = false}},
    {"hook path: the left panel's top-left corner", {{Click, chkWheelSupport2}, {WheelAt, 0, L, TopLeft, 1}},
     {.leftV = Wheeled(100, 1), .lblPosV = "115/115", .txtWheel = "", .txtWheel2 = Report("Left", 1, 0),
      .txtWheel2Color = kLeftHighlight, .hooked = true}},
    {"hook path: the right panel's bottom-right edge counts", {{Click, chkWheelSupport2}, {WheelAt, 0, R, BottomRight, -1, MK_LBUTTON}},
     {.rightV = Wheeled(100, -1), .txtWheel2 = Report("Right", -1, 1), .txtWheel2Color = kRightHighlight}},
    {"hook path: a turn over neither panel changes nothing",
     {{Click, chkWheelSupport2}, {WheelAt, 0, R, RightOfBottomRight, 1}, {WheelAt, 0, L, LeftOfTopLeft, 1}},
     {.leftV = 100, .rightV = 100, .txtWheel = "", .txtWheel2 = "", .txtWheel2Color = kWindowBackground}},
    {"hook path: what a panel passes on reaches the hook", {{Click, chkWheelSupport2}, {WheelAt, L, L, Inside, 1}},
     {.leftV = Wheeled(100, 1), .txtWheel = "", .txtWheel2 = Report("Left", 1, 0)}},
    {"both paths: the controller takes the turn, once", {{Click, chkWheelSupport2}, {Click, chkWheelSupport}, {WheelAt, L, L, Inside, 1}},
     {.leftV = Wheeled(100, 1), .txtWheel = Report("Left", 1, 0), .txtWheel2 = ""}},
    {"hook path: a hidden bar moves not, the turn is consumed and reported",
     {{Click, chkWheelSupport2}, {Click, chkShowScrollV}, {WheelAt, 0, L, Inside, 1}},
     {.leftV = 100, .lblPosV = "PosV", .txtWheel2 = Report("Left", 1, 0), .txtWheel2Color = kLeftHighlight}},
    {"the panel with the focus shows its highlight", {{Press, R}}, {.leftColor = kButtonFace, .rightColor = kRightHighlight, .focus = R}},
    {"a focused check box leaves both panels plain", {{Press, R}, {Press, L}, {Click, chkWheelSupport}},
     {.leftColor = kButtonFace, .rightColor = kButtonFace, .focus = chkWheelSupport}},
    {"Tab passes the labels", {{Tab, 0, 3}}, {.focus = txtWheel}},
    {"Tab goes round to the left panel", {{Tab, 0, 8}}, {.leftColor = kLeftHighlight, .focus = L}},
    {"Shift+Tab goes back", {{Tab, 0, -2}}, {.rightColor = kButtonFace, .focus = chkWheelSupport2}},
};

void Do(RunningBrennick& app, const Act& act, POINT& wheelAt) {
    switch (act.kind) {
    case Scroll: app.Send(act.id, static_cast<UINT>(act.a), static_cast<WPARAM>(act.b)); break;
    case Click: app.Send(act.id, BM_CLICK); break;
    case DoubleClick: app.Send(0, WM_LBUTTONDBLCLK, MK_LBUTTON, PointLParam(5, 5)); break;
    case Press: app.Send(act.id, WM_LBUTTONDOWN, MK_LBUTTON); break;
    case Type: app.Send(act.id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed")); break;
    case Wheel: case WheelAt: {
        RECT r{};
        if (act.kind == WheelAt) GetWindowRect(app.Control(act.a), &r);
        const POINT places[] = {{r.left, r.top}, {r.right, r.bottom}, {r.right + 1, r.bottom}, {r.left - 1, r.top}, {r.left + 20, r.top + 20}};
        wheelAt = act.kind == Wheel ? POINT{act.c, act.d} : places[act.b];
        const int notches = act.kind == Wheel ? act.a : act.c, keys = act.kind == Wheel ? act.b : act.d;
        app.Send(act.id, WM_MOUSEWHEEL, WheelWParam(notches, keys), PointLParam(wheelAt.x, wheelAt.y));
        break;
    }
    case Tab:  // through the system's input queue, which needs the window in front
        SetForegroundWindow(app.Form());
        for (int press = 0; press < std::abs(act.a); ++press) {
            const HWND before = app.Focus();
            INPUT keys[4] = {};
            const WORD codes[] = {VK_SHIFT, VK_TAB, VK_TAB, VK_SHIFT};
            for (int k = 0; k < 4; ++k) {
                keys[k].type = INPUT_KEYBOARD;
                keys[k].ki.wVk = codes[k];
                keys[k].ki.dwFlags = k >= 2 ? KEYEVENTF_KEYUP : 0u;
            }
            act.a < 0 ? SendInput(4, keys, sizeof(INPUT)) : SendInput(2, keys + 1, sizeof(INPUT));
            for (int i = 0; i < 200 && app.Focus() == before; ++i) Sleep(10);
        }
        break;
    }
}

template <class T>
void Compare(const char* what, const std::optional<T>& expected, const std::type_identity_t<T>& actual) {
    if (expected) {
        EXPECT_EQ(actual, *expected) << what;
    }
}

// A report line's text after its "hh:nn:ss" time of day, with the turn's point put in.
std::string AfterTime(const std::string& line) {
    int h = 99, m = 99, s = 99;
    const bool time = std::sscanf(line.c_str(), "%2d:%2d:%2d", &h, &m, &s) == 3 && line[2] == ':' && line[5] == ':';
    EXPECT_TRUE(line.empty() || line == "typed" || (time && h < 24 && m < 60 && s < 60)) << line;
    return line.substr(std::min<std::size_t>(8, line.size()));
}
std::string WithPoint(std::string text, POINT at) {
    for (const auto& [key, value] : {std::pair{"{X}", at.x}, std::pair{"{Y}", at.y}}) {
        if (const auto found = text.find(key); found != std::string::npos) text.replace(found, 3, std::to_string(value));
    }
    return text;
}

TEST(TestWindow, EachInteractionShowsWhatItDid) {
    for (const Interaction& row : kInteractions) {
        SCOPED_TRACE(row.name);
        RunningBrennick app;
        ASSERT_NE(app.Form(), nullptr);
        POINT wheelAt{};
        for (const Act& act : row.acts) Do(app, act, wheelAt);
        const Expected& e = row.expected;
        const auto pos = [&](int panel, int bar) { return static_cast<int>(app.Bar(panel, bar, ScrollBarField::Pos)); };
        Compare("left vertical", e.leftV, pos(L, SB_VERT));
        Compare("left horizontal", e.leftH, pos(L, SB_HORZ));
        Compare("right vertical", e.rightV, pos(R, SB_VERT));
        Compare("left picture top", e.leftV ? std::optional(Px(2260 - *e.leftV, 96)) : std::nullopt, app.PlaceInParent(picTrialLeft).top);
        Compare("left picture left", e.leftH ? std::optional(Px(310 - *e.leftH, 96)) : std::nullopt, app.PlaceInParent(picTrialLeft).left);
        Compare("right picture top", e.rightV ? std::optional(Px(2260 - *e.rightV, 96)) : std::nullopt, app.PlaceInParent(picTrialRight).top);
        EXPECT_EQ(app.PlaceInParent(picTrialRight).left, Px(210, 96)) << "the right picture never moves sideways";
        Compare("lblPosH", e.lblPosH, app.Text(lblPosH));
        Compare("lblPosV", e.lblPosV, app.Text(lblPosV));
        Compare("txtWheel", e.txtWheel ? std::optional(WithPoint(*e.txtWheel, wheelAt)) : std::nullopt, AfterTime(app.Text(txtWheel)));
        Compare("txtWheel2", e.txtWheel2 ? std::optional(WithPoint(*e.txtWheel2, wheelAt)) : std::nullopt, AfterTime(app.Text(txtWheel2)));
        Compare("txtWheel colour", e.txtWheelColor, app.BackColor(txtWheel));
        Compare("txtWheel2 colour", e.txtWheel2Color, app.BackColor(txtWheel2));
        Compare("left panel colour", e.leftColor, app.BackColor(L));
        Compare("right panel colour", e.rightColor, app.BackColor(R));
        Compare("focus", e.focus ? std::optional(app.Control(*e.focus)) : std::nullopt, app.Focus());
        Compare("left vertical bar shown", e.leftVShown, app.BarShown(L, SB_VERT));
        Compare("left horizontal bar shown", e.leftHShown, app.BarShown(L, SB_HORZ));
        Compare("wheel hook on the window", e.hooked, GetPropA(app.Form(), "nvAdvSubcls") != nullptr);
        EXPECT_EQ(app.Close(), 0u) << "exit code";
    }
}

TEST(ProgramFile, CarriesItsGermanVersionBlockItsIconAndItsImage) {
    const std::string path = ProgramPath();
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(11, 0));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    for (const auto& [key, value] : {std::pair{"ProductName", "Brennick"}, {"FileVersion", "1.00.0011"}, {"ProductVersion", "1.00.0011"},
                                     {"InternalName", "Brennick"}, {"OriginalFilename", "Brennick.exe"}}) {
        char* found = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040704B0\\") + key;
        EXPECT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&found), &length) && std::string(found) == value) << key;
    }
    const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const auto resource = [&](int id, int type) {
        return static_cast<const BYTE*>(LockResource(LoadResource(module, FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type)))));
    };
    const BYTE* icons = resource(IDI_BRENNICK, 14);  // RT_GROUP_ICON: a 6-byte header, then 14-byte entries
    ASSERT_NE(icons, nullptr);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (int i = 0; i < icons[4]; ++i) images.emplace_back(icons[6 + 14 * i], icons[6 + 14 * i + 6]);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 4}, {32, 1}, {32, 4}}));
    const auto* image = reinterpret_cast<const BITMAPINFOHEADER*>(resource(IDB_TRIAL, 2));  // RT_BITMAP
    EXPECT_TRUE(image != nullptr && image->biWidth == 200 && std::abs(image->biHeight) == 36);
    FreeLibrary(module);
}

}  // namespace
}  // namespace brennick::e2e
