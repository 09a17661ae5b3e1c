// The zoom of the window: every pixel of its zoom-1 picture becomes an n x n block.
// Plain C++: how large a zoom the screen has room for.
#pragma once

#include <optional>

namespace vaultmoor {

struct PixelSize {
    int width;
    int height;
};

// The largest zoom at which `zoomed` (at zoom 1) times n, plus `fixed` (the parts that do
// not zoom: menu bar, window frame), fits in `room`; at least 1.
int LargestZoom(PixelSize zoomed, PixelSize fixed, PixelSize room);

// The zoom the window opens at: the largest at which it takes at most three quarters of
// the screen's width and height; at least 1.
int OpeningZoom(PixelSize zoomed, PixelSize fixed, PixelSize screen);

// The zoom remembered from the last run when it is one the screen has room for; the
// opening zoom otherwise.
int RestoredZoom(std::optional<int> stored, int opening, int largest);

}  // namespace vaultmoor
