// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool img: listing, extracting and changing the entries of archives.
#include "txdtool/ArchiveCommands.h"

#include <filesystem>
#include <iostream>
#include <map>

#include "archive/ArchiveExtract.h"
#include "archive/ArchiveWriter.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "fileio/PrintableText.h"
#include "txdtool/Listing.h"
#include "txdtool/Report.h"
#include "txdtool/Utf8Text.h"

namespace tinplate {

namespace {

// The faults of the archive's directory, each on standard error; true when there are any.
bool ReportFaults(const Archive& archive) {
    for (const std::string& fault : archive.faults()) {
        ReportError(FileError(archive.shownName(), fault));
    }
    return !archive.faults().empty();
}

std::string KindWord(const ArchiveEntry& entry, bool dictionary) {
    if (!entry.sound()) {
        return "fault";
    }
    return dictionary ? "dictionary" : "other";
}

int ListArchive(const CommandArguments& arguments, const std::string& path) {
    const Archive archive = Archive::Open(path);
    const bool faulty = ReportFaults(archive);
    const auto& entries = archive.entries();
    const std::vector<bool> dictionaries = archive.Dictionaries();
    if (arguments.json) {
        nlohmann::json listed = nlohmann::json::array();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ArchiveEntry& entry = entries[i];
            listed.push_back({
                {"index", i},
                {"name", IsValidUtf8(entry.name) ? nlohmann::json(entry.name) : nullptr},
                {"name_hex", HexOf(entry.name)},
                {"offset", entry.offset},
                {"sectors", entry.sectors},
                {"kind", KindWord(entry, dictionaries[i])},
                {"fault", entry.sound() ? nlohmann::json(nullptr) : nlohmann::json(entry.fault)},
            });
        }
        WriteJsonDocument(std::cout, nlohmann::json::array({{
                                         {"file", path},
                                         {"version", static_cast<int>(archive.version())},
                                         {"entries", std::move(listed)},
                                         {"faults", archive.faults()},
                                     }}));
        return faulty ? 1 : 0;
    }
    std::cout << "index\tname\toffset\tsectors\tkind\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::cout << i << '\t' << PrintableText(entries[i].name) << '\t' << entries[i].offset
                  << '\t' << entries[i].sectors << '\t' << KindWord(entries[i], dictionaries[i])
                  << '\n';
    }
    return faulty ? 1 : 0;
}

int ExtractFromArchive(const CommandArguments& arguments, const std::string& path,
                       std::span<const std::string> names) {
    const Archive archive = Archive::Open(path);
    const std::string folder = arguments.directory.value_or(".");
    std::error_code failed;
    std::filesystem::create_directories(folder, failed);
    if (failed) {
        throw FileError(folder, failed.message());
    }
    std::vector<std::size_t> chosen;
    int status = 0;
    for (const std::string& name : names) {
        if (const auto index = archive.Find(name)) {
            chosen.push_back(*index);
        } else {
            ReportError(FileError(path, "holds no entry called " + PrintableText(name)));
            status = 1;
        }
    }
    if (names.empty()) {
        for (std::size_t i = 0; i < archive.entries().size(); ++i) {
            chosen.push_back(i);
        }
    }
    for (const std::size_t index : chosen) {
        try {
            const std::string made = ExtractEntry(archive, index, folder);
            if (!IsQuiet()) {
                std::cout << PrintableText(made) << '\n';
            }
        } catch (const FileError& error) {
            ReportError(error);
            status = 1;
        }
    }
    return status;
}

int AddToArchive(const std::string& path, std::span<const std::string> files) {
    ArchiveWriter writer(path);
    for (const std::string& file : files) {
        const std::string name = std::filesystem::path(file).filename().string();
        const bool replacing = writer.archive().Find(name).has_value();
        writer.Put(name, ReadWholeFile(file));
        if (!IsQuiet()) {
            std::cout << (replacing ? "replaced " : "added ") << PrintableText(name) << '\n';
        }
    }
    return 0;
}

int CheckArchive(const std::string& path) {
    const Archive archive = Archive::Open(path);
    if (ReportFaults(archive)) {
        return 1;
    }
    if (!IsQuiet()) {
        std::cout << PrintableText(path) << ": ok (" << archive.entries().size() << " entries)\n";
    }
    return 0;
}

ArchiveVersion NewVersion(const CommandArguments& arguments) {
    const std::string word = arguments.archiveVersion.value_or("2");
    if (word != "1" && word != "2") {
        throw UsageError("--version takes 1 or 2, not " + word);
    }
    return word == "1" ? ArchiveVersion::One : ArchiveVersion::Two;
}

