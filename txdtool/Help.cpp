// SPDX-License-Identifier: GPL-3.0-or-later
#include "Help.h"

#include <algorithm>
#include <string>

void WriteOverview(std::ostream& out) {
    out << "usage: txdtool COMMAND [ARGUMENT...]\n"
           "Runs the commands of the TXD Tinplate editor on texture dictionaries (.txd).\n"
           "\n"
           "Commands:\n";
    std::size_t width = 0;
    for (const Command& command : AllCommands()) {
        width = std::max(width, command.synopsis.size());
    }
    for (const Command& command : AllCommands()) {
        out << "  " << command.synopsis << std::string(width + 2 - command.synopsis.size(), ' ')
            << command.summary << '\n';
    }
    out << "\n"
           "Texture names are matched exactly. Working files live in a private folder in\n"
           "$TMPDIR (or /tmp) that is removed when the command ends; editing commands lock the\n"
           "dictionary. A command that fails changes no dictionary.\n"
           "Exit status: 0 done, 1 an error, 2 a usage error.\n"
           "'txdtool COMMAND --help' tells more about a command; 'txdtool --version' prints the\n"
           "version.\n";
}

void WriteCommandHelp(std::ostream& out, const Command& command) {
    out << "usage: txdtool " << command.synopsis << '\n' << command.details;
}

void WriteUsageLine(std::ostream& out, const Command* command) {
    if (command != nullptr) {
        out << "usage: txdtool " << command->synopsis << '\n';
    } else {
        out << "usage: txdtool COMMAND [ARGUMENT...]  (see txdtool --help)\n";
    }
}
