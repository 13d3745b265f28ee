// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// What the spy image library and its control share. The control reaches the spy through
// dlsym, so only plain C data crosses between them.
extern "C" {

// What happens to a call of one entry point.
enum SpyOutcome {
    kSpyForward = 0,          // the real library runs and its output stays as made
    kSpyNoOutput = 1,         // the real library is not called: nothing is written
    kSpyTruncatedOutput = 2,  // the real library runs, then its output file is cut short
};

struct SpyCallRecord {
    char entry[32];
    // The two file-name arguments (the first two words of every spied entry point).
    char names[2][256];
    std::intptr_t blockAddress;
    int blockWasZero;          // the 1024-byte block held only zeros when the call began
    std::intptr_t numbers[2];  // the words after the block
    int numberCount;
    std::intptr_t result;  // what the caller got back (0 for `_bmpresize`)
    int forwarded;         // the real library was reached
};

// Forgets every call and every outcome: all entry points forward again.
void tinplate_spy_reset(void);
// From the `fromCall`-th call of `entry` on (counted from 0 since the last reset), calls get
// `outcome`. A skipped call returns `result`; a truncated output keeps `truncateTo` bytes of
// `outputFile`, or of the entry point's own output when `outputFile` is null or empty.
void tinplate_spy_set_outcome(const char* entry, int outcome, std::size_t fromCall,
                              std::intptr_t result, std::uint64_t truncateTo,
                              const char* outputFile);
std::size_t tinplate_spy_call_count(void);
// Copies call `index` (in call order) into `out`; 0 when there is no such call.
int tinplate_spy_get_call(std::size_t index, SpyCallRecord* out);

}  // extern "C"
