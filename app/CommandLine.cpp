// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace tinplate {

StartRequest ParseCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "An editor for texture dictionaries (.txd)."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QCoreApplication::translate("CommandLine", "FILE"),
        QCoreApplication::translate("CommandLine", "The dictionary to open."),
        QCoreApplication::translate("CommandLine", "[FILE]"));

    const QString program = QFileInfo(arguments.value(0, "txd-tinplate")).fileName();
    StartRequest request;
    QString error;
    if (!parser.parse(arguments)) {
        error = parser.errorText();
    } else if (parser.positionalArguments().size() > 1) {
        error = QCoreApplication::translate("CommandLine", "Only one FILE can be opened.");
    }
    if (!error.isEmpty()) {
        err << program << ": " << error << '\n'
            << QCoreApplication::translate("CommandLine", "Try '%1 --help' for more information.")
                   .arg(program)
            << '\n';
        request.exitStatus = kUsageErrorStatus;
    } else if (parser.isSet(help)) {
        out << parser.helpText();
        request.exitStatus = 0;
    } else if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        request.exitStatus = 0;
    } else if (!parser.positionalArguments().isEmpty()) {
        request.file = QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
    }
    err.flush();
    out.flush();
    return request;
}

}  // namespace tinplate
