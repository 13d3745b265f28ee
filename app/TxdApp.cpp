// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the window on the command line's file, or in the folder used last.
#include "app/TxdApp.h"

#include <QDir>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/EditorSettings.h"
#include "app/MainDialog.h"
#include "app/Prompts.h"
#include "app/TextureDocument.h"
#include "gfxlib/GfxBinding.h"

using namespace tinplate;

namespace {

void NameApplication() {
    QCoreApplication::setApplicationName("TXD Tinplate");
    QCoreApplication::setApplicationVersion(TINPLATE_VERSION);
}

}  // namespace

TxdApp::TxdApp(int& argc, char** argv) : m_application(argc, argv) {
    NameApplication();
    QApplication::setDesktopFileName("txd-tinplate");
}

std::optional<int> TxdApp::AnswerWithoutDisplay(int& argc, char** argv) {
    const QCoreApplication core(argc, argv);
    NameApplication();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ParseCommandLine(QCoreApplication::arguments(), out, err).exitStatus;
}

bool TxdApp::InitInstance() {
    QTextStream out(stdout);
    QTextStream err(stderr);
    const StartRequest request = ParseCommandLine(QApplication::arguments(), out, err);
    if (request.exitStatus) {
        m_exitStatus = *request.exitStatus;
        return false;
    }
    Prompts prompts;
    GfxBinding gfx;
    MainDialog dialog(prompts, gfx);
    if (request.file.isEmpty()) {
        // Exports go where the user worked last time until a file is chosen.
        const QString lastFolder = EditorSettings().value(EditorSettings::kLastFolder).toString();
        if (!lastFolder.isEmpty() && QDir(lastFolder).exists()) {
            dialog.Document().SetFolder(lastFolder);
        }
    }
    dialog.RestoreWindowState();
    if (!request.file.isEmpty()) {
        // A file named at start opens as if chosen in File > Open, once the window is up.
        QMetaObject::invokeMethod(
            &dialog, [&dialog, path = request.file] { dialog.OpenFileAtStart(path); },
            Qt::QueuedConnection);
    }
    dialog.exec();
    return false;
}
