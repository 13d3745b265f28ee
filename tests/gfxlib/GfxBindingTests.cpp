// SPDX-License-Identifier: GPL-3.0-or-later
// The late binding of the image library: loading, missing entry points, word passing.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "fileio/FileError.h"
#include "gfxlib/GfxBinding.h"
#include "gfxlib/LibraryArgs.h"
#include "tests/gfxlib/GfxDouble.h"

namespace tinplate {

namespace {

// The double is copied under a new module name only after the first failed call: the binding
// must try the load again rather than remember the failure.
TEST(GfxBinding, RetriesTheLoadUntilTheModuleAppears) {
    const std::filesystem::path late =
        std::filesystem::path(TINPLATE_LATE_MODULE_DIR) / "libgfxlate.so";
    std::filesystem::remove(late);
    GfxBinding binding("gfxlate");
    EXPECT_EQ(binding._Pic_Count(), 0);
    std::filesystem::copy_file(TINPLATE_DOUBLE_PATH, late);
    EXPECT_EQ(binding._Pic_Count(), kDoubleResult);
    std::filesystem::remove(late);
    EXPECT_EQ(binding._Pic_GetSaveFormats(), kDoubleResult) << "a loaded module stays loaded";
    // An older library that lacks one entry point: that one answers 0 and is reported missing.
    EXPECT_FALSE(binding.HasEntryPoint(kWithheldEntryPoint));
    EXPECT_EQ(binding._TargaFlip(1, 2, 3), 0);
}

TEST(LibraryArgs, NameBufferHoldsNamesUpTo255Characters) {
    const std::string longest(255, 'n');
    NameBuffer buffer(longest);
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(buffer.word())), 255u);
    EXPECT_THROW(NameBuffer(std::string(256, 'n')), FileError);
    EXPECT_THROW(NameBuffer(std::string("a\0b", 3)), FileError);
}

}  // namespace

}  // namespace tinplate
