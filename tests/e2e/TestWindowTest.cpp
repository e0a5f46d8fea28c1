// Brennick.exe from the outside: its layout at two DPIs, a table of interactions, keyboard focus
// and its program file. Expected values come from the window's documented start: bars 0..400, page
// 201, line 5, at 100; pictures stored at 210, 2160 twips and moving one twip per scroll unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "resources/resource.h"
#include "tests/e2e/RunningBrennick.h"

namespace brennick::e2e {

using ui::ScrollBarField;
namespace {
constexpr std::uint32_t kLeftHighlight = 0x00FFCCAA, kRightHighlight = 0x00AACCFF;
constexpr std::uint32_t kWindowBackground = 0x80000005, kButtonFace = 0x8000000F;
constexpr int kLast = 400 - 201 + 1;  // the last position a page of 201 allows
}  // namespace

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

// Checks every control of the window form against kLayout at dpi (pictures too, where they have
// not moved), from outside or inside the program alike.
void ExpectLaidOut(HWND form, int dpi, bool pictures) {
    std::vector<HWND> order;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        order.push_back(child);
    }
    std::vector<HWND> expectedOrder;
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
        RECT place{};
        GetWindowRect(window, &place);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_NEAR(place.left, Px(c.left, dpi), 1);
        EXPECT_NEAR(place.top, Px(c.top, dpi), 1);
        EXPECT_NEAR(place.right, Px(c.left + c.width, dpi), 1);
        EXPECT_NEAR(place.bottom, Px(c.top + c.height, dpi), 1);
    }
    EXPECT_EQ(order, expectedOrder) << "Tab walks the controls in the order they were created";
}

