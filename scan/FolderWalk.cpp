// SPDX-License-Identifier: GPL-3.0-or-later
// Walks folder trees depth first without following links, one folder's names at a time.
#include "scan/FolderWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <utility>

namespace tinplate {

namespace {

struct FolderId {
    dev_t device;
    ino_t inode;
    auto operator<=>(const FolderId&) const = default;
};

// One folder being walked: its path and its names not yet visited, last name first.
struct OpenFolder {
    std::string path;
    std::vector<std::string> pending;
};

std::string Reason(int errorNumber) {
    return std::strerror(errorNumber);
}

// The names of a folder, sorted so that every walk of the same tree goes the same way.
bool ReadNames(const std::string& path, std::vector<std::string>& names, int& errorNumber) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* folder = fd < 0 ? nullptr : ::fdopendir(fd);
    if (folder == nullptr) {
        errorNumber = errno;
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    errorNumber = errno;
    ::closedir(folder);
    std::sort(names.begin(), names.end(), std::greater<>());
    return errorNumber == 0;
}

std::string Joined(const std::string& folder, const std::string& name) {
    return folder.ends_with('/') ? folder + name : folder + '/' + name;
}

class Walk {
public:
    Walk(const WalkCallbacks& callbacks, const std::atomic<bool>* stop)
        : m_callbacks(callbacks), m_stop(stop) {}

    void Root(const std::string& root) {
        struct stat info {};
        if (::stat(root.c_str(), &info) != 0) {
            m_callbacks.failed(root, Reason(errno));
            return;
        }
        if (!S_ISDIR(info.st_mode)) {
            m_callbacks.found(
                root, HasSuffix(root, ".img") ? FoundFile::kArchive : FoundFile::kDictionary);
            return;
        }
        Enter(root, info);
        while (!m_stack.empty() && !Stopped()) {
            OpenFolder& top = m_stack.back();
            if (top.pending.empty()) {
                m_stack.pop_back();
                continue;
            }
            const std::string path = Joined(top.path, top.pending.back());
            top.pending.pop_back();
            Visit(path);
        }
        m_stack.clear();
    }

private:
    bool Stopped() const { return m_stop != nullptr && m_stop->load(std::memory_order_relaxed); }

    void Enter(const std::string& path, const struct stat& info) {
        if (!m_seen.insert({info.st_dev, info.st_ino}).second) {
            return;
        }
        OpenFolder folder{path, {}};
        int errorNumber = 0;
        if (!ReadNames(path, folder.pending, errorNumber)) {
            m_callbacks.failed(path, Reason(errorNumber));
        }
        m_stack.push_back(std::move(folder));
    }

    void Visit(const std::string& path) {
        const bool dictionary = HasSuffix(path, ".txd");
        const bool archive = HasSuffix(path, ".img");
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            m_callbacks.failed(path, Reason(errno));
            return;
        }
        if (S_ISDIR(info.st_mode)) {
            Enter(path, info);
        } else if (S_ISREG(info.st_mode) && (dictionary || archive)) {
            m_callbacks.found(path, archive ? FoundFile::kArchive : FoundFile::kDictionary);
        }
    }

    const WalkCallbacks& m_callbacks;
    const std::atomic<bool>* m_stop;
    std::set<FolderId> m_seen;
    std::vector<OpenFolder> m_stack;
};

}  // namespace

bool HasSuffix(const std::string& name, const char* suffix) {
    const std::size_t length = std::strlen(suffix);
    return name.size() > length && ::strcasecmp(name.c_str() + name.size() - length, suffix) == 0;
}

void WalkFolders(const std::vector<std::string>& roots, const WalkCallbacks& callbacks,
                 const std::atomic<bool>* stop) {
    Walk walk(callbacks, stop);
    for (const std::string& root : roots) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
            return;
        }
        walk.Root(root);
    }
}

}  // namespace tinplate
