// What a screen reader finds for a control of ours: the object Windows makes for the window,
// with our role and a name asked afresh each time (the text a picture shows, the box's name).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vaultmoor::win {

// The answer to WM_GETOBJECT for `window`; 0 when the request is not for its client area.
LRESULT AccessibleControl(HWND window, WPARAM wp, LPARAM lp, long role,
                          std::function<std::wstring()> name);

}  // namespace vaultmoor::win
