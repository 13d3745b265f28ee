// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpyControl.h"

#include <dlfcn.h>

#include <stdexcept>

#include "SpyAbi.h"

namespace spy {
namespace {

// Loaded by its full path, before the code under test binds it by module name: the loader
// then hands the binding this same copy, whatever its own search path.
void* Symbol(const char* name) {
    static void* module = [] {
        void* handle = ::dlopen(TINPLATE_SPY_LIBRARY_PATH, RTLD_NOW);
        if (handle == nullptr) {
            throw std::runtime_error("cannot load the spy image library: " +
                                     std::string(::dlerror()));
        }
        return handle;
    }();
    void* address = ::dlsym(module, name);
    if (address == nullptr) {
        throw std::runtime_error(std::string("the spy image library lacks ") + name);
    }
    return address;
}

template <typename Function>
Function Control(const char* name) {
    return reinterpret_cast<Function>(Symbol(name));
}

void SetOutcome(const std::string& entry, int outcome, std::size_t fromCall, std::intptr_t result,
                std::uint64_t truncateTo, const std::string& outputFile) {
    Control<decltype(&tinplate_spy_set_outcome)>("tinplate_spy_set_outcome")(
        entry.c_str(), outcome, fromCall, result, truncateTo, outputFile.c_str());
}

}  // namespace

void Reset() {
    Control<decltype(&tinplate_spy_reset)>("tinplate_spy_reset")();
}

void MakeNoOutput(const std::string& entry, std::intptr_t result, std::size_t fromCall) {
    SetOutcome(entry, kSpyNoOutput, fromCall, result, 0, "");
}

void MakeTruncatedOutput(const std::string& entry, std::uint64_t bytes, std::size_t fromCall,
                         const std::string& outputFile) {
    SetOutcome(entry, kSpyTruncatedOutput, fromCall, 0, bytes, outputFile);
}

std::vector<Call> Calls() {
    const auto count = Control<decltype(&tinplate_spy_call_count)>("tinplate_spy_call_count")();
    const auto get = Control<decltype(&tinplate_spy_get_call)>("tinplate_spy_get_call");
    std::vector<Call> calls;
    SpyCallRecord record{};
    for (std::size_t i = 0; i < count && get(i, &record) != 0; ++i) {
        Call call;
        call.entry = record.entry;
        call.firstName = record.names[0];
        call.secondName = record.names[1];
        call.blockAddress = record.blockAddress;
        call.blockWasZero = record.blockWasZero != 0;
        call.numbers.assign(record.numbers, record.numbers + record.numberCount);
        call.result = record.result;
        call.forwarded = record.forwarded != 0;
        calls.push_back(std::move(call));
    }
    return calls;
}

std::vector<Call> CallsTo(const std::string& entry) {
    std::vector<Call> matching;
    for (auto& call : Calls()) {
        if (call.entry == entry) {
            matching.push_back(std::move(call));
        }
    }
    return matching;
}

std::string Describe(const Call& call) {
    std::string text = call.entry + "(" + call.firstName + ", " + call.secondName + ", " +
                       (call.blockWasZero ? "zero block" : "used block");
    for (std::intptr_t number : call.numbers) {
        text += ", " + std::to_string(number);
    }
    return text + ")";
}

std::vector<std::string> Describe(const std::vector<Call>& calls) {
    std::vector<std::string> texts;
    for (const auto& call : calls) {
        texts.push_back(Describe(call));
    }
    return texts;
}

}  // namespace spy
