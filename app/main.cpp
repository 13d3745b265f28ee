// SPDX-License-Identifier: GPL-3.0-or-later
#include "TxdApp.h"

int main(int argc, char** argv) {
    TxdApp app(argc, argv);
    app.InitInstance();
    return app.ExitStatus();
}
