// UTF-8, as the game keeps its texts, to and from the UTF-16 of Windows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vaultmoor::win {

std::wstring Wide(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view wide);

// A window's text, whole.
std::wstring TextOf(HWND window);

}  // namespace vaultmoor::win
