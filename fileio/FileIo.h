// SPDX-License-Identifier: GPL-3.0-or-later
// Checked reads and writes of whole files, each failure a FileError.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tinplate {

// Checked file access: every failure is a FileError naming the file and the system's reason.

inline constexpr std::uint64_t kMaxReadableFileSize = 0xFFFFFFFFull;

// Reads a regular file of at most kMaxReadableFileSize bytes.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// The regular file at `path`, open for reading (close-on-exec); a FileError names `path` when
// it cannot be opened or is not a regular file. The caller closes the descriptor.
int OpenRegularFile(const std::string& path);

// Creates or truncates `path` and writes `parts` one after another.
void WriteNewFile(const std::string& path,
                  std::initializer_list<std::span<const std::uint8_t>> parts);

bool FileExists(const std::string& path);

// Removes a working file; a file that is not there is no error, and neither is one that
// cannot be removed (the next command removes it before it relies on its absence).
void RemoveFileQuietly(const std::string& path);

// Removes the named working files when it goes out of scope, however the command ends.
class WorkingFiles {
public:
    explicit WorkingFiles(std::initializer_list<std::string> names) : m_names(names) {}
    WorkingFiles(const WorkingFiles&) = delete;
    WorkingFiles& operator=(const WorkingFiles&) = delete;
    ~WorkingFiles();

private:
    std::vector<std::string> m_names;
};

// An existing file opened for writing in place: never created, never truncated.
class InPlaceFile {
public:
    explicit InPlaceFile(const std::string& path);
    InPlaceFile(const InPlaceFile&) = delete;
    InPlaceFile& operator=(const InPlaceFile&) = delete;
    ~InPlaceFile();

    void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Flushes and closes; a failure here means the data may not have reached the disk.
    void Close();

private:
    std::string m_path;
    int m_fd = -1;
};

}  // namespace tinplate
