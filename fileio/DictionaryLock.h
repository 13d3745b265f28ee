// SPDX-License-Identifier: GPL-3.0-or-later
// The exclusive lock a writer holds on a dictionary.
#pragma once

#include <chrono>
#include <string>

namespace tinplate {

// An exclusive advisory lock (flock) on a dictionary, so that of the programs that take it only
// one writes at a time: txdtool's editing commands hold it from reading to the end of Save, the
// window while it saves. A symbolic link is followed: the file it leads to is locked, and is the
// one Save replaces.
class DictionaryLock {
public:
    static constexpr std::chrono::milliseconds kPatience{10'000};

    // Waits up to `patience` while another program holds the lock, then gives up with a
    // FileError naming `path`, as it does for a file that cannot be opened or is no regular file.
    explicit DictionaryLock(const std::string& path,
                            std::chrono::milliseconds patience = kPatience);
    DictionaryLock(const DictionaryLock&) = delete;
    DictionaryLock& operator=(const DictionaryLock&) = delete;
    ~DictionaryLock();

    // The path as given, for messages.
    const std::string& path() const { return m_path; }
    // The locked file's path with every symbolic link resolved.
    const std::string& target() const { return m_target; }
    // The locked file, open for reading.
    int fd() const { return m_fd; }

private:
    std::string m_path;
    std::string m_target;
    int m_fd = -1;
};

}  // namespace tinplate
