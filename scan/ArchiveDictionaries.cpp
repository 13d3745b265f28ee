// SPDX-License-Identifier: GPL-3.0-or-later
// Archives as the scan sees them: the archive room's entries, one read at a time.
#include "scan/ArchiveDictionaries.h"

#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "archive/Archive.h"
#include "fileio/FileError.h"
#include "scan/FolderWalk.h"

namespace tinplate {

namespace {

// An entry is searched when its content is a dictionary or its name says it should be one
// (then what is wrong with it is reported); sounds, models and the like are passed over.
bool Searched(const Archive& archive, std::size_t index) {
    const ArchiveEntry& entry = archive.entries()[index];
    return HasSuffix(entry.name, ".txd") || archive.IsDictionary(index);
}

}  // namespace

void ForEachArchiveDictionary(const std::string& path, const ArchiveCallbacks& callbacks) {
    std::optional<Archive> archive;
    try {
        archive.emplace(Archive::Open(path));
    } catch (const FileError& error) {
        callbacks.failed({}, error.reason());
        return;
    }
    for (std::size_t i = 0; i < archive->entries().size(); ++i) {
        const ArchiveEntry& entry = archive->entries()[i];
        try {
            if (!Searched(*archive, i)) {
                continue;
            }
            if (!entry.sound()) {
                callbacks.failed(entry.name, entry.fault);
                continue;
            }
            // Only this entry's bytes are held, and the records refer to them.
            auto content =
                std::make_shared<const std::vector<std::uint8_t>>(archive->ReadContent(i));
            callbacks.dictionary(entry.name, *content, content);
        } catch (const FileError& error) {
            callbacks.failed(entry.name, error.reason());
        } catch (const std::bad_alloc&) {
            callbacks.failed(entry.name, "not enough memory to read it");
        }
    }
}

}  // namespace tinplate
