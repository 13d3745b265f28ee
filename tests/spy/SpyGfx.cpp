// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the run-time image library: it logs every call of the five entry points the
// editor uses and hands it on to the real libmwgfx.so, unless a test asked for a failure.

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

#include "SpyAbi.h"

namespace {

constexpr std::size_t kBlockSize = 1024;
constexpr std::size_t kNameSize = 256;

struct Rule {
    int outcome = kSpyForward;
    std::size_t fromCall = 0;
    std::intptr_t result = 0;
    std::uint64_t truncateTo = 0;
    std::string outputFile;
};

struct SpyState {
    std::mutex mutex;
    std::vector<SpyCallRecord> calls;
    std::map<std::string, Rule> rules;
    std::map<std::string, std::size_t> callsPerEntry;
};

SpyState& State() {
    static SpyState state;
    return state;
}

// The real library sits beside the spy. It is loaded by its full path: a bare name would be
// searched from the sanitizers' dlopen wrapper, whose search path lacks the build's folder.
void* LoadRealLibrary() {
    Dl_info self{};
    if (::dladdr(reinterpret_cast<void*>(&tinplate_spy_reset), &self) == 0 ||
        self.dli_fname == nullptr) {
        return nullptr;
    }
    const auto path = std::filesystem::path(self.dli_fname).parent_path() / "libmwgfx.so";
    return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* RealEntryPoint(const char* entry) {
    static void* real = LoadRealLibrary();
    return real == nullptr ? nullptr : ::dlsym(real, entry);
}

void CopyName(char (&target)[kNameSize], std::intptr_t word) {
    const char* name = reinterpret_cast<const char*>(word);
    if (name != nullptr) {
        std::memcpy(target, name, ::strnlen(name, kNameSize - 1));
    }
}

bool BlockIsZero(std::intptr_t word) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(word);
    return bytes != nullptr &&
           std::all_of(bytes, bytes + kBlockSize, [](std::uint8_t b) { return b == 0; });
}

// The file an entry point writes: `_TargaFromDDS` names its destination first, and
// `_bmptoanys` is given its destination without the extension it adds.
std::string OwnOutputFile(const std::string& entry, const SpyCallRecord& call) {
    if (entry == "_TargaFromDDS") {
        return call.names[0];
    }
    if (entry == "_bmptoanys") {
        return std::string(call.names[1]) + ".tga";
    }
    return call.names[1];
}

// Only ever shortens: a missing or already short file stays as it is.
void Shorten(const std::string& path, std::uint64_t bytes) {
    std::error_code ignored;
    const std::uintmax_t size = std::filesystem::file_size(path, ignored);
    if (!ignored && size > bytes) {
        std::filesystem::resize_file(path, bytes, ignored);
    }
}

// Every spied entry point takes two file names and the block first, then numbers.
template <typename Result, typename... Numbers>
Result Observe(const char* entry, std::intptr_t first, std::intptr_t second, std::intptr_t block,
               Numbers... numbers) {
    SpyCallRecord call{};
    std::strncpy(call.entry, entry, sizeof call.entry - 1);
    CopyName(call.names[0], first);
    CopyName(call.names[1], second);
    call.blockAddress = block;
    call.blockWasZero = BlockIsZero(block) ? 1 : 0;
    const std::intptr_t words[] = {numbers..., 0};
    call.numberCount = static_cast<int>(sizeof...(numbers));
    std::copy(words, words + sizeof...(numbers), call.numbers);

    Rule rule;
    {
        SpyState& state = State();
        std::lock_guard lock(state.mutex);
        const std::size_t index = state.callsPerEntry[entry]++;
        auto found = state.rules.find(entry);
        if (found != state.rules.end() && index >= found->second.fromCall) {
            rule = found->second;
        }
    }

    std::intptr_t result = rule.result;
    if (rule.outcome != kSpyNoOutput) {
        result = 0;
        if (void* real = RealEntryPoint(entry)) {
            call.forwarded = 1;
            using Function = Result (*)(std::intptr_t, std::intptr_t, std::intptr_t, Numbers...);
            if constexpr (std::is_void_v<Result>) {
                reinterpret_cast<Function>(real)(first, second, block, numbers...);
            } else {
                result = reinterpret_cast<Function>(real)(first, second, block, numbers...);
            }
        }
        if (rule.outcome == kSpyTruncatedOutput) {
            Shorten(rule.outputFile.empty() ? OwnOutputFile(entry, call) : rule.outputFile,
                    rule.truncateTo);
        }
    }
    call.result = result;
    {
        SpyState& state = State();
        std::lock_guard lock(state.mutex);
        state.calls.push_back(call);
    }
    if constexpr (!std::is_void_v<Result>) {
        return result;
    }
}

}  // namespace

extern "C" {

std::intptr_t _anytobmps(std::intptr_t src, std::intptr_t dst, std::intptr_t block, std::intptr_t a,
                         std::intptr_t b) {
    return Observe<std::intptr_t>("_anytobmps", src, dst, block, a, b);
}

void _bmpresize(std::intptr_t src, std::intptr_t dst, std::intptr_t block, std::intptr_t width,
                std::intptr_t height) {
    Observe<void>("_bmpresize", src, dst, block, width, height);
}

std::intptr_t _bmptoanys(std::intptr_t src, std::intptr_t dst, std::intptr_t block, std::intptr_t a,
                         std::intptr_t b) {
    return Observe<std::intptr_t>("_bmptoanys", src, dst, block, a, b);
}

std::intptr_t _TargaFromDDS(std::intptr_t dst, std::intptr_t src, std::intptr_t block) {
    return Observe<std::intptr_t>("_TargaFromDDS", dst, src, block);
}

std::intptr_t _TargaToExtendedBitmap(std::intptr_t src, std::intptr_t dst, std::intptr_t block,
                                     std::intptr_t a) {
    return Observe<std::intptr_t>("_TargaToExtendedBitmap", src, dst, block, a);
}

void tinplate_spy_reset(void) {
    SpyState& state = State();
    std::lock_guard lock(state.mutex);
    state.calls.clear();
    state.rules.clear();
    state.callsPerEntry.clear();
}

void tinplate_spy_set_outcome(const char* entry, int outcome, std::size_t fromCall,
                              std::intptr_t result, std::uint64_t truncateTo,
                              const char* outputFile) {
    SpyState& state = State();
    std::lock_guard lock(state.mutex);
    state.rules[entry] = Rule{outcome, fromCall, result, truncateTo,
                              outputFile == nullptr ? std::string() : std::string(outputFile)};
}

std::size_t tinplate_spy_call_count(void) {
    SpyState& state = State();
    std::lock_guard lock(state.mutex);
    return state.calls.size();
}

int tinplate_spy_get_call(std::size_t index, SpyCallRecord* out) {
    SpyState& state = State();
    std::lock_guard lock(state.mutex);
    if (index >= state.calls.size() || out == nullptr) {
        return 0;
    }
    *out = state.calls[index];
    return 1;
}

}  // extern "C"
