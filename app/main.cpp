// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TxdApp.h"
#include "workfiles/WorkingFolder.h"

using namespace tinplate;

int main(int argc, char** argv) {
    InstallExitCleanup();
    if (const auto status = TxdApp::AnswerWithoutDisplay(argc, argv)) {
        return *status;
    }
    TxdApp app(argc, argv);
    app.InitInstance();
    return app.ExitStatus();
}
