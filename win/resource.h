// Resource ids of vaultmoor.exe, shared by the C++ and the resource script.
#pragma once

#define IDI_VAULTMOOR 1
#define IDR_SCREENFONT 2
#define ScreenFontFace L"Vaultmoor Screen"
