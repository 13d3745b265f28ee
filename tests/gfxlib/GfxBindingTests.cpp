// SPDX-License-Identifier: GPL-3.0-or-later
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <type_traits>

#include "FileError.h"
#include "GfxBinding.h"
#include "GfxDouble.h"
#include "LibraryArgs.h"

namespace {

// Words with bits in both halves and a different value in every position.
constexpr std::intptr_t w1 = 0x0100000000000001, w2 = 0x0200000000000002, w3 = 0x0300000000000003,
                        w4 = 0x0400000000000004, w5 = 0x0500000000000005, w6 = 0x0600000000000006,
                        w7 = 0x0700000000000007, w8 = 0x0800000000000008, w9 = 0x0900000000000009;

struct Outcome {
    bool hasResult;
    std::intptr_t result;
};

template <typename Call>
Outcome Run(Call call) {
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        return {false, 0};
    } else {
        return {true, call()};
    }
}

// Calls `visit(name, words, outcome)` for every operation of the binding, in table order,
// each called with w1..wN.
template <typename Visit>
void CallEveryOperation(GfxBinding& binding, Visit visit) {
#define TINPLATE_TEST_CALL(result, name, words) \
    visit(#name, words,                         \
          Run([&] { return std::invoke(&GfxBinding::name, binding TINPLATE_GFX_ARGS_##words); }));
    TINPLATE_GFX_ENTRY_POINTS(TINPLATE_TEST_CALL)
#undef TINPLATE_TEST_CALL
}

RecordedCall& DoubleRecord() {
    void* handle = ::dlopen("libgfxdouble.so", RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(handle, nullptr) << "the double should be loaded by now";
    auto lastCall = reinterpret_cast<RecordedCall* (*)()>(::dlsym(handle, "GfxDoubleLastCall"));
    return *lastCall();
}

TEST(GfxBinding, MissingModuleMakesEveryOperationReturnZero) {
    GfxBinding binding("tinplate_module_that_is_not_there");
    int operations = 0;
    CallEveryOperation(binding, [&](const char*, int, Outcome outcome) {
        ++operations;
        EXPECT_EQ(outcome.result, 0);
    });
    EXPECT_EQ(operations, 70);
    EXPECT_FALSE(binding.HasEntryPoint("_bmpresize"));
}

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
}

TEST(GfxBinding, ForwardsEveryWordInOrderAndReturnsTheWholeResult) {
    GfxBinding binding("gfxdouble");
    ASSERT_TRUE(binding.HasEntryPoint("_bmpprocess"));
    CallEveryOperation(binding, [&](const char* name, int words, Outcome outcome) {
        SCOPED_TRACE(name);
        RecordedCall& call = DoubleRecord();
        if (std::strcmp(name, kWithheldEntryPoint) == 0) {
            EXPECT_FALSE(binding.HasEntryPoint(name));
            EXPECT_TRUE(outcome.hasResult);
            EXPECT_EQ(outcome.result, 0);
            EXPECT_STRNE(call.name, name) << "nothing may have been called";
            return;
        }
        EXPECT_STREQ(call.name, name);
        ASSERT_EQ(call.wordCount, words);
        const std::intptr_t expected[] = {w1, w2, w3, w4, w5, w6, w7, w8, w9};
        for (int i = 0; i < words; ++i) {
            EXPECT_EQ(call.words[i], expected[i]) << "word " << i + 1;
        }
        if (outcome.hasResult) {
            EXPECT_EQ(outcome.result, kDoubleResult);
        }
    });
}

TEST(LibraryArgs, NameBufferHoldsNamesUpTo255Characters) {
    const std::string longest(255, 'n');
    NameBuffer buffer(longest);
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(buffer.word())), 255u);
    EXPECT_THROW(NameBuffer(std::string(256, 'n')), FileError);
    EXPECT_THROW(NameBuffer(std::string("a\0b", 3)), FileError);
}

}  // namespace
