// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "CommandLine.h"
#include "TxdApp.h"
#include "WorkingFolder.h"

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
