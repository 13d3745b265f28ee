// SPDX-License-Identifier: GPL-3.0-or-later
// Running an edit on each dictionary of a command, each all or nothing.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "gfxlib/GfxBinding.h"
#include "txdtool/DictionaryFile.h"

namespace tinplate {

// What an edit did to one dictionary: whether it changed anything, and the lines to print once
// the change is saved (what was converted, imported, ...).
struct Edited {
    bool changed = false;
    std::vector<std::string> done;
};

// One dictionary's edit, on the dictionary opened for editing (its lock held).
using DictionaryEdit = std::function<Edited(DictionaryFile&, GfxBinding&)>;

// Opens each dictionary in turn for editing, runs `edit` on it and saves it when it changed,
// each all or nothing: one that fails is reported, stays as it was, and the others still run.
// An unchanged dictionary is not written (Save rebuilds mip levels, so an idle save is not
// idle). The lines an edit reports are printed after the save, after "FILE: " when there are
// several dictionaries; -q keeps them back. With several dictionaries a summary ends the batch.
// Returns the exit status: 1 when any failed. Standard input cannot be saved, so "-" fails.
int EditEachDictionary(std::string_view command, const std::vector<std::string>& files,
                       const DictionaryEdit& edit);

// Standard output for what a command reports, with the progress line out of the way.
std::ostream& Output();

}  // namespace tinplate
