// The native controls at a zoom: placed at n times their design rectangle, their fonts n
// times the size they have at 96 DPI.
#pragma once

#include <windows.h>

#include <string_view>

#include "textlayout.h"

namespace vaultmoor::win {

// A push button, a tab stop.
HWND MakeButton(HWND parent, int id, std::string_view caption, bool isDefault);
void Place(HWND control, const PixelRect& rect, int zoom);

// The buttons' font (the system's message font) and the command box's (the screen font),
// both n times their size at zoom 1. Each call makes a new font; the caller deletes it.
HFONT ButtonFont(int zoom);
HFONT ScreenFont(int zoom);

// The screen font, built into the program, made available to this process.
void LoadScreenFont();

// The client size of a window with `style` around a client area, at a DPI.
SIZE OuterSize(SIZE client, DWORD style, bool menu, UINT dpi);

// The work area of the monitor a window is on, or the primary one.
RECT WorkArea(HWND window);

// Gives a window the outer size `outer`, its centre where it was (or, the first time, in the
// middle of the work area of `owner`'s monitor), kept inside that work area.
void ResizeKeepingCentre(HWND window, SIZE outer, bool placed, HWND owner);

}  // namespace vaultmoor::win
