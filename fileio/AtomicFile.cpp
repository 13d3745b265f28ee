// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file through a flushed temporary that is renamed over the old one.
#include "fileio/AtomicFile.h"

#include <fcntl.h>
#include <linux/limits.h>
#include <sys/random.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace tinplate {

namespace {

// Large sequential writes keep a whole-file rewrite near the speed of a plain copy.
constexpr std::size_t kBufferSize = std::size_t{1} << 20;
// Shorter stretches are read into the buffer; longer ones are copied by the kernel.
constexpr std::uint64_t kKernelCopyFrom = 256 * 1024;
constexpr const char* kMarker = ".tinplate-";
constexpr std::size_t kRandomLetters = 6;
// Leaves room in a 255-byte file name for the dot, the marker and the letters.
constexpr std::size_t kLongestBase = 200;

DiskStepHook& Hook() {
    static DiskStepHook hook;
    return hook;
}

// The system call's result, or -1 with errno set when the hook makes the step fail.
template <typename Call>
auto Step(const char* step, Call call) -> decltype(call()) {
    if (const DiskStepHook& hook = Hook()) {
        if (const int error = hook(step); error != 0) {
            errno = error;
            return -1;
        }
    }
    return call();
}

char g_pending[PATH_MAX];
volatile std::sig_atomic_t g_hasPending = 0;

void SetPending(const std::string& path) {
    g_hasPending = 0;
    if (path.size() < sizeof g_pending) {
        std::memcpy(g_pending, path.c_str(), path.size() + 1);
        g_hasPending = 1;
    }
}

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string ReplacementPrefix(const std::string& targetFileName) {
    std::string prefix(".");
    prefix.append(targetFileName, 0, kLongestBase);
    return prefix.append(kMarker);
}

std::string RandomLetters() {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[kRandomLetters]{};
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        for (unsigned char& byte : bytes) {
            byte = static_cast<unsigned char>(std::rand());
        }
    }
    std::string letters;
    for (unsigned char byte : bytes) {
        letters += kLetters[byte % (sizeof kLetters - 1)];
    }
    return letters;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Makes the rename itself durable; the new file is in place whether or not this succeeds.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string ResolvedOrAsGiven(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

}  // namespace

void SetDiskStepHook(DiskStepHook hook) {
    Hook() = std::move(hook);
}

ReplacementFile::ReplacementFile(const std::string& target, const std::string& shownName)
    : m_target(target), m_shownName(shownName) {
    const std::string stem = FolderOf(target) + "/" + ReplacementPrefix(FileNameOf(target));
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        m_temporary = stem + RandomLetters();
        m_fd = Step("create", [&] {
            return ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        });
        error = m_fd < 0 ? errno : 0;
    }
    if (m_fd < 0) {
        if (error == EACCES || error == EPERM || error == EROFS) {
            throw FolderRefusedError(shownName, std::strerror(error));
        }
        throw FileError::FromErrno(shownName, error);
    }
    SetPending(m_temporary);
    m_buffer.reserve(kBufferSize);
}

ReplacementFile::~ReplacementFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (!m_committed) {
        ::unlink(m_temporary.c_str());
        g_hasPending = 0;
    }
}

void ReplacementFile::WriteOut(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = Step("write", [&] { return ::write(m_fd, bytes.data(), bytes.size()); });
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError::FromErrno(m_shownName, errno);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
}

void ReplacementFile::Flush() {
    WriteOut(m_buffer);
    m_buffer.clear();
}

void ReplacementFile::Write(std::span<const std::uint8_t> bytes) {
    if (m_buffer.size() + bytes.size() > kBufferSize) {
        Flush();
    }
    if (bytes.size() >= kBufferSize) {
        WriteOut(bytes);
    } else {
        m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
    }
}

