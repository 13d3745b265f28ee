// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the image library that records every call. It exports every entry point of
// the table under its own name except one, which it defines under another name.
#include "GfxDouble.h"

#include <cstring>

#include "GfxEntryPoints.h"

namespace {

RecordedCall g_lastCall;

template <typename... Words>
void Record(const char* name, Words... words) {
    std::strncpy(g_lastCall.name, name, sizeof g_lastCall.name - 1);
    g_lastCall.wordCount = sizeof...(words);
    int i = 0;
    ((g_lastCall.words[i++] = words), ...);
}

}  // namespace

extern "C" RecordedCall* GfxDoubleLastCall() {
    return &g_lastCall;
}

#define _TargaFlip _TargaFlip_withheld
#define TINPLATE_DOUBLE_value(nameText, words)  \
    Record(nameText TINPLATE_GFX_ARGS_##words); \
    return kDoubleResult;
#define TINPLATE_DOUBLE_none(nameText, words) Record(nameText TINPLATE_GFX_ARGS_##words);
#define TINPLATE_DOUBLE_DEFINE(result, name, words)                             \
    extern "C" TINPLATE_GFX_RESULT_##result name(TINPLATE_GFX_PARAMS_##words) { \
        TINPLATE_DOUBLE_##result(#name, words)                                  \
    }
TINPLATE_GFX_ENTRY_POINTS(TINPLATE_DOUBLE_DEFINE)
