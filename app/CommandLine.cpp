// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's command line and whether a display is there to start on.
#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <QtGlobal>

namespace tinplate {

namespace {

// Qt's usage line names the program by the path it was started with.
QString HelpNamingProgram(QString help, const QString& startedAs) {
    const qsizetype lineEnd = help.indexOf('\n');
    const qsizetype at = startedAs.isEmpty() ? -1 : help.indexOf(startedAs);
    if (at >= 0 && at < lineEnd) {
        help.replace(at, startedAs.size(), "txd-tinplate");
    }
    return help;
}

bool IsSet(const char* variable) {
    return !qEnvironmentVariableIsEmpty(variable);
}

}  // namespace

bool HasDisplay() {
    if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) {
        return true;
    }
    // A list such as "wayland;xcb" needs a display if each of its platforms does.
    const QStringList platforms =
        qEnvironmentVariable("QT_QPA_PLATFORM").split(';', Qt::SkipEmptyParts);
    for (const QString& platform : platforms) {
        if (!platform.startsWith("xcb") && !platform.startsWith("wayland")) {
            return true;
        }
    }
    return false;
}

StartRequest ParseCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "An editor for texture dictionaries (.txd)."));
    const QCommandLineOption help = parser.addHelpOption();
    // -V, as txdtool has it: -v is verbose there, and so taken (and ignored) here.
    const QCommandLineOption version(
        QStringList{"V", "version"},
        QCoreApplication::translate("CommandLine", "Displays version information."));
    parser.addOption(version);
    QCommandLineOption verbose(QStringList{"v", "verbose"});
    verbose.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(verbose);
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
        // Qt takes the name from the application, not from `arguments`.
        out << HelpNamingProgram(parser.helpText(),
                                 QCoreApplication::arguments().value(0, arguments.value(0)));
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
