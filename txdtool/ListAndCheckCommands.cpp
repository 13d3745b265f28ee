// SPDX-License-Identifier: GPL-3.0-or-later
// The list and check commands.
#include <iostream>
#include <optional>

#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "txdtool/ArchiveCommands.h"
#include "txd/LibraryVersion.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/Listing.h"
#include "txdtool/Report.h"
#include "txdtool/StandardStreams.h"
#include "txdtool/Verbosity.h"

namespace tinplate {

// A file that cannot be read does not stop the others: it is reported on standard error (and
// in the --json document) and the exit status says that something went wrong.

int RunList(const CommandArguments& arguments) {
    const bool several = arguments.operands.size() > 1;
    int status = 0;
    bool first = true;
    nlohmann::json files = nlohmann::json::array();
    for (const std::string& file : arguments.operands) {
        std::vector<TextureEntry> textures;
        std::uint32_t version = 0;
        try {
            DictionaryFile dictionary(file);
            version = DictionaryVersionWord(dictionary.bytes());
            textures = std::move(dictionary.textures());
        } catch (const FileError& error) {
            ReportError(error);
            status = 1;
            // The document lists every file asked about, so that a reader can tell which failed.
            if (arguments.json) {
                files.push_back({{"file", file}, {"error", error.reason()}});
            }
            continue;
        }
        if (arguments.json) {
            files.push_back(JsonListing(file, textures, version));
        } else {
            if (several) {
                std::cout << (first ? "" : "\n") << PrintableText(file) << ":\n";
            }
            WriteTextListing(std::cout, textures, IsVerbose());
        }
        first = false;
    }
    if (arguments.json) {
        WriteJsonDocument(std::cout, std::move(files));
    }
    return status;
}

int RunCheck(const CommandArguments& arguments) {
    int status = 0;
    nlohmann::json files = nlohmann::json::array();
    for (const std::string& file : DictionaryOperands(arguments.operands, status)) {
        std::optional<std::string> problem;
        std::size_t count = 0;
        try {
            count = ReadDictionaryOperand(file).size();
        } catch (const FileError& error) {
            problem = error.reason();
            status = 1;
            ReportError(error);
        }
        if (arguments.json) {
            files.push_back(
                problem ? nlohmann::json{{"file", file}, {"ok", false}, {"error", *problem}}
                        : nlohmann::json{{"file", file}, {"ok", true}, {"textures", count}});
        } else if (!problem && !IsQuiet()) {
            std::cout << PrintableText(file) << ": ok\n";
        }
    }
    if (arguments.json) {
        WriteJsonDocument(std::cout, std::move(files));
    }
    return status;
}

}  // namespace tinplate
