// SPDX-License-Identifier: GPL-3.0-or-later
// The progress line of a batch on a terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tinplate {

// While a batch runs on a terminal, one line on standard error tells how far it is; it is
// rewritten in place and erased before anything else is written, and never shown when
// standard error is a file or a pipe, or with -q.
void ShowProgress(std::string_view command, std::size_t done, std::size_t total,
                  const std::string& file);
void ClearProgressLine();
// Whether the line would be shown at all.
bool ProgressWanted();
// Any text as the progress line, cut to the narrowest usual terminal.
void ShowProgressText(std::string line);

}  // namespace tinplate
