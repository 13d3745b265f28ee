// SPDX-License-Identifier: GPL-3.0-or-later
// The table of guarded mappings and the bus-error handler that reads lost pages as zeros.
#include "fileio/MappingGuard.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <string>
#include <vector>

#include "fileio/FileError.h"

namespace tinplate {

namespace {

// The handler reads only these atomics; everything else changes under the mutex.
struct Slot {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> lost{false};
    std::atomic<bool> own{false};
    bool used = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

constexpr int kSlots = 64;
Slot g_slots[kSlots];
std::mutex g_mutex;
std::once_flag g_installed;
struct sigaction g_previous {};
std::uintptr_t g_pageSize = 4096;

void OnBusError(int number, siginfo_t* info, void* context) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot& slot : g_slots) {
        if (address < slot.begin.load() || address >= slot.end.load()) {
            continue;
        }
        // The page is gone from the file: zeros in its place, and the access is tried again.
        void* page = reinterpret_cast<void*>(address & ~(g_pageSize - 1));
        if (::mmap(page, g_pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED) {
            slot.lost.store(true);
            return;
        }
    }
    if ((g_previous.sa_flags & SA_SIGINFO) != 0 && g_previous.sa_sigaction != nullptr) {
        g_previous.sa_sigaction(number, info, context);
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(number);
    } else {
        // Not a guarded mapping's fault: the access is tried again and ends the program as usual.
        ::sigaction(SIGBUS, &g_previous, nullptr);
    }
}

void InstallHandler() {
    g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &g_previous);
}

// Copy-on-write pages would not do: cutting the file short takes them from the mapping too.
// So the mapping is replaced by memory of its own, a piece at a time, the bytes copied over.
void MakePrivate(Slot& slot, const std::string& path) {
    auto* const begin = reinterpret_cast<std::uint8_t*>(slot.begin.load());
    const std::size_t size = slot.end.load() - slot.begin.load();
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    std::vector<std::uint8_t> piece(std::min(size, kPiece));
    for (std::size_t at = 0; at < size; at += kPiece) {
        const std::size_t length = std::min(kPiece, size - at);
        std::copy_n(begin + at, length, piece.data());
        if (::mmap(begin + at, length, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED) {
            throw FileError::FromErrno(path, errno);
        }
        std::copy_n(piece.data(), length, begin + at);
        ::mprotect(begin + at, length, PROT_READ);
    }
    slot.own.store(true);
}

}  // namespace

MappingGuard::MappingGuard(const std::uint8_t* begin, std::size_t size, int fd) {
    struct stat info {};
    if (size == 0 || ::fstat(fd, &info) != 0) {
        return;
    }
    std::call_once(g_installed, InstallHandler);
    const std::lock_guard hold(g_mutex);
    for (int index = 0; index < kSlots; ++index) {
        Slot& slot = g_slots[index];
        if (slot.used) {
            continue;
        }
        slot.used = true;
        slot.device = static_cast<std::uint64_t>(info.st_dev);
        slot.inode = static_cast<std::uint64_t>(info.st_ino);
        slot.lost.store(false);
        slot.own.store(false);
        slot.end.store(reinterpret_cast<std::uintptr_t>(begin) + size);
        slot.begin.store(reinterpret_cast<std::uintptr_t>(begin));
        m_slot = index;
        return;
    }
}

MappingGuard::~MappingGuard() {
    if (m_slot < 0) {
        return;
    }
    const std::lock_guard hold(g_mutex);
    Slot& slot = g_slots[m_slot];
    slot.begin.store(0);
    slot.end.store(0);
    slot.used = false;
}

bool MappingGuard::LostBytes() const {
    return m_slot >= 0 && g_slots[m_slot].lost.load();
}

bool MappingGuard::Private() const {
    return m_slot >= 0 && g_slots[m_slot].own.load();
}

void KeepMappingsOf(int fd, const std::string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    const std::lock_guard hold(g_mutex);
    for (Slot& slot : g_slots) {
        if (slot.used && !slot.own.load() &&
            slot.device == static_cast<std::uint64_t>(info.st_dev) &&
            slot.inode == static_cast<std::uint64_t>(info.st_ino)) {
            MakePrivate(slot, path);
        }
    }
}

}  // namespace tinplate
