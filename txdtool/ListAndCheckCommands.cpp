// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "Commands.h"
#include "DictionaryReader.h"
#include "FileError.h"
#include "Listing.h"
#include "PrintableText.h"
#include "Report.h"

// A file that cannot be read does not stop the others: it is reported and the exit status
// says that something went wrong.

int RunList(const CommandArguments& arguments) {
    const bool several = arguments.operands.size() > 1;
    int status = 0;
    bool first = true;
    if (arguments.json) {
        std::cout << '[';
    }
    for (const std::string& file : arguments.operands) {
        std::vector<TextureEntry> textures;
        try {
            textures = ReadDictionary(file);
        } catch (const FileError& error) {
            ReportError(error);
            status = 1;
            continue;
        }
        if (arguments.json) {
            std::cout << (first ? "\n" : ",\n");
            WriteJsonListing(std::cout, file, textures);
        } else {
            if (several) {
                std::cout << (first ? "" : "\n") << PrintableText(file) << ":\n";
            }
            WriteTextListing(std::cout, textures);
        }
        first = false;
    }
    if (arguments.json) {
        std::cout << (first ? "]\n" : "\n]\n");
    }
    return status;
}

int RunCheck(const CommandArguments& arguments) {
    int status = 0;
    for (const std::string& file : arguments.operands) {
        std::cout << PrintableText(file) << ": ";
        try {
            ReadDictionary(file);
            std::cout << "ok\n";
        } catch (const FileError& error) {
            std::cout << PrintableText(error.reason()) << '\n';
            status = 1;
        }
    }
    return status;
}
