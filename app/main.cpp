// SPDX-License-Identifier: GPL-3.0-or-later
#include "TxdApp.h"
#include "WorkingFolder.h"

int main(int argc, char** argv) {
    InstallExitCleanup();
    TxdApp app(argc, argv);
    app.InitInstance();
    return app.ExitStatus();
}
