// SPDX-License-Identifier: GPL-3.0-or-later
// Reading names from buffers, and the libraries' checked file reads and writes.
#include "imagelibs/common/LibraryFiles.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "imagelibs/common/Picture.h"

namespace tinplate {

namespace {

constexpr std::size_t kNameBufferSize = 256;
// Headers, Targa identification fields and colour maps on top of the largest decoded image.
constexpr std::uint64_t kMaxInputBytes = kMaxDecodedBytes + 1024 * 1024;

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Creates a new file next to `path` with a name nobody else uses.
int CreateTemporaryBeside(const std::string& path, std::string& temporaryName) {
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        temporaryName =
            path + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

}  // namespace

std::optional<std::string> NameFromWord(std::intptr_t word) {
    if (word == 0) {
        return std::nullopt;
    }
    const char* chars = reinterpret_cast<const char*>(word);
    const std::size_t length = ::strnlen(chars, kNameBufferSize);
    if (length == 0 || length == kNameBufferSize) {
        return std::nullopt;
    }
    return std::string(chars, length);
}

InputBytes::InputBytes(InputBytes&& other) noexcept
    : m_read(std::move(other.m_read)), m_mapped(other.m_mapped), m_mappedSize(other.m_mappedSize) {
    other.m_mapped = nullptr;
}

InputBytes::~InputBytes() {
    if (m_mapped) {
        ::munmap(const_cast<void*>(m_mapped), m_mappedSize);
    }
}

std::optional<InputBytes> ReadInputFile(const std::string& path) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return std::nullopt;
    }
    struct stat status {};
    const bool stated = ::fstat(file.get(), &status) == 0;
    if (stated && S_ISREG(status.st_mode) && status.st_size > 0) {
        const std::size_t size = std::min<std::uint64_t>(status.st_size, kMaxInputBytes);
        void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, file.get(), 0);
        if (mapped != MAP_FAILED) {
            return std::optional<InputBytes>(std::in_place, mapped, size);
        }
    }
    // Room for the whole file and one byte more, so that the read that finds its end needs no
    // larger buffer; a file that grows while we read makes the buffer grow.
    const std::uint64_t expected = stated && status.st_size > 0 ? status.st_size : 0;
    std::vector<std::uint8_t> bytes(std::min(expected + 1, kMaxInputBytes));
    std::size_t filled = 0;
    while (filled < kMaxInputBytes) {
        if (filled == bytes.size()) {
            bytes.resize(std::min<std::uint64_t>(bytes.size() * 2, kMaxInputBytes));
        }
        const ssize_t got = ::read(file.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return std::optional<InputBytes>(std::in_place, std::move(bytes));
}

std::optional<OutputFile> OutputFile::Create(const std::string& path) {
    std::string temporaryName;
    const int fd = CreateTemporaryBeside(path, temporaryName);
    if (fd < 0) {
        return std::nullopt;
    }
    return OutputFile(path, std::move(temporaryName), fd);
}

OutputFile::OutputFile(std::string path, std::string temporaryName, int fd)
    : m_path(std::move(path)), m_temporaryName(std::move(temporaryName)), m_fd(fd) {}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : m_path(std::move(other.m_path)),
      m_temporaryName(std::move(other.m_temporaryName)),
      m_fd(other.m_fd) {
    other.m_fd = -1;
    other.m_temporaryName.clear();
}

OutputFile::~OutputFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (!m_temporaryName.empty()) {
        ::unlink(m_temporaryName.c_str());
    }
}

bool OutputFile::Write(std::span<const std::uint8_t> bytes) {
    return m_fd >= 0 && WriteAll(m_fd, bytes);
}

bool OutputFile::Commit() {
    const int fd = std::exchange(m_fd, -1);
    // A late write error shows at close.
    if (fd < 0 || ::close(fd) != 0 || std::rename(m_temporaryName.c_str(), m_path.c_str()) != 0) {
        return false;
    }
    m_temporaryName.clear();
    return true;
}

bool WriteOutputFile(const std::string& path, const EncodedFile& encoded) {
    auto file = OutputFile::Create(path);
    return file && file->Write(encoded.head) && file->Write(encoded.body) && file->Commit();
}

}  // namespace tinplate
