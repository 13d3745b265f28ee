// SPDX-License-Identifier: GPL-3.0-or-later
// The verbosity the command line chose, for every part of txdtool that reports.
#include "txdtool/Verbosity.h"

namespace tinplate {

namespace {

Verbosity g_verbosity = Verbosity::Normal;

}  // namespace

void SetVerbosity(Verbosity verbosity) {
    g_verbosity = verbosity;
}

bool IsQuiet() {
    return g_verbosity == Verbosity::Quiet;
}

bool IsVerbose() {
    return g_verbosity == Verbosity::Verbose;
}

}  // namespace tinplate
