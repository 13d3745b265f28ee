// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the run-time image library: it logs every call of the entry points that Save,
// Export and Import use and hands it on to the real libmwgfx.so, unless a test asked for a
// failure.
#include <dlfcn.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <type_traits>

#include "tests/spy/SpyControl.h"

namespace tinplate {

namespace spy {
namespace {

constexpr std::size_t kNameSize = 256;

enum class Outcome { kForward, kNoOutput, kTruncatedOutput };

struct Rule {
    Outcome outcome = Outcome::kForward;
    std::size_t fromCall = 0;
    std::intptr_t result = 0;
    std::uint64_t truncateTo = 0;
};

struct State {
    std::vector<Call> calls;
    std::map<std::string, Rule> rules;
    std::map<std::string, std::size_t> callsPerEntry;
};

State& TheState() {
    static State state;
    return state;
}

// The real library sits beside the spy. It is loaded by its full path: a bare name would be
// searched from the sanitizers' dlopen wrapper, whose search path lacks the build's folder.
void* RealEntryPoint(const char* entry) {
    static void* real = [] {
        Dl_info self{};
        if (::dladdr(reinterpret_cast<void*>(&Reset), &self) == 0 || self.dli_fname == nullptr) {
            return static_cast<void*>(nullptr);
        }
        const auto path = std::filesystem::path(self.dli_fname).parent_path() / "libmwgfx.so";
        return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    }();
    return real == nullptr ? nullptr : ::dlsym(real, entry);
}

std::string Name(std::intptr_t word) {
    const char* name = reinterpret_cast<const char*>(word);
    return name == nullptr ? std::string() : std::string(name, ::strnlen(name, kNameSize - 1));
}

// Every spied entry point takes two file names and the block first, then numbers.
template <typename Result, typename... Numbers>
Result Observe(const char* entry, std::intptr_t first, std::intptr_t second, std::intptr_t block,
               Numbers... numbers) {
    State& state = TheState();
    state.calls.push_back({entry, Name(second), std::vector<std::intptr_t>{numbers...}});
    Rule rule;
    const std::size_t index = state.callsPerEntry[entry]++;
    const auto found = state.rules.find(entry);
    if (found != state.rules.end() && index >= found->second.fromCall) {
        rule = found->second;
    }
    std::intptr_t result = rule.result;
    if (rule.outcome != Outcome::kNoOutput) {
        result = 0;
        if (void* real = RealEntryPoint(entry)) {
            using Function = Result (*)(std::intptr_t, std::intptr_t, std::intptr_t, Numbers...);
            if constexpr (std::is_void_v<Result>) {
                reinterpret_cast<Function>(real)(first, second, block, numbers...);
            } else {
                result = reinterpret_cast<Function>(real)(first, second, block, numbers...);
            }
        }
        if (rule.outcome == Outcome::kTruncatedOutput) {
            std::error_code absent;
            std::filesystem::resize_file(state.calls.back().secondName, rule.truncateTo, absent);
        }
    }
    if constexpr (!std::is_void_v<Result>) {
        return result;
    }
}

}  // namespace

void Reset() {
    TheState() = State();
}

void MakeNoOutput(const std::string& entry, std::intptr_t result, std::size_t fromCall) {
    TheState().rules[entry] = Rule{Outcome::kNoOutput, fromCall, result, 0};
}

void MakeTruncatedOutput(const std::string& entry, std::uint64_t bytes) {
    TheState().rules[entry] = Rule{Outcome::kTruncatedOutput, 0, 0, bytes};
}

std::vector<Call> Calls() {
    return TheState().calls;
}

}  // namespace spy

extern "C" {

void _bmpresize(std::intptr_t src, std::intptr_t dst, std::intptr_t block, std::intptr_t width,
                std::intptr_t height) {
    spy::Observe<void>("_bmpresize", src, dst, block, width, height);
}

std::intptr_t _bmptoanys(std::intptr_t src, std::intptr_t dst, std::intptr_t block, std::intptr_t a,
                         std::intptr_t b) {
    return spy::Observe<std::intptr_t>("_bmptoanys", src, dst, block, a, b);
}

std::intptr_t _TargaFromDDS(std::intptr_t dst, std::intptr_t src, std::intptr_t block) {
    return spy::Observe<std::intptr_t>("_TargaFromDDS", dst, src, block);
}

std::intptr_t _TargaToExtendedBitmap(std::intptr_t src, std::intptr_t dst, std::intptr_t block,
                                     std::intptr_t a) {
    return spy::Observe<std::intptr_t>("_TargaToExtendedBitmap", src, dst, block, a);
}

}  // extern "C"

}  // namespace tinplate
