// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool lint and diff as build scripts use them: exit statuses, options, JSON read back.
#include <nlohmann/json.hpp>

#include <filesystem>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

namespace {

// Only a warning: a DXT3 texture whose width is no power of two.
void WriteWarningOnly(const std::string& path) {
    SampleTexture texture = MakePatternTexture("dxt3_12x8", 12, 8, 16, 14, 1, 0x0300);
    texture.hasAlpha = 1;
    WriteDictionary(path, {texture});
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST_F(TxdtoolTest, LintExitStatusFollowsSeverityStrictAndIgnore) {
    WriteSample();
    WriteWarningOnly("warn.txd");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string fragment;  // of standard output, or of standard error when status is 2
    };
    const Case cases[] = {
        {{"lint", "sample.txd"},
         1,
         "sample.txd: odd_pal8_6x5: error: the sides (6 x 5) are not powers of two, so platform "
         "5 cannot swizzle this uncompressed texture [swizzle-size]\n"},
        {{"lint", "warn.txd"},
         0,
         "warn.txd: dxt3_12x8: warning: the sides (12 x 8) are not powers of two "
         "[power-of-two]\n"},
        {{"lint", "--strict", "warn.txd"}, 1, "[power-of-two]"},
        {{"lint", "--strict", "--ignore=power-of-two", "warn.txd"}, 0, ""},
        {{"lint", "--ignore=alpha-unset,swizzle-size", "--ignore", "dxt1-alpha", "sample.txd"},
         0,
         "[mip-content]"},
        {{"lint", "--ignore=alpha-unset,nonsense", "sample.txd"}, 2, "no rule is named 'nonsense'"},
        {{"lint", "warn.txd", "missing.txd"}, 1, "[power-of-two]"},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTxdtool(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.back() << run.err;
        EXPECT_NE((c.status == 2 ? run.err : run.out).find(c.fragment), std::string::npos)
            << run.out << run.err;
        if (c.status != 2 && c.fragment.find("[mip-content]") != std::string::npos) {
            EXPECT_EQ(run.out.find("error:"), std::string::npos) << run.out;
        }
    }
}

TEST_F(TxdtoolTest, LintJsonHoldsEveryFindingOfTheText) {
    WriteSample();
    const ToolRun text = RunTxdtool({"lint", "sample.txd", "missing.txd"});
    const ToolRun json = RunTxdtool({"lint", "--json", "sample.txd", "missing.txd"});
    EXPECT_EQ(json.status, 1);
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["format"], 1);
    const auto& files = document["files"];
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1]["file"], "missing.txd");
    EXPECT_TRUE(files[1].contains("error"));
    const auto& findings = files[0]["findings"];
    EXPECT_EQ(findings.size(), Lines(text.out));
    const auto swizzle = std::find_if(findings.begin(), findings.end(),
                                      [](const auto& f) { return f["rule"] == "swizzle-size"; });
    ASSERT_NE(swizzle, findings.end());
    EXPECT_EQ(*swizzle, nlohmann::json::parse(R"({
        "index": 2, "name": "odd_pal8_6x5", "name_hex": "6f64645f70616c385f367835",
        "rule": "swizzle-size", "severity": "error", "values": {"width": 6, "height": 5},
        "message": "the sides (6 x 5) are not powers of two, so platform 5 cannot swizzle this uncompressed texture"})"));
}

TEST_F(TxdtoolTest, DiffNamesWhatEachEditChanged) {
    WriteSmall();  // apple_pal32_32, odd_pal8_6x5, mango_rgba_64x32, dxt3_32
    ASSERT_EQ(RunTxdtool({"export", "small.txd", "mango_rgba_64x32", "--format=png"}).status, 0);
    const auto same = RunTxdtool({"diff", "small.txd", "small.txd"});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    struct Case {
        std::vector<std::string> edit;  // on b.txd, a fresh copy of small.txd
        std::vector<std::string> fragments;
        std::size_t lines;
    };
    const Case cases[] = {
        {{"flip", "b.txd", "mango_rgba_64x32"},
         {"mango_rgba_64x32: level 0: 2048 texels differ"},
         1},
        {{"alpha", "b.txd", "dxt3_32", "no"},
         {"dxt3_32: has_alpha: 1 -> 0\n", "dxt3_32: level 0: identical\n"},
         2},
        {{"rename", "b.txd", "dxt3_32", "dxt3_new"},
         {"renamed, it seems (the same texels): dxt3_32 (index 3) -> dxt3_new (index 3)\n"},
         1},
        {{"add", "b.txd", "mango_rgba_64x32.png", "rgba32", "extra"},
         {"added: extra (index 4)\n"},
         1},
        {{"remove", "b.txd", "odd_pal8_6x5"}, {"removed: odd_pal8_6x5 (index 1)\n"}, 1},
        {{"move", "b.txd", "dxt3_32", "up"}, {"moved: mango_rgba_64x32 (index 2 -> 3)\n"}, 1},
        {{"convert", "b.txd", "mango_rgba_64x32", "dxt5"},
         {"mango_rgba_64x32: compression: 0 -> 15\n", "mango_rgba_64x32: level 0: ", " dB\n"},
         4},
    };
    for (const Case& c : cases) {
        std::filesystem::copy_file("small.txd", "b.txd",
                                   std::filesystem::copy_options::overwrite_existing);
        ASSERT_EQ(RunTxdtool(c.edit).status, 0) << c.edit[0];
        const ToolRun run = RunTxdtool({"diff", "small.txd", "b.txd"});
        EXPECT_EQ(run.status, 1) << c.edit[0];
        for (const std::string& fragment : c.fragments) {
            EXPECT_NE(run.out.find(fragment), std::string::npos) << c.edit[0] << ":\n" << run.out;
        }
        EXPECT_EQ(Lines(run.out), c.lines) << c.edit[0] << ":\n" << run.out;
        const ToolRun quiet = RunTxdtool({"-q", "diff", "small.txd", "b.txd"});
        EXPECT_EQ(quiet.status, 1);
        EXPECT_EQ(quiet.out + quiet.err, "");
    }
    const auto json =
        nlohmann::json::parse(RunTxdtool({"diff", "--json", "small.txd", "b.txd"}).out);
    const auto& level = json["files"][0]["changed"][0]["levels"][0];
    EXPECT_EQ(level["result"], "different");
    EXPECT_GT(level["psnr"].get<double>(), 10.0) << level;
    EXPECT_EQ(RunTxdtool({"diff", "small.txd", "missing.txd"}).status, 2);
}

}  // namespace tinplate
