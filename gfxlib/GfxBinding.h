// SPDX-License-Identifier: GPL-3.0-or-later
// The late-bound road to the run-time image library.
#pragma once

#include <cstdint>
#include <string>

#include "gfxlib/GfxEntryPoints.h"

namespace tinplate {

// The road to the run-time image library. The library is bound late, by module name: the
// editor starts and runs without it. Each operation loads the module on first use (and again
// on every call while it cannot be loaded), looks its entry point up by name at every call,
// forwards its words unchanged and hands back the result; a missing module or entry point
// gives 0 (or nothing). A loaded module stays loaded for the rest of the process.
class GfxBinding {
public:
    // Module "NAME" is the shared library "libNAME.so", found the platform's usual way.
    explicit GfxBinding(std::string moduleName = "mwgfx");

#define TINPLATE_GFX_DECLARE(result, name, words) \
    TINPLATE_GFX_RESULT_##result name(TINPLATE_GFX_PARAMS_##words);
    TINPLATE_GFX_ENTRY_POINTS(TINPLATE_GFX_DECLARE)
#undef TINPLATE_GFX_DECLARE

    // Loads the module if needed and looks `name` up now.
    bool HasEntryPoint(const char* name);

private:
    // The entry point's address, or null when the module or the entry point is missing.
    void* EntryPoint(const char* name);

    std::string m_moduleName;
    void* m_module = nullptr;
};

}  // namespace tinplate
