// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the image library by name and calling its entry points.
#include "gfxlib/GfxBinding.h"

#include <dlfcn.h>

#include <utility>

namespace tinplate {

namespace {

// Calls the entry point at `address` with the caller's words, or gives the failure result
// (0, or nothing) when there is no entry point.
template <typename Result, typename... Words>
Result Forward(void* address, Words... words) {
    if (address == nullptr) {
        return Result();
    }
    return reinterpret_cast<Result (*)(Words...)>(address)(words...);
}

}  // namespace

GfxBinding::GfxBinding(std::string moduleName) : m_moduleName(std::move(moduleName)) {}

void* GfxBinding::EntryPoint(const char* name) {
    if (m_module == nullptr) {
        m_module = ::dlopen(("lib" + m_moduleName + ".so").c_str(), RTLD_NOW);
        if (m_module == nullptr) {
            return nullptr;
        }
    }
    return ::dlsym(m_module, name);
}

bool GfxBinding::HasEntryPoint(const char* name) {
    return EntryPoint(name) != nullptr;
}

#define TINPLATE_GFX_DEFINE(result, name, words)                                                   \
    TINPLATE_GFX_RESULT_##result GfxBinding::name(TINPLATE_GFX_PARAMS_##words) {                   \
        return Forward<TINPLATE_GFX_RESULT_##result>(EntryPoint(#name) TINPLATE_GFX_ARGS_##words); \
    }
TINPLATE_GFX_ENTRY_POINTS(TINPLATE_GFX_DEFINE)
#undef TINPLATE_GFX_DEFINE

}  // namespace tinplate
