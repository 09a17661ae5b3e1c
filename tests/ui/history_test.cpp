// The command box's history, as a shell keeps it.
#include "history.h"

#include <gtest/gtest.h>

#include <string>

namespace vaultmoor {
namespace {

TEST(CommandHistory, WalksBackAndForthAndGivesBackTheHalfTypedLine) {
    CommandHistory h;
    for (const char* line : {"look door", "", "get bible", "get bible", "go south"}) h.Add(line);
    EXPECT_EQ(h.Size(), 3u);  // no empty line, the repeat kept once
    EXPECT_EQ(h.Down(), std::nullopt);
    EXPECT_EQ(h.Up("pu"), "go south");
    EXPECT_EQ(h.Up("go south"), "get bible");
    EXPECT_EQ(h.Up("get bible"), "look door");
    EXPECT_EQ(h.Up("look door"), std::nullopt);
    EXPECT_EQ(h.Down(), "get bible");
    EXPECT_EQ(h.Down(), "go south");
    EXPECT_EQ(h.Down(), "pu");
    EXPECT_EQ(h.Down(), std::nullopt);

    h.Add("go south");   // the newest again: kept once
    h.Add("get bible");  // an older one: kept
    EXPECT_EQ(h.Size(), 4u);
    EXPECT_EQ(h.Up(""), "get bible");
    EXPECT_EQ(h.Up(""), "go south");
}

TEST(CommandHistory, KeepsTheLastHundred) {
    CommandHistory h;
    for (int i = 0; i < 150; ++i) h.Add("go " + std::to_string(i));
    std::size_t walked = 0;
    std::string oldest;
    for (auto line = h.Up("look"); line; line = h.Up("")) oldest = *line, ++walked;
    EXPECT_EQ(walked, CommandHistory::Capacity);
    EXPECT_EQ(oldest, "go 50");
}

}  // namespace
}  // namespace vaultmoor
