// Plain C++ behind the window's comforts: the command history, and the zoom a screen has
// room for.
#include "history.h"

#include <gtest/gtest.h>

#include <tuple>

#include "zoom.h"

namespace vaultmoor {

TEST(CommandHistory, WalksBackAndForthAsAShellDoesAndKeepsTheLastHundred) {
    CommandHistory h;
    for (const char* line : {"look door", "", "get bible", "get bible", "go south"}) h.Add(line);
    EXPECT_EQ(h.Up("pu"), "go south");
    EXPECT_EQ(h.Up("go south"), "get bible");  // once, and no empty line
    EXPECT_EQ(h.Up("get bible"), "look door");
    EXPECT_EQ(h.Down(), "get bible");
    EXPECT_EQ(h.Down(), "go south");
    EXPECT_EQ(h.Down(), "pu");  // the half-typed line
    EXPECT_EQ(h.Down(), std::nullopt);

    for (int i = 0; i < 150; ++i) h.Add("go " + std::to_string(i));
    std::string oldest;
    for (std::size_t n = 0; n < CommandHistory::Capacity; ++n) oldest = h.Up("").value();
    EXPECT_EQ(oldest, "go 50");
    EXPECT_EQ(h.Up(""), std::nullopt);
}

// The zoom counts device pixels at any scale: the scale, the menu bar's height and the screen
// (logical units) give the opening zoom, the first device row below the bar and the logical
// size that holds the zoomed screen.
TEST(Zoom, OpensAtTheLargestTakingAtMostThreeQuartersOfTheScreenInDevicePixels) {
    using Case = std::tuple<double, int, PixelSize, int, int, int, int>;
    for (const auto& [scale, menu, screen, zoom, top, width, height] :
         std::initializer_list<Case>{{1, 20, {1366, 768}, 1, 20, 578, 292},
                                     {1, 20, {1920, 1080}, 2, 20, 1156, 584},
                                     {1.25, 22, {1536, 864}, 2, 28, 925, 468},
                                     {1.5, 22, {1706, 960}, 3, 33, 1156, 584},
                                     {1.75, 22, {1097, 617}, 2, 39, 661, 334},
                                     {2, 22, {1920, 1080}, 4, 44, 1156, 584}}) {
        const ScaledWindow at = AtScale({578, 292}, menu, zoom, scale);
        EXPECT_EQ(std::tuple(OpeningZoomAt({578, 292}, menu, screen, scale), at.top,
                             at.device.width, at.logical.width, at.logical.height),
                  std::tuple(zoom, top, 578 * zoom, width, height))
            << scale;
    }
}

}  // namespace vaultmoor
