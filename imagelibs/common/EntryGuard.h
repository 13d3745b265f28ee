// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping exceptions from leaving the libraries' C entry points.
#pragma once

namespace tinplate {

// Entry points are called from C: no exception may leave them. Runs `work` (which returns
// true on success) and turns an exception, such as running out of memory, into a failure.
template <typename Work>
bool RunGuarded(Work&& work) noexcept {
    try {
        return work();
    } catch (...) {
        return false;
    }
}

}  // namespace tinplate
