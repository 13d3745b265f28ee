// SPDX-License-Identifier: GPL-3.0-or-later
// Complaints and notes on standard error.
#pragma once

#include <string>

#include "fileio/FileError.h"
#include "txdtool/Verbosity.h"

namespace tinplate {

// Every complaint is one line on standard error: "txdtool: FILE: reason", or "txdtool: reason"
// for an error without a file name, whose reason names the files itself.
void ReportError(const FileError& error);
// A note is a complaint that does not fail the command; -q keeps it back.
void ReportNote(const std::string& fileName, const std::string& message);

}  // namespace tinplate
