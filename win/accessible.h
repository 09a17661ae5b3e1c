// What a screen reader finds for a picture: static text whose name is the text it shows.
// Everything else as Windows gives it for any window.
#pragma once

#include <windows.h>

namespace vaultmoor::win {

// The answer to WM_GETOBJECT for `window`; 0 when the request is not for its client area.
LRESULT AccessibleText(HWND window, WPARAM wp, LPARAM lp);

}  // namespace vaultmoor::win
