// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool's entry: runs the command and turns its outcome into an exit status.
#include <getopt.h>

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "txdtool/CommandLine.h"
#include "txdtool/CommandTable.h"
#include "txdtool/Help.h"
#include "txdtool/Report.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

int UsageFailure(const std::string& message, const Command* command) {
    std::cerr << "txdtool: " << PrintableText(message) << '\n';
    WriteUsageLine(std::cerr, command);
    return kUsage;
}

// The options before the command; the first word that is none is the command's name.
struct LeadingOptions {
    bool help = false;
    bool version = false;
    Verbosity verbosity = Verbosity::Normal;
    int commandIndex = 1;
};

LeadingOptions ParseLeadingOptions(int argc, char** argv) {
    static const option kLongOptions[] = {{"help", no_argument, nullptr, 'h'},
                                          {"version", no_argument, nullptr, 'V'},
                                          {"quiet", no_argument, nullptr, 'q'},
                                          {"verbose", no_argument, nullptr, 'v'},
                                          {}};
    LeadingOptions options;
    ::opterr = 0;
    for (int c; (c = ::getopt_long(argc, argv, "+hVqv", kLongOptions, nullptr)) != -1;) {
        switch (c) {
            case 'h':
                options.help = true;
                break;
            case 'V':
                options.version = true;
                break;
            case 'q':
                options.verbosity = Verbosity::Quiet;
                break;
            case 'v':
                options.verbosity = Verbosity::Verbose;
                break;
            default:
                throw UsageError("unknown option " +
                                 (::optopt != 0 ? std::string("-") + static_cast<char>(::optopt)
                                                : std::string(argv[::optind - 1])));
        }
    }
    options.commandIndex = ::optind;
    return options;
}

int Run(int argc, char** argv, const Command*& command) {
    const LeadingOptions leading = ParseLeadingOptions(argc, argv);
    SetVerbosity(leading.verbosity);
    if (leading.help) {
        WriteOverview(std::cout);
        return kDone;
    }
    if (leading.version) {
        WriteVersion(std::cout);
        return kDone;
    }
    const std::vector<std::string> words(argv + leading.commandIndex, argv + argc);
    if (words.empty()) {
        throw UsageError("no command given");
    }
    command = FindCommand(words[0]);
    if (command == nullptr) {
        throw UsageError("unknown command " + words[0]);
    }
    const auto arguments = ParseCommandArguments(std::span(words).subspan(1), command->options);
    if (arguments.help) {
        WriteCommandHelp(std::cout, *command);
        return kDone;
    }
    SetVerbosity(arguments.verbosity.value_or(leading.verbosity));
    const std::size_t count = arguments.operands.size();
    if (count < command->fewestOperands) {
        throw UsageError("too few arguments for " + std::string(command->name));
    }
    if (count > command->mostOperands) {
        throw UsageError("too many arguments for " + std::string(command->name));
    }
    return command->run(arguments);
}

}  // namespace

}  // namespace tinplate

using namespace tinplate;

int main(int argc, char** argv) {
    InstallExitCleanup();
    const Command* command = nullptr;
    int status = kFailed;
    try {
        status = Run(argc, argv, command);
    } catch (const UsageError& error) {
        return UsageFailure(error.what(), command);
    } catch (const FileError& error) {
        ReportError(error);
    } catch (const std::exception& error) {
        std::cerr << "txdtool: " << PrintableText(error.what()) << '\n';
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "txdtool: the output could not be written\n";
        return kFailed;
    }
    return status;
}
