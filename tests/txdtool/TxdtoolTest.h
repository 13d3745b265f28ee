// SPDX-License-Identifier: GPL-3.0-or-later
// Running the built txdtool as a child process in the tests.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

// The built txdtool, run as a child process in the current directory.
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};
ToolRun RunTxdtool(const std::vector<std::string>& arguments);
// Any program, found on PATH unless named by its path, with its words.
ToolRun RunProgram(const std::vector<std::string>& words);
// Started by the dynamic loader with the program's RUNPATH ignored and a library path that
// holds only libmwdds.so: the run-time image library cannot be found.
ToolRun RunTxdtoolWithoutGfx(const std::vector<std::string>& arguments);
// Without the power to write files whose permission bits forbid it, which root otherwise has;
// status kCannotDropOverride when that power cannot be given up here.
ToolRun RunTxdtoolWithoutOverride(const std::vector<std::string>& arguments);
inline constexpr int kCannotDropOverride = 125;
// A bash command line (with pipefail) in which `txdtool` names the built one, as a user types it.
ToolRun RunShellLine(const std::string& line, bool dropOverride = false);

// Each test works on its own copies in a scratch folder, the current directory.
class TxdtoolTest : public ::testing::Test {
protected:
    // Every kind; zebra_pal8_64 has 8-bit mip levels, which Save rebuilds through the library.
    std::vector<std::uint8_t> WriteSample() {
        return WriteDictionary("sample.txd", StandardSampleTextures());
    }
    // Textures that a save writes back byte for byte: no 8-bit mip levels to rebuild.
    std::vector<std::uint8_t> WriteSmall() {
        const auto all = StandardSampleTextures();
        return WriteDictionary("small.txd", {all[1], all[2], all[3], all[6]});
    }
    TextureRecord Record(const std::string& path, const std::string& name) {
        for (auto& texture : ReadDictionary(path)) {
            if (texture.name == name) {
                return texture.record;
            }
        }
        throw std::out_of_range(name);
    }

    ScratchDir scratch;
};

}  // namespace tinplate
