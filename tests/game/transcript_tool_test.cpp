// The headless transcript tool, run as a program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

// Runs the tool on the given standard input; returns its standard output.
std::string RunTool(const std::string& input, const std::string& args) {
    const auto in =
        std::filesystem::temp_directory_path() /
        ("vaultmoor-tool-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::ofstream(in, std::ios::binary) << input;
    const std::string cmd = std::string(TRANSCRIPT_TOOL) + " " + args + " < " + in.string();
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        EXPECT_EQ(pclose(p), 0);
    }
    std::filesystem::remove(in);
    return out;
}

std::vector<json> RunJson(const std::string& input) {
    std::vector<json> objects;
    std::istringstream lines(RunTool(input, "--json"));
    for (std::string line; std::getline(lines, line);) objects.push_back(json::parse(line));
    return objects;
}

TEST(TranscriptTool, OneObjectPerActionWithExactlyTheDocumentedKeys) {
    const auto out = RunJson("!new\r\n\nget bible\n");
    ASSERT_EQ(out.size(), 4u);
    EXPECT_TRUE(out[0]["action"].is_null());
    EXPECT_EQ(out[1]["action"], "!new");
    EXPECT_EQ(out[2]["action"], "");
    EXPECT_EQ(out[3]["action"], "get bible");
    std::vector<std::string> keys;
    for (const auto& [k, v] : out[3].items()) keys.push_back(k);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys,
              (std::vector<std::string>{"accepted", "action", "cmdEnter", "flags", "inventory",
                                        "labels", "lblPressEnter", "room", "txtBox"}));
    EXPECT_EQ(out[3]["room"], 2);
    EXPECT_EQ(out[3]["inventory"].size(), 9u);
    EXPECT_EQ(out[3]["inventory"][0], "bible");
    EXPECT_EQ(out[3]["flags"], json::array({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(out[3]["labels"].size(), 20u);
    EXPECT_EQ(out[3]["labels"][12]["caption"],
              "You pick it up, and put it in your pocket. (It's pretty small)");
    EXPECT_EQ(out[3]["labels"][12]["visible"], true);
    EXPECT_EQ(out[3]["txtBox"], json({{"visible", true}, {"text", ""}}));
    EXPECT_EQ(out[3]["cmdEnter"], json({{"visible", true}}));
}

TEST(TranscriptTool, RefusesTurnsWhileTheBoxIsHidden) {
    const auto out = RunJson("look door\n!new\n\neat food\ny\nlook door\n!new\n");
    ASSERT_EQ(out.size(), 8u);
    EXPECT_EQ(out[1]["accepted"], false);
    EXPECT_EQ(out[1]["txtBox"]["text"], "");
    EXPECT_EQ(out[5]["labels"][14]["visible"], true);
    EXPECT_EQ(out[6]["accepted"], false);
    EXPECT_EQ(out[6]["labels"], out[5]["labels"]);
    EXPECT_EQ(out[7]["accepted"], true);
    EXPECT_EQ(out[7]["room"], 0);
}

TEST(TranscriptTool, KeepsUtf8AndCarriageReturnsAsTheyAre) {
    const std::string raw = RunTool("!new\n\n", "--json");
    EXPECT_NE(raw.find("\xE2\x89\xA1\xE2\x89\xA1"), std::string::npos);  // not \u2261
    EXPECT_NE(raw.find("in the castle.\\rThere are"), std::string::npos);
    EXPECT_EQ(raw.find("\\u"), std::string::npos);
}

TEST(TranscriptTool, SurvivesInvalidUtf8AndControlBytes) {
    const auto out =
        RunJson(std::string("!new\n\n\xFF\xFEgo\x01\x1B[2J\n") + std::string(100000, 'x') + "\n");
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[3]["labels"][12]["caption"], "What?");
    EXPECT_EQ(out[4]["labels"][12]["caption"], "What?");
    EXPECT_EQ(out[4]["action"].get<std::string>().size(), 100000u);
}

TEST(TranscriptTool, PlainModeShowsTheScreenAsAPlayerReadsIt) {
    const std::string out = RunTool("!new\n\nyell\nkick guard\n", "");
    EXPECT_NE(out.find("THE STORY\n"), std::string::npos);
    EXPECT_NE(out.find("A guard comes in, to see what all the racket is about.\n>>>>\n"),
              std::string::npos);
    EXPECT_NE(out.find("shut&lock it.\nYou are standing in a dark hallway"), std::string::npos);
    EXPECT_EQ(out.find('\r'), std::string::npos);
}

}  // namespace
