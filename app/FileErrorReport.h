// SPDX-License-Identifier: GPL-3.0-or-later
// Ends a command that failed on a file with an error box naming the file and the reason.
#pragma once

#include <QString>

#include "app/Prompts.h"
#include "fileio/FileError.h"

namespace tinplate {

// Runs `command`; a FileError it throws ends it with an error box over `parent`, and the
// window stays open.
template <typename Command>
void ReportFileErrors(Prompts& prompts, QWidget* parent, Command&& command) {
    try {
        command();
    } catch (const FileError& error) {
        prompts.Error(parent, QString::fromStdString(error.fileName()) + "\n\n" +
                                  QString::fromStdString(error.reason()));
    }
}

}  // namespace tinplate