void ReplacementFile::CopyFrom(int source, std::uint64_t offset, std::uint64_t length) {
    const auto endedEarly = [&] {
        return FileError(m_shownName, "the file ended while it was being copied");
    };
    bool kernelCopy = length >= kKernelCopyFrom;
    if (kernelCopy) {
        Flush();
    }
    while (length > 0) {
        if (kernelCopy) {
            auto from = static_cast<loff_t>(offset);
            const ssize_t n = Step(
                "copy", [&] { return ::copy_file_range(source, &from, m_fd, nullptr, length, 0); });
            if (n > 0) {
                offset += static_cast<std::uint64_t>(n);
                length -= static_cast<std::uint64_t>(n);
                continue;
            }
            if (n == 0) {
                throw endedEarly();
            }
            if (errno == EINTR) {
                continue;
            }
            // File systems that cannot copy between files in the kernel get the bytes read.
            if (errno != EXDEV && errno != EINVAL && errno != EOPNOTSUPP && errno != ENOSYS) {
                throw FileError::FromErrno(m_shownName, errno);
            }
            kernelCopy = false;
        }
        if (m_buffer.size() == kBufferSize) {
            Flush();
        }
        const std::size_t room = kBufferSize - m_buffer.size();
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(length, room));
        const std::size_t start = m_buffer.size();
        m_buffer.resize(start + chunk);
        const ssize_t n =
            ::pread(source, m_buffer.data() + start, chunk, static_cast<off_t>(offset));
        m_buffer.resize(start + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0 && errno != EINTR) {
            throw FileError::FromErrno(m_shownName, errno);
        }
        if (n == 0) {
            throw endedEarly();
        }
        offset += static_cast<std::uint64_t>(std::max<ssize_t>(n, 0));
        length -= static_cast<std::uint64_t>(std::max<ssize_t>(n, 0));
    }
}

FileIdentity ReplacementFile::Commit(const struct stat* original, Durability durability) {
    const bool flushed = durability == Durability::Flushed;
    Flush();
    const mode_t mode = original ? (original->st_mode & 07777) : (0666 & ~CurrentUmask());
    // Only root may give a file away; anyone may keep the group if they belong to it.
    if (original && ::fchown(m_fd, original->st_uid, original->st_gid) != 0) {
        [[maybe_unused]] const int groupOnly =
            ::fchown(m_fd, static_cast<uid_t>(-1), original->st_gid);
    }
    if (Step("keep mode", [&] { return ::fchmod(m_fd, mode); }) != 0 ||
        (flushed && Step("sync", [&] { return ::fsync(m_fd); }) != 0) ||
        Step("rename", [&] { return ::rename(m_temporary.c_str(), m_target.c_str()); }) != 0) {
        throw FileError::FromErrno(m_shownName, errno);
    }
    m_committed = true;
    g_hasPending = 0;
    const FileIdentity identity = IdentityOf(m_fd, m_shownName);
    ::close(m_fd);
    m_fd = -1;
    if (flushed) {
        SyncFolder(FolderOf(m_target));
    }
    return identity;
}

std::uint64_t ReplacementFile::Inode() const {
    return IdentityOf(m_fd, m_shownName).inode;
}

void MoveIntoPlace(const std::string& from, const std::string& to, const std::string& shownName) {
    if (Step("rename", [&] { return ::rename(from.c_str(), to.c_str()); }) != 0) {
        throw FileError::FromErrno(shownName, errno);
    }
    SyncFolder(FolderOf(to));
}

bool IsReplacementOf(const std::string& targetFileName, const std::string& entry) {
    const std::string prefix = ReplacementPrefix(targetFileName);
    return entry.size() == prefix.size() + kRandomLetters && entry.starts_with(prefix) &&
           std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

void RemoveStaleReplacements(const std::string& target) {
    const std::string name = FileNameOf(target);
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(FolderOf(target), ignored)) {
        if (IsReplacementOf(name, entry.path().filename().string()) &&
            entry.symlink_status(ignored).type() == std::filesystem::file_type::regular) {
            std::filesystem::remove(entry.path(), ignored);
        }
    }
}

void RemovePendingReplacement() noexcept {
    if (g_hasPending) {
        ::unlink(g_pending);
        g_hasPending = 0;
    }
}

void WriteProductFile(const std::string& path,
                      std::initializer_list<std::span<const std::uint8_t>> parts,
                      Durability durability) {
    WriteFileFrom(
        path,
        [&](ReplacementFile& file) {
            for (auto part : parts) {
                file.Write(part);
            }
        },
        durability);
}

FileIdentity WriteFileFrom(const std::string& path,
                           const std::function<void(ReplacementFile&)>& write,
                           Durability durability) {
    const std::string target = ResolvedOrAsGiven(path);
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    ReplacementFile file(target, path);
    write(file);
    return file.Commit(replacing ? &existing : nullptr, durability);
}

}  // namespace tinplate
