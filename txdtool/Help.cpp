// SPDX-License-Identifier: GPL-3.0-or-later
// The overview and per-command help texts.
#include "txdtool/Help.h"

#include <algorithm>
#include <sstream>
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

constexpr std::size_t kColumns = 80;
// Where the commands' summaries start; a longer form puts its summary on the next line.
constexpr std::size_t kSummaryColumn = 34;

// Where a line's continuation starts: under its description ("  -C DIR   make ..."), found
// after the first gap of two spaces, or under its first word.
std::size_t ContinuationColumn(std::string_view line) {
    const std::size_t text = std::min(line.find_first_not_of(' '), line.size());
    const std::size_t gap = line.find("  ", text);
    const std::size_t after =
        gap == std::string_view::npos ? gap : line.find_first_not_of(' ', gap);
    return after != std::string_view::npos && after < kColumns / 2 ? after : text;
}

std::size_t Indent(std::string_view line) {
    return std::min(line.find_first_not_of(' '), line.size());
}

// One paragraph's words broken at spaces to fit in 80 columns, its first line's lead kept and
// the rest under its continuation column.
void WriteFilled(std::ostream& out, std::string_view paragraph, std::size_t indent) {
    std::size_t lead = 0;  // columns the line holds before `paragraph`
    while (lead + paragraph.size() > kColumns) {
        const std::size_t cut = paragraph.rfind(' ', kColumns - lead);
        if (cut == std::string_view::npos || lead + cut <= indent) {
            break;
        }
        out << paragraph.substr(0, cut) << '\n' << std::string(indent, ' ');
        lead = indent;
        paragraph.remove_prefix(std::min(paragraph.find_first_not_of(' ', cut), paragraph.size()));
    }
    out << paragraph << '\n';
}

// The lines of `text`, a paragraph with a line over 80 columns filled anew, as GNU tools do.
// A paragraph's lines after its first start at its continuation column.
void WriteWrapped(std::ostream& out, std::string_view text) {
    const std::vector<std::string_view> lines = Forms(text);
    for (std::size_t first = 0; first < lines.size();) {
        if (lines[first].empty()) {
            out << '\n';
            ++first;
            continue;
        }
        const std::size_t indent = ContinuationColumn(lines[first]);
        std::size_t end = first + 1;
        bool tooLong = lines[first].size() > kColumns;
        while (end < lines.size() && !lines[end].empty() && Indent(lines[end]) == indent &&
               lines[end][indent] != '-') {
            tooLong = tooLong || lines[end].size() > kColumns;
            ++end;
        }
        if (!tooLong) {
            for (std::size_t i = first; i < end; ++i) {
                out << lines[i] << '\n';
            }
        } else {
            std::string paragraph(lines[first]);
            for (std::size_t i = first + 1; i < end; ++i) {
                paragraph += ' ';
                paragraph += lines[i].substr(indent);
            }
            WriteFilled(out, paragraph, indent);
        }
        first = end;
    }
}

// Text of the overview or a command's help, wrapped; the last newline is the text's own.
void WriteText(std::ostream& out, const std::string& text) {
    WriteWrapped(out, std::string_view(text).substr(0, text.size() - (text.ends_with('\n'))));
}

}  // namespace

void WriteOverview(std::ostream& out) {
    std::ostringstream text;
    text << "usage: txdtool [-q|-v] COMMAND [OPTION...] [ARGUMENT...]\n"
            "Runs the commands of the TXD Tinplate editor on texture dictionaries (.txd).\n"
            "\n"
            "Commands:\n";
    for (const Command& command : AllCommands()) {
        std::string_view summary = command.summary;
        for (std::string_view form : Forms(command.synopsis)) {
            const std::string line = "  " + std::string(form);
            text << line;
            if (!summary.empty()) {
                text << (line.size() + 2 <= kSummaryColumn
                             ? std::string(kSummaryColumn - line.size(), ' ')
                             : "\n" + std::string(kSummaryColumn, ' '))
                     << summary;
                summary = "";
            }
            text << '\n';
        }
    }
    text
        << "\n"
           "Options of every command:\n"
           "  -q, --quiet    say nothing but errors (no notes, progress, summaries or files made)\n"
           "  -v, --verbose  also say what happened to each dictionary\n"
           "  -h, --help     describe the command\n"
           "  -V, --version  print the version (before any command)\n"
           "\n"
           "Editing commands take several dictionaries and handle each on its own: one that\n"
           "fails is left as it was, the others are still done, and the exit status is 1.\n"
           "\"-\" as a dictionary reads standard input where one is only read (list, check,\n"
           "lint, diff, export, preview, thumbnail); as the file written by export -o,\n"
           "preview -o or thumbnail, it writes standard output.\n"
           "Texture names are matched exactly. Working files live in a private folder in\n"
           "$TMPDIR (or /tmp) that is removed when the command ends; editing commands lock the\n"
           "dictionary. A command that fails changes no dictionary.\n"
           "Exit status: 0 done, 1 an error, 2 a usage error.\n"
           "'txdtool COMMAND --help' tells more about a command.\n";
    WriteText(out, text.str());
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
    WriteText(out,
              std::string(command.details) + "  -q, -v   say less or more (see txdtool --help)\n");
}

void WriteUsageLine(std::ostream& out, const Command* command) {
    if (command != nullptr) {
        WriteForms(out, *command);
    } else {
        out << "usage: txdtool COMMAND [ARGUMENT...]  (see txdtool --help)\n";
    }
}

}  // namespace tinplate
