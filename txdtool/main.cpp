// SPDX-License-Identifier: GPL-3.0-or-later
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "CommandTable.h"
#include "FileError.h"
#include "Help.h"
#include "PrintableText.h"
#include "Report.h"
#include "Version.h"
#include "WorkingFolder.h"

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

int UsageFailure(const std::string& message, const Command* command) {
    std::cerr << "txdtool: " << PrintableText(message) << '\n';
    WriteUsageLine(std::cerr, command);
    return kUsage;
}

int Run(const std::vector<std::string>& words, const Command*& command) {
    if (words.empty()) {
        throw UsageError("no command given");
    }
    if (words[0] == "--help" || words[0] == "-h") {
        WriteOverview(std::cout);
        return kDone;
    }
    if (words[0] == "--version") {
        std::cout << "txdtool " << TXDTOOL_VERSION << '\n';
        return kDone;
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

int main(int argc, char** argv) {
    InstallExitCleanup();
    const std::vector<std::string> words(argv + 1, argv + argc);
    const Command* command = nullptr;
    int status = kFailed;
    try {
        status = Run(words, command);
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
