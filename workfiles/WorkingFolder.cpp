// SPDX-License-Identifier: GPL-3.0-or-later
// Making, naming and removing the private working folder.
#include "workfiles/WorkingFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"

namespace tinplate {

namespace {

constexpr std::size_t kNameBufferSize = 256;
constexpr const char* kTemplate = "/txd-tinplate-XXXXXX";

// Kept in plain memory so that a signal handler can reach it.
char g_folder[kNameBufferSize];
volatile std::sig_atomic_t g_folderMade = 0;

// Async-signal-safe: no allocation, only system calls.
void RemoveWorkingFolder() noexcept {
    if (!g_folderMade) {
        return;
    }
    g_folderMade = 0;
    const int folder = ::open(g_folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        alignas(dirent64) char entries[4096];
        ssize_t size = 0;
        while ((size = ::getdents64(folder, entries, sizeof entries)) > 0) {
            for (ssize_t at = 0; at < size;) {
                const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
                    ::unlinkat(folder, entry->d_name, 0);
                }
                at += entry->d_reclen;
            }
        }
        ::close(folder);
    }
    ::rmdir(g_folder);
}

// Removes the folder at normal exit, from return in main as from exit().
struct RemovedAtExit {
    ~RemovedAtExit() { RemoveWorkingFolder(); }
};

bool MakeFolderUnder(const char* parent) {
    if (parent == nullptr || parent[0] != '/' ||
        std::strlen(parent) + std::strlen(kTemplate) + 1 + kLongestWorkingName >= kNameBufferSize) {
        return false;
    }
    char path[kNameBufferSize];
    std::strcpy(path, parent);
    std::strcat(path, kTemplate);
    if (::mkdtemp(path) == nullptr) {
        return false;
    }
    std::strcpy(g_folder, path);
    g_folderMade = 1;
    return true;
}

void OnTerminatingSignal(int signal) {
    RemovePendingReplacement();
    RemoveWorkingFolder();
    // SA_RESETHAND restored the default action: the signal raised again ends the process as
    // soon as this handler returns.
    ::raise(signal);
}

}  // namespace

std::string WorkingPath(const std::string& name) {
    if (!g_folderMade) {
        static RemovedAtExit removal;
        if (!MakeFolderUnder(std::getenv("TMPDIR")) && !MakeFolderUnder("/tmp")) {
            throw FileError::FromErrno("/tmp", errno);
        }
    }
    return std::string(g_folder) + "/" + name;
}

bool IsWorkingPath(const std::string& path) {
    const std::string_view folder = g_folder;
    return g_folderMade && path.size() > folder.size() && path.starts_with(folder) &&
           path[folder.size()] == '/';
}

void InstallExitCleanup() {
    std::signal(SIGXFSZ, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = OnTerminatingSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

}  // namespace tinplate
