// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the image library. It exports every entry point of the table under its own
// name except one, which it defines under another name.
#include "tests/gfxlib/GfxDouble.h"

#include "gfxlib/GfxEntryPoints.h"

namespace tinplate {

namespace {

// The words a call brings are of no interest here.
template <typename... Words>
void Ignore(Words...) {}

}  // namespace

#define _TargaFlip _TargaFlip_withheld
#define TINPLATE_DOUBLE_value return kDoubleResult;
#define TINPLATE_DOUBLE_none
#define TINPLATE_DOUBLE_DEFINE(result, name, words)                             \
    extern "C" TINPLATE_GFX_RESULT_##result name(TINPLATE_GFX_PARAMS_##words) { \
        Ignore(0 TINPLATE_GFX_ARGS_##words);                                    \
        TINPLATE_DOUBLE_##result                                                \
    }
TINPLATE_GFX_ENTRY_POINTS(TINPLATE_DOUBLE_DEFINE)

}  // namespace tinplate
