#include "zoom.h"

#include <algorithm>
#include <cmath>

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

namespace {
constexpr double Slack = 1e-6;  // a scale like 1.75 is not exact in binary
}

int ToDevice(double logical, double scale) {
    return static_cast<int>(std::lround(logical * scale));
}

PixelSize ToDevice(PixelSize logical, double scale) {
    return {ToDevice(logical.width, scale), ToDevice(logical.height, scale)};
}

int FirstDevicePixel(double start, double scale) {
    return static_cast<int>(std::ceil(start * scale - Slack));
}

int LogicalLength(double start, int device, double scale) {
    const double end = (FirstDevicePixel(start, scale) + device) / scale;
    return static_cast<int>(std::ceil(end - Slack - start));
}

ScaledWindow AtScale(PixelSize picture, int fixedHeight, int zoom, double scale) {
    const PixelSize device{picture.width * zoom, picture.height * zoom};
    return {
        FirstDevicePixel(fixedHeight, scale),
        device,
        {LogicalLength(0, device.width, scale), LogicalLength(fixedHeight, device.height, scale)}};
}

int OpeningZoomAt(PixelSize picture, int fixedHeight, PixelSize screen, double scale) {
    return OpeningZoom(picture, {0, FirstDevicePixel(fixedHeight, scale)}, ToDevice(screen, scale));
}

}  // namespace vaultmoor
