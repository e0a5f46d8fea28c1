// The Win32 constants the components use, under their platform names and values. Private to the
// library's sources (never installed); where <windows.h> came first its macros stand in for
// these, with the same values.
#pragma once

#include <cstdint>

namespace brennick {

#ifndef WM_DESTROY
inline constexpr unsigned int WM_DESTROY = 0x0002;
#endif
#ifndef WM_NCDESTROY
inline constexpr unsigned int WM_NCDESTROY = 0x0082;
#endif
#ifndef WM_KEYDOWN
inline constexpr unsigned int WM_KEYDOWN = 0x0100;
#endif
#ifndef WM_TIMER
inline constexpr unsigned int WM_TIMER = 0x0113;
#endif
#ifndef WM_KILLFOCUS
inline constexpr unsigned int WM_KILLFOCUS = 0x0008;
#endif
#ifndef WM_SETTINGCHANGE
inline constexpr unsigned int WM_SETTINGCHANGE = 0x001A;
#endif
#ifndef WM_SETCURSOR
inline constexpr unsigned int WM_SETCURSOR = 0x0020;
#endif
#ifndef WM_MOUSEMOVE
inline constexpr unsigned int WM_MOUSEMOVE = 0x0200;
#endif
#ifndef WM_LBUTTONDOWN
inline constexpr unsigned int WM_LBUTTONDOWN = 0x0201;
#endif
#ifndef WM_RBUTTONDOWN
inline constexpr unsigned int WM_RBUTTONDOWN = 0x0204;
#endif
#ifndef WM_MBUTTONDOWN
inline constexpr unsigned int WM_MBUTTONDOWN = 0x0207;
#endif
#ifndef WM_MBUTTONUP
inline constexpr unsigned int WM_MBUTTONUP = 0x0208;
#endif
#ifndef WM_XBUTTONDOWN
inline constexpr unsigned int WM_XBUTTONDOWN = 0x020B;
#endif
#ifndef WM_CAPTURECHANGED
inline constexpr unsigned int WM_CAPTURECHANGED = 0x0215;
#endif
#ifndef WM_HSCROLL
inline constexpr unsigned int WM_HSCROLL = 0x0114;
#endif
#ifndef WM_VSCROLL
inline constexpr unsigned int WM_VSCROLL = 0x0115;
#endif
#ifndef WM_MOUSEWHEEL
inline constexpr unsigned int WM_MOUSEWHEEL = 0x020A;
#endif
#ifndef WM_MOUSEHWHEEL
inline constexpr unsigned int WM_MOUSEHWHEEL = 0x020E;
#endif

#ifndef SB_HORZ
inline constexpr int SB_HORZ = 0;
#endif
#ifndef SB_VERT
inline constexpr int SB_VERT = 1;
#endif

#ifndef SB_LINEUP
inline constexpr int SB_LINEUP = 0;
#endif
#ifndef SB_LINELEFT
inline constexpr int SB_LINELEFT = 0;
#endif
#ifndef SB_LINEDOWN
inline constexpr int SB_LINEDOWN = 1;
#endif
#ifndef SB_LINERIGHT
inline constexpr int SB_LINERIGHT = 1;
#endif
#ifndef SB_PAGEUP
inline constexpr int SB_PAGEUP = 2;
#endif
#ifndef SB_PAGELEFT
inline constexpr int SB_PAGELEFT = 2;
#endif
#ifndef SB_PAGEDOWN
inline constexpr int SB_PAGEDOWN = 3;
#endif
#ifndef SB_PAGERIGHT
inline constexpr int SB_PAGERIGHT = 3;
#endif
#ifndef SB_THUMBPOSITION
inline constexpr int SB_THUMBPOSITION = 4;
#endif
#ifndef SB_THUMBTRACK
inline constexpr int SB_THUMBTRACK = 5;
#endif
#ifndef SB_TOP
inline constexpr int SB_TOP = 6;
#endif
#ifndef SB_LEFT
inline constexpr int SB_LEFT = 6;
#endif
#ifndef SB_BOTTOM
inline constexpr int SB_BOTTOM = 7;
#endif
#ifndef SB_RIGHT
inline constexpr int SB_RIGHT = 7;
#endif
#ifndef SB_ENDSCROLL
inline constexpr int SB_ENDSCROLL = 8;
#endif

#ifndef SIF_RANGE
inline constexpr std::uint32_t SIF_RANGE = 0x0001;
#endif
#ifndef SIF_PAGE
inline constexpr std::uint32_t SIF_PAGE = 0x0002;
#endif
#ifndef SIF_POS
inline constexpr std::uint32_t SIF_POS = 0x0004;
#endif
#ifndef SIF_DISABLENOSCROLL
inline constexpr std::uint32_t SIF_DISABLENOSCROLL = 0x0008;
#endif
#ifndef SIF_TRACKPOS
inline constexpr std::uint32_t SIF_TRACKPOS = 0x0010;
#endif

#ifndef SPI_GETWHEELSCROLLLINES
inline constexpr unsigned int SPI_GETWHEELSCROLLLINES = 0x0068;
#endif
#ifndef SPI_GETWHEELSCROLLCHARS
inline constexpr unsigned int SPI_GETWHEELSCROLLCHARS = 0x006C;
#endif
#ifndef WHEEL_DELTA
inline constexpr int WHEEL_DELTA = 120;
#endif
#ifndef WHEEL_PAGESCROLL
inline constexpr std::int32_t WHEEL_PAGESCROLL = -1;
#endif

// The keys that scroll (virtual-key codes).
#ifndef VK_ESCAPE
inline constexpr unsigned int VK_ESCAPE = 0x1B;
#endif
#ifndef VK_PRIOR
inline constexpr unsigned int VK_PRIOR = 0x21;
#endif
#ifndef VK_NEXT
inline constexpr unsigned int VK_NEXT = 0x22;
#endif
#ifndef VK_END
inline constexpr unsigned int VK_END = 0x23;
#endif
#ifndef VK_HOME
inline constexpr unsigned int VK_HOME = 0x24;
#endif
#ifndef VK_LEFT
inline constexpr unsigned int VK_LEFT = 0x25;
#endif
#ifndef VK_UP
inline constexpr unsigned int VK_UP = 0x26;
#endif
#ifndef VK_RIGHT
inline constexpr unsigned int VK_RIGHT = 0x27;
#endif
#ifndef VK_DOWN
inline constexpr unsigned int VK_DOWN = 0x28;
#endif

#ifndef MK_LBUTTON
inline constexpr int MK_LBUTTON = 0x0001;
#endif
#ifndef MK_RBUTTON
inline constexpr int MK_RBUTTON = 0x0002;
#endif
#ifndef MK_SHIFT
inline constexpr int MK_SHIFT = 0x0004;
#endif
#ifndef MK_CONTROL
inline constexpr int MK_CONTROL = 0x0008;
#endif
#ifndef MK_MBUTTON
inline constexpr int MK_MBUTTON = 0x0010;
#endif

// The system's four-headed arrow (IDC_SIZEALL), the cursor of a pan.
inline constexpr int kSizeAllCursor = 32646;

// The legacy wheel-support window of older IntelliMouse software.
#ifndef MSH_WHEELMODULE_CLASS
inline constexpr const char* MSH_WHEELMODULE_CLASS = "MouseZ";
#endif
#ifndef MSH_WHEELMODULE_TITLE
inline constexpr const char* MSH_WHEELMODULE_TITLE = "Magellan MSWHEEL";
#endif
#ifndef MSH_SCROLL_LINES
inline constexpr const char* MSH_SCROLL_LINES = "MSH_SCROLL_LINES_MSG";
#endif

}  // namespace brennick
