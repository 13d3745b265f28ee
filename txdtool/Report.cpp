// SPDX-License-Identifier: GPL-3.0-or-later
// Writing complaints and notes, printable, after the progress line.
#include "txdtool/Report.h"

#include <iostream>

#include "fileio/PrintableText.h"
#include "txdtool/Progress.h"

namespace tinplate {

namespace {

void WriteComplaint(const std::string& fileName, const std::string& message) {
    ClearProgressLine();
    // A message that names its files itself comes without a file name.
    std::cerr << "txdtool: " << (fileName.empty() ? "" : PrintableText(fileName) + ": ")
              << PrintableText(message) << std::endl;
}

}  // namespace

void ReportError(const FileError& error) {
    WriteComplaint(error.fileName(), error.reason());
}

void ReportNote(const std::string& fileName, const std::string& message) {
    if (!IsQuiet()) {
        WriteComplaint(fileName, message);
    }
}

}  // namespace tinplate
