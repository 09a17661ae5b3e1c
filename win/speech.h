// What the screen reader hears: a UI Automation notification, where Windows has it.
#pragma once

#include <windows.h>

#include <string>

namespace vaultmoor::win {

// Sends `news` (UTF-8) to the screen reader as a notification raised on `window`. The UI
// Automation calls are looked up at run time; without them the program goes on silent.
// With VAULTMOOR_NEWS_LOG set, every text sent is also added to that file, one a line
// (line feeds inside as "\n", backslashes as "\\").
void Notify(HWND window, const std::string& news);

}  // namespace vaultmoor::win
