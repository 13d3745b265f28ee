// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's entry point: answers --help and --version without a display, else opens the window.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/TxdApp.h"
#include "workfiles/WorkingFolder.h"

using namespace tinplate;

int main(int argc, char** argv) {
    InstallExitCleanup();
    if (const auto status = TxdApp::AnswerWithoutDisplay(argc, argv)) {
        return *status;
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
        return 1;
    }
    TxdApp app(argc, argv);
    app.InitInstance();
    return app.ExitStatus();
}
