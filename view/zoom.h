// The zoom of the window: every pixel of its zoom-1 picture becomes an n x n block of the
// display's own (device) pixels, whatever scale the desktop runs at. Plain C++: how large a
// zoom the screen has room for, and where the blocks fall at a logical scale.
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

// At a logical scale (device pixels per logical unit: 1.25 at 125 %), windows are sized and
// placed in logical units but the picture is drawn one to one on device pixels.
// A logical length in device pixels, as the display rounds it.
int ToDevice(double logical, double scale);
PixelSize ToDevice(PixelSize logical, double scale);
// The first whole device pixel at or after logical `start`: where a picture begins.
int FirstDevicePixel(double start, double scale);
// The logical length from `start` that holds `device` pixels drawn from FirstDevicePixel.
int LogicalLength(double start, int device, double scale);

// The window at a zoom and scale: the zoom-1 `picture` below `fixed` logical units (the
// menu bar) and on a `screen` given in logical units.
struct ScaledWindow {
    int top;            // the picture's first device row, below the fixed part
    PixelSize device;   // the picture in device pixels
    PixelSize logical;  // the logical size of the part that holds it
};
ScaledWindow AtScale(PixelSize picture, int fixedHeight, int zoom, double scale);
// The opening zoom at a scale: the largest taking at most three quarters of the screen's
// device pixels; steps go one device pixel per screen pixel from there.
int OpeningZoomAt(PixelSize picture, int fixedHeight, PixelSize screen, double scale);

}  // namespace vaultmoor
