// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include <iostream>

#include "PrintableText.h"

void ReportError(const FileError& error) {
    ReportNote(error.fileName(), error.reason());
}

void ReportNote(const std::string& fileName, const std::string& message) {
    std::cerr << "txdtool: " << PrintableText(fileName) << ": " << PrintableText(message)
              << std::endl;
}
