// SPDX-License-Identifier: GPL-3.0-or-later
// The overview and per-command help texts.
#include "txdtool/Help.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Version.h"

namespace tinplate {

namespace {

// A synopsis holds one form of the command per line.
std::vector<std::string_view> Forms(std::string_view synopsis) {
    std::vector<std::string_view> forms;
    for (std::size_t start = 0; start <= synopsis.size();) {
        const std::size_t end = std::min(synopsis.find('\n', start), synopsis.size());
        forms.push_back(synopsis.substr(start, end - start));
        start = end + 1;
    }
    return forms;
}

void WriteForms(std::ostream& out, const Command& command) {
    const char* lead = "usage: txdtool ";
    for (std::string_view form : Forms(command.synopsis)) {
        out << lead << form << '\n';
        lead = "   or: txdtool ";
    }
}

}  // namespace

void WriteOverview(std::ostream& out) {
    out << "usage: txdtool [-q|-v] COMMAND [OPTION...] [ARGUMENT...]\n"
           "Runs the commands of the TXD Tinplate editor on texture dictionaries (.txd).\n"
           "\n"
           "Commands:\n";
    std::size_t width = 0;
    for (const Command& command : AllCommands()) {
        for (std::string_view form : Forms(command.synopsis)) {
            width = std::max(width, form.size());
        }
    }
    for (const Command& command : AllCommands()) {
        std::string_view summary = command.summary;
        for (std::string_view form : Forms(command.synopsis)) {
            out << "  " << form;
            if (!summary.empty()) {
                out << std::string(width + 2 - form.size(), ' ') << summary;
                summary = "";
            }
            out << '\n';
        }
    }
    out << "\n"
           "Options of every command:\n"
           "  -q, --quiet    say nothing but errors (no notes, progress, summaries or files made)\n"
           "  -v, --verbose  also say what happened to each dictionary\n"
           "  -h, --help     describe the command\n"
           "  -V, --version  print the version (before any command)\n"
           "\n"
           "Editing commands take several dictionaries and handle each on its own: one that\n"
           "fails is left as it was, the others are still done, and the exit status is 1.\n"
           "\"-\" as a dictionary reads standard input (list, check, export, preview).\n"
           "Texture names are matched exactly. Working files live in a private folder in\n"
           "$TMPDIR (or /tmp) that is removed when the command ends; editing commands lock the\n"
           "dictionary. A command that fails changes no dictionary.\n"
           "Exit status: 0 done, 1 an error, 2 a usage error.\n"
           "'txdtool COMMAND --help' tells more about a command.\n"
           "\n"
           "Report problems to <" TXDTOOL_BUG_REPORTS ">.\n";
}

void WriteVersion(std::ostream& out) {
    out << "txdtool (TXD Tinplate) " TXDTOOL_VERSION
           "\n"
           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

void WriteCommandHelp(std::ostream& out, const Command& command) {
    WriteForms(out, command);
    out << command.details
        << "  -q, -v   say less or more (see txdtool --help)\n"
           "\n"
           "Report problems to <" TXDTOOL_BUG_REPORTS ">.\n";
}

void WriteUsageLine(std::ostream& out, const Command* command) {
    if (command != nullptr) {
        WriteForms(out, *command);
    } else {
        out << "usage: txdtool COMMAND [ARGUMENT...]  (see txdtool --help)\n";
    }
}

}  // namespace tinplate
