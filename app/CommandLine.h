// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the editor's command line: a file to open, --help, --version, usage errors.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QTextStream;

namespace tinplate {

// What the command line asks for: a dictionary to open, or to end at once with a status.
struct StartRequest {
    QString file;                   // empty: start without a dictionary
    std::optional<int> exitStatus;  // set: --help, --version or a usage error
};

inline constexpr int kUsageErrorStatus = 2;

// `arguments` as QCoreApplication::arguments() gives them (the program first). --help and
// --version print to `out` and ask for status 0; an unknown option or a second file prints
// the reason and a hint to `err` and asks for kUsageErrorStatus.
StartRequest ParseCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

// Whether the window system can start: a display is named (DISPLAY or WAYLAND_DISPLAY), or
// QT_QPA_PLATFORM picks a platform that needs none (offscreen, vnc, ...). Qt itself would abort
// without one, with a message that suggests reinstalling.
bool HasDisplay();
inline constexpr const char* kNoDisplayMessage =
    "txd-tinplate: no display (set DISPLAY or WAYLAND_DISPLAY)";

}  // namespace tinplate
