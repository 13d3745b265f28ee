// SPDX-License-Identifier: GPL-3.0-or-later
// Files replaced whole through a temporary beside them, with the hooks tests use to fail each step.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "fileio/FileError.h"
#include "fileio/FileIdentity.h"

namespace tinplate {

// Files replaced whole: the new content is built in a hidden temporary file beside the old one,
// flushed to the disk and renamed over it, so that the path always holds either the old file or
// the complete new one, whatever stops the program.

// Called before every step that changes the disk ("create", "write", "copy", "keep mode",
// "sync", "rename"); a result other than 0 makes that step fail with that errno, as if the
// system had refused it. Lets tests stop a replacement anywhere.
using DiskStepHook = std::function<int(const char* step)>;
void SetDiskStepHook(DiskStepHook hook);

// Thrown when the folder takes no new file (no write permission, or a read-only folder).
class FolderRefusedError : public FileError {
public:
    using FileError::FileError;
};

// Whether a replacement waits for the disk. Either way readers see the old file or the whole
// new one; only a file that can be made again at any time (a thumbnail, which file managers
// cache and remake) may skip the flushes, and may then be lost or empty after a power cut.
enum class Durability { Flushed, Remakeable };

class ReplacementFile {
public:
    // Creates the temporary beside `target` (a path whose symbolic links are resolved).
    // Failures name `shownName`.
    ReplacementFile(const std::string& target, const std::string& shownName);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    // Removes the temporary unless Commit succeeded.
    ~ReplacementFile();

    // Appends `bytes`.
    void Write(std::span<const std::uint8_t> bytes);
    // Appends `length` bytes of `source` from `offset` on.
    void CopyFrom(int source, std::uint64_t offset, std::uint64_t length);
    // Gives the new file the mode bits of `original`, and its owner and group where the process
    // may (without an original: what a newly made file gets), flushes it, renames it over the
    // target and flushes the folder. Returns the new file's identity.
    FileIdentity Commit(const struct stat* original, Durability durability = Durability::Flushed);
    // The temporary's inode number, which it keeps when renamed over the target.
    std::uint64_t Inode() const;

private:
    void Flush();
    void WriteOut(std::span<const std::uint8_t> bytes);

    std::string m_target;
    std::string m_temporary;
    std::string m_shownName;
    int m_fd = -1;
    bool m_committed = false;
    std::vector<std::uint8_t> m_buffer;
};

// The hidden name a replacement of `target` gets in its folder (".NAME.tinplate-" and six
// letters or digits); true when `entry` is one of them.
bool IsReplacementOf(const std::string& targetFileName, const std::string& entry);

// Removes the temporaries that an interrupted replacement of `target` left in its folder. Only
// safe while no other replacement of it can be under way (the dictionary lock is held).
void RemoveStaleReplacements(const std::string& target);

// Renames `from` over `to` (in the same folder) and flushes the folder; a FileError names
// `shownName`. For a file that was already written and flushed under another name.
void MoveIntoPlace(const std::string& from, const std::string& to, const std::string& shownName);

// Removes the temporary of the replacement under way, if any. Safe in a signal handler.
void RemovePendingReplacement() noexcept;

// The one way products (exported images, pictures) are written: `path`, or the file its
// symbolic link leads to, ends up holding `parts` one after another, or stays as it was. An
// existing product's mode bits are kept.
void WriteProductFile(const std::string& path,
                      std::initializer_list<std::span<const std::uint8_t>> parts,
                      Durability durability = Durability::Flushed);

// The same for a content that `write` hands to the replacement in pieces. Returns the new
// file's identity.
FileIdentity WriteFileFrom(const std::string& path,
                           const std::function<void(ReplacementFile&)>& write,
                           Durability durability = Durability::Flushed);

}  // namespace tinplate