void RequireOperands(std::span<const std::string> rest, std::size_t fewest, std::size_t most,
                     const std::string& action) {
    if (rest.size() < fewest || rest.size() > most) {
        throw UsageError(
            "img " + action + " takes " +
            (fewest == most ? std::to_string(fewest) : "at least " + std::to_string(fewest)) +
            " operand" + (fewest == 1 ? "" : "s") + " after the archive");
    }
}

int RunImg(const CommandArguments& arguments) {
    const std::string& action = arguments.operands[0];
    const std::string& path = arguments.operands[1];
    const std::span<const std::string> rest(arguments.operands.begin() + 2,
                                            arguments.operands.end());
    if (action == "list" || action == "pack" || action == "new" || action == "check") {
        RequireOperands(rest, 0, 0, action);
    }
    if (action == "list") {
        return ListArchive(arguments, path);
    }
    if (action == "extract") {
        return ExtractFromArchive(arguments, path, rest);
    }
    if (action == "add") {
        RequireOperands(rest, 1, kAny, action);
        return AddToArchive(path, rest);
    }
    if (action == "remove") {
        RequireOperands(rest, 1, kAny, action);
        ArchiveWriter writer(path);
        for (const std::string& name : rest) {
            writer.Remove(name);
        }
        return 0;
    }
    if (action == "rename") {
        RequireOperands(rest, 2, 2, action);
        ArchiveWriter(path).Rename(rest[0], rest[1]);
        return 0;
    }
    if (action == "pack") {
        PackArchive(path);
        return 0;
    }
    if (action == "new") {
        CreateArchive(path, NewVersion(arguments));
        return 0;
    }
    if (action == "check") {
        return CheckArchive(path);
    }
    throw UsageError("img knows list, extract, add, remove, rename, pack, new and check, not " +
                     action);
}

constexpr Command kArchiveCommands[] = {
    {"img",
     "img list [--json] ARCHIVE\nimg extract ARCHIVE [ENTRY...] [-C DIR]\n"
     "img add ARCHIVE FILE...\nimg remove ARCHIVE ENTRY...\nimg rename ARCHIVE ENTRY NEWNAME\n"
     "img pack ARCHIVE\nimg new [--version=1|2] ARCHIVE\nimg check ARCHIVE",
     "list, extract and change the entries of IMG archives",
     "ARCHIVE is a version-2 .img, or either file of a version-1 pair (.img with its .dir\n"
     "beside it). Entry names are matched without regard to letter case. Every change is\n"
     "written so that a crash leaves each entry with its old or its new content: new data\n"
     "goes into free sectors first, the directory changes last. An archive whose directory\n"
     "has faults (entries past the end, sharing sectors or with bad names) is never\n"
     "written; its sound entries can still be listed and extracted.\n"
     "  list      one line per entry: index, name, offset and size in sectors, and kind\n"
     "            (dictionary, other, or fault); --json writes {\"format\": 1, \"files\":\n"
     "            [{\"file\", \"version\", \"entries\", \"faults\"}]}\n"
     "  extract   write the named entries (all when none is named) as files of DIR (the\n"
     "            current directory by default); a name's folder part becomes '_', so\n"
     "            nothing is written outside DIR; prints each file made\n"
     "  add       put each FILE in under its file name, replacing an entry of that name\n"
     "  remove    take entries out; their sectors become free\n"
     "  rename    give an entry another name (at most 23 ASCII characters)\n"
     "  pack      rewrite the archive without free sectors, entries in directory order\n"
     "  new       make an empty archive (version 2 unless --version=1 says otherwise)\n"
     "  check     name every fault of the directory; the exit status is 1 when there is one\n"
     "Every other command takes a dictionary inside an archive as ARCHIVE.img:ENTRY.txd;\n"
     "lint and check take every dictionary of ARCHIVE.img.\n",
     2, kAny, kJsonOption | kDirectoryOption | kArchiveVersionOption, RunImg},
};

}  // namespace

std::span<const Command> ArchiveCommands() {
    return kArchiveCommands;
}

std::vector<std::string> DictionaryOperands(const std::vector<std::string>& operands, int& status) {
    std::vector<std::string> expanded;
    for (const std::string& operand : operands) {
        if (!HasArchiveEnding(operand) || !FileExists(operand)) {
            expanded.push_back(operand);
            continue;
        }
        try {
            const Archive archive = Archive::Open(operand);
            status = ReportFaults(archive) ? 1 : status;
            const std::vector<bool> dictionaries = archive.Dictionaries();
            for (std::size_t i = 0; i < archive.entries().size(); ++i) {
                if (dictionaries[i]) {
                    expanded.push_back(operand + ":" + archive.entries()[i].name);
                }
            }
        } catch (const FileError&) {
            expanded.push_back(operand);
        }
    }
    return expanded;
}

}  // namespace tinplate
