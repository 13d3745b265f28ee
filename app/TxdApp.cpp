// SPDX-License-Identifier: GPL-3.0-or-later
#include "TxdApp.h"

#include <QStringList>

#include "GfxBinding.h"
#include "MainDialog.h"
#include "Prompts.h"

TxdApp::TxdApp(int& argc, char** argv) : m_application(argc, argv) {
    QApplication::setApplicationName("TXD Tinplate");
    QApplication::setApplicationVersion("1.0.0.1");
    QApplication::setDesktopFileName("txd-tinplate");
}

bool TxdApp::InitInstance() {
    Prompts prompts;
    GfxBinding gfx;
    MainDialog dialog(prompts, gfx);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        // A file named at start opens as if chosen in File > Open, once the window is up.
        QMetaObject::invokeMethod(
            &dialog, [&dialog, path = arguments[1]] { dialog.OpenFileAtStart(path); },
            Qt::QueuedConnection);
    }
    dialog.exec();
    return false;
}
