// SPDX-License-Identifier: GPL-3.0-or-later
// The README's examples, run as written: every txdtool line of its sh blocks, in order, on
// dictionaries and pictures of the names the examples use.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

namespace {

// The lines of the README's sh blocks that run txdtool, comments left out.
std::vector<std::string> ExampleLines() {
    std::ifstream readme(README_PATH);
    std::vector<std::string> lines;
    bool inBlock = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.starts_with("```")) {
            inBlock = !inBlock && line == "```sh";
        } else if (inBlock && !line.starts_with('#') &&
                   line.find("txdtool ") != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

TEST_F(TxdtoolTest, ReadmeExamplesRunAsWritten) {
    auto textures = StandardSampleTextures();
    textures[0].name = "wheel";
    for (const char* folder : {"maps", "cars", "bin", "mods", "mods/cars"}) {
        std::filesystem::create_directory(folder);
    }
    for (const char* file :
         {"cars.txd", "a.txd", "b.txd", "download.txd", "maps/m1.txd", "maps/m2.txd", "cars/c1.txd",
          "cars/c2.txd", "mods/cars/c1.txd", "infernus.txd", "cheetah.txd"}) {
        WriteDictionary(file, textures);
    }
    ASSERT_EQ(
        RunShellLine("txdtool img new gta3.img && txdtool img add gta3.img infernus.txd").status,
        0);
    for (const char* picture : {"radar.png", "arrow.tga", "minimap.png"}) {
        ASSERT_EQ(RunShellLine(std::string("txdtool export cars.txd wheel -o ") + picture).status,
                  0);
    }
    // A viewer that takes the picture without a display.
    std::ofstream("bin/display") << "#!/bin/sh\ncat >/dev/null\n";
    ::chmod("bin/display", 0755);

    const std::vector<std::string> lines = ExampleLines();
    EXPECT_GE(lines.size(), 20u);
    for (const std::string& line : lines) {
        // The older version an edit is compared with is the dictionary as it stands by then.
        if (line.find("cars-old.txd") != std::string::npos) {
            std::filesystem::copy_file("cars.txd", "cars-old.txd",
                                       std::filesystem::copy_options::overwrite_existing);
        }
        const ToolRun run = RunShellLine("PATH=\"$PWD/bin:$PATH\"; " + line);
        // lint reports the findings of the made-up textures with status 1; a usage or read
        // error would be 2.
        const bool lints = line.find("txdtool lint") != std::string::npos;
        EXPECT_LE(run.status, lints ? 1 : 0) << line << "\n" << run.err;
    }
}

}  // namespace

}  // namespace tinplate
