// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "CommandLine.h"
#include "FileError.h"

// How much the commands say besides their products and errors: -q keeps notes, progress and
// summaries back, -v adds what happened to each dictionary.
void SetVerbosity(Verbosity verbosity);
bool IsQuiet();
bool IsVerbose();

// Every complaint is one line on standard error: "txdtool: FILE: reason", or "txdtool: reason"
// for an error without a file name, whose reason names the files itself.
void ReportError(const FileError& error);
// A note is a complaint that does not fail the command; -q keeps it back.
void ReportNote(const std::string& fileName, const std::string& message);
