// SPDX-License-Identifier: GPL-3.0-or-later
// How much txdtool says besides its products and errors.
#pragma once

#include "txdtool/CommandLine.h"

namespace tinplate {

// -q keeps notes, progress and summaries back, -v adds what happened to each dictionary.
void SetVerbosity(Verbosity verbosity);
bool IsQuiet();
bool IsVerbose();

}  // namespace tinplate
