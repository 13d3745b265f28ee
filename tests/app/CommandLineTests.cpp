// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line asks the editor for before any window opens.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include "app/CommandLine.h"

namespace tinplate {

namespace {

TEST(CommandLineTest, HelpVersionFileAndUsageErrors) {
    QCoreApplication::setApplicationVersion("1.0.0.1");
    struct Case {
        QStringList arguments;
        std::optional<int> status;
        QString file;
        const char* out;  // a part of what is printed
        const char* err;
    };
    const Case cases[] = {
        {{"--help"}, 0, "", "Usage: txd-tinplate [options] [FILE]", ""},
        {{"-h"}, 0, "", "--version", ""},
        {{"--version"}, 0, "", "TXD Tinplate 1.0.0.1\n", ""},
        {{"-V"}, 0, "", "TXD Tinplate 1.0.0.1\n", ""},
        {{"--bogus"}, 2, "", "", "txd-tinplate: Unknown option 'bogus'."},
        {{"a.txd", "b.txd"}, 2, "", "", "Try 'txd-tinplate --help'"},
        {{"-v", "sub/a.txd"}, std::nullopt, QDir::current().absoluteFilePath("sub/a.txd"), "", ""},
        {{"sub/a.txd"}, std::nullopt, QDir::current().absoluteFilePath("sub/a.txd"), "", ""},
        {{"--", "--version"}, std::nullopt, QDir::current().absoluteFilePath("--version"), "", ""},
        {{}, std::nullopt, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const StartRequest request = ParseCommandLine(
            QStringList{"/usr/bin/txd-tinplate"} + c.arguments, outStream, errStream);
        EXPECT_EQ(request.exitStatus, c.status);
        EXPECT_EQ(request.file, c.file);
        EXPECT_TRUE(out.contains(c.out)) << out.toStdString();
        EXPECT_TRUE(err.contains(c.err)) << err.toStdString();
        EXPECT_EQ(out.isEmpty(), *c.out == '\0');
        EXPECT_EQ(err.isEmpty(), *c.err == '\0');
    }
}

}  // namespace

}  // namespace tinplate
