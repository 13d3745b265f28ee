// SPDX-License-Identifier: GPL-3.0-or-later
// A scan of one folder on a thread of its own, its results picked up by the window.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "scan/ScanPlace.h"

namespace tinplate {

// What the folder panel keeps of a texture.
struct FoundTexture {
    std::uint32_t dictionary;  // its number among the scan's dictionaries
    std::uint32_t index;
    std::string name;
    std::uint32_t width;
    std::uint32_t height;
    std::string kind;
};

// A dictionary met by the scan; `failure` says why it could not be read (empty when it was).
struct FoundDictionary {
    ScanPlace place;
    std::uint32_t textures = 0;
    std::string failure;
};

// What arrived since the last pickup.
struct ScanBatch {
    std::vector<FoundDictionary> dictionaries;
    std::vector<FoundTexture> textures;
    bool finished = false;
};

// Starts scanning `folder` at once; the window takes what arrived with TakeBatch whenever it
// likes, so that the scan never waits for the window and the window never for the scan.
// Destroying it stops the scan and waits for the thread.
class FolderScan {
public:
    explicit FolderScan(const std::string& folder);
    FolderScan(const FolderScan&) = delete;
    FolderScan& operator=(const FolderScan&) = delete;
    ~FolderScan();

    ScanBatch TakeBatch();

private:
    void Run(const std::string& folder);

    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    ScanBatch m_pending;
    std::thread m_thread;
};

}  // namespace tinplate