namespace {

TEST(TestWindow, StartsLaidOutAtItsDpiWithItsBarsSetAndNothingMoved) {
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        RunningBrennick app(dpi);
        ASSERT_NE(app.Form(), nullptr);
        EXPECT_EQ(app.Text(0), "Brennick - 1.00.0011");
        ExpectLaidOut(app.Form(), dpi);
        if (dpi == 96) {  // at 144 DPI the window is taller than the virtual screen, which limits its frame
            RECT client{};
            GetClientRect(app.Form(), &client);
            EXPECT_EQ(client.right, 598);
            EXPECT_EQ(client.bottom, 534);
        }
        EXPECT_NE(GetClassLongPtrA(app.Form(), GCL_STYLE) & CS_DBLCLKS, 0u);
        struct Bar {
            int panel, bar;
            bool shown;
        };
        for (const Bar& b : {Bar{picControlLeft, SB_HORZ, true}, Bar{picControlLeft, SB_VERT, true},
                             Bar{picControlRight, SB_VERT, true}, Bar{picControlRight, SB_HORZ, false}}) {
            EXPECT_EQ(app.BarShown(b.panel, b.bar), b.shown);
            if (!b.shown) continue;
            EXPECT_EQ(app.Bar(b.panel, b.bar, ScrollBarField::Max), 400);
            EXPECT_EQ(app.Bar(b.panel, b.bar, ScrollBarField::Page), 201);
            EXPECT_EQ(app.Bar(b.panel, b.bar, ScrollBarField::Pos), 100);
            EXPECT_EQ(app.Bar(b.panel, b.bar, ScrollBarField::State) & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE), 0);
        }
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

// The system's lines per wheel notch (-1: a page), as the program reads them at start.
int WheelLines() {
    int lines = 0;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines;
}
// Where n notches toward the user send a bar at position: limited to 0..400, and stopped by the bar.
int Wheeled(int position, int n) {
    const int step = WheelLines() == -1 ? 201 : std::min(WheelLines(), 201) * 5;
    return std::min(std::clamp(position + n * step, 0, 400), kLast);
}

// What a row expects after its actions; unset fields are not looked at. A bar position also sets
// where its picture must stand. Report texts leave out the time, and {X} and {Y} stand for the
// point of the row's last wheel turn.
struct Expected {
    std::optional<int> leftV{}, leftH{}, rightV{};
    std::optional<std::string> lblPosH{}, lblPosV{}, txtWheel{}, txtWheel2{};
    std::optional<std::uint32_t> txtWheelColor{}, txtWheel2Color{}, leftColor{}, rightColor{};
    std::optional<int> focus{};
    std::optional<bool> leftVShown{}, leftHShown{}, hooked{};
};

struct App {
    RunningBrennick& app;
    POINT wheelAt{};
    void Scroll(int panel, UINT message, int code) { app.Send(panel, message, static_cast<WPARAM>(code)); }
    void Click(int id) { app.Send(id, BM_CLICK); }
    void Wheel(int target, int notches, int keys, int x, int y) {
        wheelAt = {x, y};
        app.Send(target, WM_MOUSEWHEEL, WheelWParam(notches, keys), PointLParam(x, y));
    }
    // A turn at a point of a panel's window rectangle, all four edges of which count as inside.
    enum Where { kTopLeft, kBottomRight, kRightOfBottomRight, kLeftOfTopLeft, kInside };
    void WheelOver(int target, int panel, Where where, int notches, int keys = 0) {
        RECT r{};
        GetWindowRect(app.Control(panel), &r);
        const POINT points[] = {{r.left, r.top}, {r.right, r.bottom}, {r.right + 1, r.bottom}, {r.left - 1, r.top},
                                {r.left + 20, r.top + 20}};
        Wheel(target, notches, keys, points[where].x, points[where].y);
    }
};

struct Interaction {
    const char* name;
    std::function<void(App&)> act;
    Expected expected;
};

std::string Report(const char* panel, int delta, int keys, const char* x = "{X}", const char* y = "{Y}") {
    return std::string(" WheelRotate ScrollV ") + panel + ": Delta=" + std::to_string(delta) + ", Shift=" +
           std::to_string(keys) + ", X=" + x + ", Y=" + y;
}

const Interaction kInteractions[] = {
    {"line down", [](App& a) { a.Scroll(picControlLeft, WM_VSCROLL, SB_LINEDOWN); },
     {.leftV = 105, .lblPosH = "PosH", .lblPosV = "105/105"}},
    {"page down stops a page short of the end", [](App& a) { a.Scroll(picControlLeft, WM_VSCROLL, SB_PAGEDOWN); },
     {.leftV = kLast, .lblPosV = "200/200"}},
    {"top, and line up there", [](App& a) {
         a.Scroll(picControlLeft, WM_VSCROLL, SB_TOP);
         a.Scroll(picControlLeft, WM_VSCROLL, SB_LINEUP);
     }, {.leftV = 0, .lblPosV = "0/0"}},
    {"thumb without a drag keeps and reports the position", [](App& a) { a.Scroll(picControlLeft, WM_VSCROLL, SB_THUMBTRACK); },
     {.leftV = 100, .lblPosV = "100/100"}},
    {"horizontal: right end, then a line left", [](App& a) {
         a.Scroll(picControlLeft, WM_HSCROLL, SB_RIGHT);
         a.Scroll(picControlLeft, WM_HSCROLL, SB_LINELEFT);
     }, {.leftV = 100, .leftH = kLast - 5, .lblPosH = "195/195", .lblPosV = "PosV"}},
    {"the right panel moves only its own picture, only vertically", [](App& a) {
         a.Scroll(picControlRight, WM_VSCROLL, SB_PAGEDOWN);
         a.Scroll(picControlRight, WM_HSCROLL, SB_LINERIGHT);
     }, {.leftV = 100, .leftH = 100, .rightV = kLast, .lblPosH = "PosH", .lblPosV = "PosV"}},
    {"a double-click sends the left panel back, a hidden bar too", [](App& a) {
         a.Scroll(picControlLeft, WM_VSCROLL, SB_BOTTOM);
         a.Scroll(picControlRight, WM_VSCROLL, SB_TOP);
         a.Click(chkShowScrollH);
         a.Scroll(picControlLeft, WM_HSCROLL, SB_LEFT);
         a.app.Send(0, WM_LBUTTONDBLCLK, MK_LBUTTON, PointLParam(5, 5));
     }, {.leftV = 100, .leftH = 100, .rightV = 0, .lblPosH = "100/100", .lblPosV = "100/100"}},
    {"the show check boxes hide and show the left panel's bars", [](App& a) {
         a.Click(chkShowScrollV);
         a.Click(chkShowScrollH);
         a.Click(chkShowScrollH);
     }, {.leftV = 100, .leftVShown = false, .leftHShown = true}},
    {"with both wheel paths off a turn changes nothing", [](App& a) {
         a.Wheel(picControlLeft, 1, 0, 0, 0);
         a.Wheel(0, 1, 0, 0, 0);
     }, {.leftV = 100, .txtWheel = "", .txtWheel2 = ""}},
    {"controller path: the left panel scrolls and reports", [](App& a) {
         a.Click(chkWheelSupport);
         a.Wheel(picControlLeft, 1, 0, 512, 384);
     }, {.leftV = Wheeled(100, 1), .lblPosV = "115/115", .txtWheel = Report("Left", 1, 0, "512", "384"),
         .txtWheel2 = "", .txtWheelColor = kLeftHighlight}},
    {"controller path: the right panel, keys, negative coordinates", [](App& a) {
         a.Click(chkWheelSupport);
         a.Wheel(picControlRight, -1, MK_SHIFT | MK_CONTROL, -200, -7);
     }, {.leftV = 100, .rightV = Wheeled(100, -1), .lblPosV = "PosV", .txtWheel = Report("Right", -1, 12, "-200", "-7"),
         .txtWheelColor = kRightHighlight}},
    {"controller path: no notches still sets the position again", [](App& a) {
         a.Click(chkWheelSupport);
         a.Wheel(picControlLeft, 0, 0, 1, 2);
     }, {.leftV = 100, .lblPosV = "100/100", .txtWheel = Report("Left", 0, 0, "1", "2")}},
    {"controller path: the bar stops at its end", [](App& a) {
         a.Click(chkWheelSupport);
         a.Scroll(picControlLeft, WM_VSCROLL, SB_BOTTOM);
         a.Wheel(picControlLeft, 1, 0, 0, 0);
     }, {.leftV = kLast, .lblPosV = "200/200"}},
    {"controller path: a hidden bar moves not, the report comes all the same", [](App& a) {
         a.Click(chkWheelSupport);
         a.Click(chkShowScrollV);
         a.Wheel(picControlLeft, 2, 0, 3, 4);
     }, {.leftV = 100, .lblPosV = "PosV", .txtWheel = Report("Left", 2, 0, "3", "4"), .txtWheelColor = kLeftHighlight}},
    {"switching a wheel path empties its own text box", [](App& a) {
         a.app.Send(txtWheel, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
         a.app.Send(txtWheel2, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
         a.Click(chkWheelSupport);
         a.Click(chkWheelSupport2);
         a.Click(chkWheelSupport2);
     }, {.txtWheel = "", .txtWheel2 = "", .txtWheelColor = kWindowBackground, .txtWheel2Color = kWindowBackground,
         .hooked = false}},
    {"hook path: the left panel's top-left corner", [](App& a) {
         a.Click(chkWheelSupport2);
         a.WheelOver(0, picControlLeft, App::kTopLeft, 1);
     }, {.leftV = Wheeled(100, 1), .lblPosV = "115/115", .txtWheel = "", .txtWheel2 = Report("Left", 1, 0),
         .txtWheel2Color = kLeftHighlight, .hooked = true}},
    {"hook path: the right panel's bottom-right edge counts", [](App& a) {
         a.Click(chkWheelSupport2);
         a.WheelOver(0, picControlRight, App::kBottomRight, -1, MK_LBUTTON);
     }, {.rightV = Wheeled(100, -1), .txtWheel2 = Report("Right", -1, 1), .txtWheel2Color = kRightHighlight}},
    {"hook path: a turn over neither panel changes nothing", [](App& a) {
         a.Click(chkWheelSupport2);
         a.WheelOver(0, picControlRight, App::kRightOfBottomRight, 1);
         a.WheelOver(0, picControlLeft, App::kLeftOfTopLeft, 1);
     }, {.leftV = 100, .rightV = 100, .txtWheel = "", .txtWheel2 = "", .txtWheel2Color = kWindowBackground}},
    {"hook path: what a panel passes on reaches the hook", [](App& a) {
         a.Click(chkWheelSupport2);
         a.WheelOver(picControlLeft, picControlLeft, App::kInside, 1);
     }, {.leftV = Wheeled(100, 1), .txtWheel = "", .txtWheel2 = Report("Left", 1, 0)}},
    {"both paths: the controller takes the turn, once", [](App& a) {
         a.Click(chkWheelSupport2);
         a.Click(chkWheelSupport);
         a.WheelOver(picControlLeft, picControlLeft, App::kInside, 1);
     }, {.leftV = Wheeled(100, 1), .txtWheel = Report("Left", 1, 0), .txtWheel2 = ""}},
    {"hook path: a hidden bar moves not, the turn is consumed and reported", [](App& a) {
         a.Click(chkWheelSupport2);
         a.Click(chkShowScrollV);
         a.WheelOver(0, picControlLeft, App::kInside, 1);
     }, {.leftV = 100, .lblPosV = "PosV", .txtWheel2 = Report("Left", 1, 0), .txtWheel2Color = kLeftHighlight}},
    {"the panel with the focus shows its highlight", [](App& a) { a.app.Send(picControlRight, WM_LBUTTONDOWN, MK_LBUTTON); },
     {.leftColor = kButtonFace, .rightColor = kRightHighlight, .focus = picControlRight}},
    {"a focused check box leaves both panels plain", [](App& a) {
         a.app.Send(picControlRight, WM_LBUTTONDOWN, MK_LBUTTON);
         a.app.Send(picControlLeft, WM_LBUTTONDOWN, MK_LBUTTON);
         a.Click(chkWheelSupport);
     }, {.leftColor = kButtonFace, .rightColor = kButtonFace, .focus = chkWheelSupport}},
};

template <class T>
void Compare(const char* what, const std::optional<T>& expected, const T& actual) {
    if (expected) {
        EXPECT_EQ(actual, *expected) << what;
    }
}

std::string WithPoint(std::string text, POINT at) {
    for (const auto& [key, value] : {std::pair{"{X}", at.x}, std::pair{"{Y}", at.y}}) {
        if (const auto found = text.find(key); found != std::string::npos) text.replace(found, 3, std::to_string(value));
    }
    return text;
}

// A report line's text after its "hh:nn:ss" time, which must be a time of day.
std::string AfterTime(const std::string& line) {
    if (line.empty()) return line;
    int h = -1, m = -1, s = -1;
    EXPECT_EQ(std::sscanf(line.c_str(), "%2d:%2d:%2d", &h, &m, &s), 3) << line;
    EXPECT_TRUE(line.size() >= 8 && line[2] == ':' && line[5] == ':' && h < 24 && m < 60 && s < 60) << line;
    return line.substr(std::min<std::size_t>(8, line.size()));
}

TEST(TestWindow, EachInteractionShowsWhatItDid) {
    for (const Interaction& row : kInteractions) {
        SCOPED_TRACE(row.name);
        RunningBrennick running;
        ASSERT_NE(running.Form(), nullptr);
        App app{running};
        row.act(app);
        const Expected& e = row.expected;
        const auto pos = [&](int panel, int bar) { return static_cast<int>(running.Bar(panel, bar, ScrollBarField::Pos)); };
        const auto corner = [&](int picture) { return running.PlaceInParent(picture); };
        Compare("left vertical", e.leftV, pos(picControlLeft, SB_VERT));
        Compare("left horizontal", e.leftH, pos(picControlLeft, SB_HORZ));
        Compare("right vertical", e.rightV, pos(picControlRight, SB_VERT));
        if (e.leftV) {
            EXPECT_EQ(corner(picTrialLeft).top, Px(2160 + 100 - *e.leftV)) << "left picture";
        }
        if (e.leftH) {
            EXPECT_EQ(corner(picTrialLeft).left, Px(210 + 100 - *e.leftH)) << "left picture";
        }
        if (e.rightV) {
            EXPECT_EQ(corner(picTrialRight).top, Px(2160 + 100 - *e.rightV)) << "right picture";
        }
        EXPECT_EQ(corner(picTrialRight).left, Px(210)) << "the right picture never moves sideways";
        Compare("lblPosH", e.lblPosH, running.Text(lblPosH));
        Compare("lblPosV", e.lblPosV, running.Text(lblPosV));
        if (e.txtWheel) {
            EXPECT_EQ(AfterTime(running.Text(txtWheel)), WithPoint(*e.txtWheel, app.wheelAt)) << "txtWheel";
        }
        if (e.txtWheel2) {
            EXPECT_EQ(AfterTime(running.Text(txtWheel2)), WithPoint(*e.txtWheel2, app.wheelAt)) << "txtWheel2";
        }
        Compare("txtWheel colour", e.txtWheelColor, running.BackColor(txtWheel));
        Compare("txtWheel2 colour", e.txtWheel2Color, running.BackColor(txtWheel2));
        Compare("left panel colour", e.leftColor, running.BackColor(picControlLeft));
        Compare("right panel colour", e.rightColor, running.BackColor(picControlRight));
        if (e.focus) {
            EXPECT_EQ(running.Focus(), running.Control(*e.focus)) << "focus";
        }
        Compare("left vertical bar shown", e.leftVShown, running.BarShown(picControlLeft, SB_VERT));
        Compare("left horizontal bar shown", e.leftHShown, running.BarShown(picControlLeft, SB_HORZ));
        Compare("wheel hook on the window", e.hooked, GetPropA(running.Form(), "nvAdvSubcls") != nullptr);
        EXPECT_EQ(running.Close(), 0u) << "exit code";
    }
}

TEST(TestWindow, TabAndShiftTabWalkTheTabOrderPastTheLabels) {
    RunningBrennick app;
    SetForegroundWindow(app.Form());
    ASSERT_EQ(GetForegroundWindow(), app.Form()) << "keyboard input needs the window in front";
    const auto press = [&](bool shift) {
        const HWND before = app.Focus();
        INPUT keys[4] = {};
        int count = 0;
        for (const auto& [key, up] : {std::pair{VK_SHIFT, false}, {VK_TAB, false}, {VK_TAB, true}, {VK_SHIFT, true}}) {
            if (key == VK_SHIFT && !shift) continue;
            keys[count].type = INPUT_KEYBOARD;
            keys[count].ki.wVk = static_cast<WORD>(key);
            keys[count++].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(static_cast<UINT>(count), keys, sizeof(INPUT));
        for (int i = 0; i < 200 && app.Focus() == before; ++i) Sleep(10);
        return app.Focus();
    };
    for (int id : {chkShowScrollH, chkShowScrollV, txtWheel, chkWheelSupport, picControlRight, chkWheelSupport2,
                   txtWheel2, picControlLeft}) {
        EXPECT_EQ(press(false), app.Control(id)) << "Tab to " << id;
    }
    for (int id : {txtWheel2, chkWheelSupport2, picControlRight}) EXPECT_EQ(press(true), app.Control(id)) << id;
}

TEST(ProgramFile, CarriesItsGermanVersionBlockItsIconAndItsImage) {
    const std::string path = ProgramPath();
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(11, 0));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    const std::pair<const char*, const char*> strings[] = {
        {"ProductName", "Brennick"}, {"FileVersion", "1.00.0011"}, {"ProductVersion", "1.00.0011"},
        {"InternalName", "Brennick"}, {"OriginalFilename", "Brennick.exe"}};
    for (const auto& [key, value] : strings) {
        char* found = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040704B0\\") + key;
        ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&found), &length)) << key;
        EXPECT_STREQ(found, value);
    }
    const HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const auto resource = [&](int id, int type) {
        return static_cast<const BYTE*>(LockResource(LoadResource(module, FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type)))));
    };
    const BYTE* icons = resource(IDI_BRENNICK, 14);  // RT_GROUP_ICON: 6-byte header, 14-byte entries
    ASSERT_NE(icons, nullptr);
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    for (int i = 0; i < icons[4]; ++i) images.emplace_back(icons[6 + 14 * i], icons[6 + 14 * i + 6]);
    std::sort(images.begin(), images.end());
    EXPECT_EQ(images, (std::vector<std::pair<int, int>>{{16, 4}, {32, 1}, {32, 4}}));
    const auto* image = reinterpret_cast<const BITMAPINFOHEADER*>(resource(IDB_TRIAL, 2));  // RT_BITMAP
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->biWidth, 200);
    EXPECT_EQ(std::abs(image->biHeight), 36);
    FreeLibrary(module);
}

}  // namespace
}  // namespace brennick::e2e
