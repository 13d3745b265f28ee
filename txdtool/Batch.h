// SPDX-License-Identifier: GPL-3.0-or-later
// Running an edit on each dictionary of a command, each all or nothing.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tinplate {

enum class EditResult { Saved, Unchanged };

// Runs `edit` on each dictionary in turn, each all or nothing: one that fails is reported,
// stays as it was, and the others still run. Each starts in the current directory the command
// started in. With several dictionaries a summary ends the batch. Returns the exit status: 1
// when any failed. Standard input cannot be saved, so "-" fails.
int EditEachDictionary(std::string_view command, const std::vector<std::string>& files,
                       const std::function<EditResult(const std::string&)>& edit);

// Standard output for what a command reports, with the progress line out of the way.
std::ostream& Output();

}  // namespace tinplate
