// Plain C++ behind the window's comforts: the command history, and the zoom a screen has
// room for.
#include "history.h"

#include <gtest/gtest.h>

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

// At 3840 x 2160, 4: the window tests open there.
TEST(Zoom, OpensAtTheLargestTakingAtMostThreeQuartersOfTheScreen) {
    const PixelSize client{578, 292}, menu{0, 20};
    EXPECT_EQ(OpeningZoom(client, menu, {1366, 768}), 1);
    EXPECT_EQ(OpeningZoom(client, menu, {1920, 1080}), 2);
}

}  // namespace vaultmoor
