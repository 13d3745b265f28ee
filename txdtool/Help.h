// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "CommandTable.h"

// txdtool --help
void WriteOverview(std::ostream& out);

// txdtool COMMAND --help
void WriteCommandHelp(std::ostream& out, const Command& command);

// The short line after a usage error: the command's synopsis, or the general form.
void WriteUsageLine(std::ostream& out, const Command* command);
