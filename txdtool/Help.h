// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool --help and --version.
#pragma once

#include <ostream>

#include "txdtool/CommandTable.h"

namespace tinplate {

// txdtool --help
void WriteOverview(std::ostream& out);

// txdtool --version
void WriteVersion(std::ostream& out);

// txdtool COMMAND --help
void WriteCommandHelp(std::ostream& out, const Command& command);

// The short lines after a usage error: the command's forms, or the general form.
void WriteUsageLine(std::ostream& out, const Command* command);

}  // namespace tinplate
