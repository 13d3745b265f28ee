// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "FileError.h"

// Every complaint is one line on standard error: "txdtool: FILE: reason".
void ReportError(const FileError& error);
void ReportNote(const std::string& fileName, const std::string& message);
