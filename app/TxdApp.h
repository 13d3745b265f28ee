// SPDX-License-Identifier: GPL-3.0-or-later
// The application object that starts the editor's window and runs it.
#pragma once

#include <QApplication>
#include <optional>

namespace tinplate {

// The application: builds the main window, runs it until it closes, then the program ends.
class TxdApp {
public:
    TxdApp(int& argc, char** argv);

    // --help, --version and usage errors are answered before any window system is needed, so
    // that they work on a terminal without a display: the status to end with, or nothing when
    // the editor is to start.
    static std::optional<int> AnswerWithoutDisplay(int& argc, char** argv);

    // Always false: there is nothing to run once the window has closed.
    bool InitInstance();

    // 0, or the status the command line asked for (2 for a usage error).
    int ExitStatus() const { return m_exitStatus; }

private:
    QApplication m_application;
    int m_exitStatus = 0;
};

}  // namespace tinplate
