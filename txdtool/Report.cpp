// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include <iostream>

#include "PrintableText.h"
#include "Progress.h"

namespace {

Verbosity g_verbosity = Verbosity::Normal;

void WriteComplaint(const std::string& fileName, const std::string& message) {
    ClearProgressLine();
    // A message that names its files itself comes without a file name.
    std::cerr << "txdtool: " << (fileName.empty() ? "" : PrintableText(fileName) + ": ")
              << PrintableText(message) << std::endl;
}

}  // namespace

void SetVerbosity(Verbosity verbosity) {
    g_verbosity = verbosity;
}

bool IsQuiet() {
    return g_verbosity == Verbosity::Quiet;
}

bool IsVerbose() {
    return g_verbosity == Verbosity::Verbose;
}

void ReportError(const FileError& error) {
    WriteComplaint(error.fileName(), error.reason());
}

void ReportNote(const std::string& fileName, const std::string& message) {
    if (!IsQuiet()) {
        WriteComplaint(fileName, message);
    }
}
