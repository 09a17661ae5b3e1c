#include "zoom.h"

#include <algorithm>

namespace vaultmoor {

int LargestZoom(PixelSize zoomed, PixelSize fixed, PixelSize room) {
    if (zoomed.width <= 0 || zoomed.height <= 0) return 1;
    const int across = (room.width - fixed.width) / zoomed.width;
    const int down = (room.height - fixed.height) / zoomed.height;
    return std::max(1, std::min(across, down));
}

int OpeningZoom(PixelSize zoomed, PixelSize fixed, PixelSize screen) {
    return LargestZoom(zoomed, fixed, {screen.width * 3 / 4, screen.height * 3 / 4});
}

int RestoredZoom(std::optional<int> stored, int opening, int largest) {
    if (stored && *stored >= 1 && *stored <= largest) return *stored;
    return std::clamp(opening, 1, std::max(1, largest));
}

}  // namespace vaultmoor
