// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Runs the built txdtool as a child process in the current directory.
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun RunTxdtool(const std::vector<std::string>& arguments);

// Started by the dynamic loader with the program's RUNPATH ignored and a library path that
// holds only libmwdds.so: the run-time image library cannot be found.
ToolRun RunTxdtoolWithoutGfx(const std::vector<std::string>& arguments);

// Without the power to write files whose permission bits forbid it, which root otherwise has.
// Status kCannotDropOverride when that power cannot be given up here.
ToolRun RunTxdtoolWithoutOverride(const std::vector<std::string>& arguments);
inline constexpr int kCannotDropOverride = 125;
