// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

namespace {

bool IsOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

}  // namespace

CommandArguments ParseCommandArguments(std::span<const std::string> words, unsigned accepted) {
    CommandArguments arguments;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || !IsOption(word)) {
            arguments.operands.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (word == "--help" || word == "-h") {
            arguments.help = true;
        } else if (word == "--json" && (accepted & kJsonOption) != 0) {
            arguments.json = true;
        } else if (word.starts_with("-C") && (accepted & kDirectoryOption) != 0) {
            if (word.size() > 2) {
                arguments.directory = word.substr(2);
            } else if (i + 1 < words.size()) {
                arguments.directory = words[++i];
            } else {
                throw UsageError("option -C needs a folder");
            }
        } else if (word.starts_with("--format") && (accepted & kFormatOption) != 0) {
            if (word.starts_with("--format=")) {
                arguments.format = word.substr(9);
            } else if (word == "--format" && i + 1 < words.size()) {
                arguments.format = words[++i];
            } else {
                throw UsageError("option --format needs png, tga, dds or bmp");
            }
        } else if (word == "--no-dither" && (accepted & kPictureOptions) != 0) {
            arguments.noDither = true;
        } else if (word == "--fast" && (accepted & kPictureOptions) != 0) {
            arguments.fastDxt = true;
        } else {
            throw UsageError("unknown option " + word);
        }
    }
    return arguments;
}
