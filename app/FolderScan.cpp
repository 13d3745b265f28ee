// SPDX-License-Identifier: GPL-3.0-or-later
// The folder panel's scan thread and its hand-over.
#include "app/FolderScan.h"

#include <utility>

#include "scan/TextureScan.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

// Gathers each dictionary's textures and hands them over with it, under the lock.
class Gatherer : public ScanVisitor {
public:
    Gatherer(std::mutex& mutex, ScanBatch& pending) : m_mutex(mutex), m_pending(pending) {}

    void Texture(const ScannedTexture& found) override {
        const TextureRecord& r = found.texture.record;
        m_textures.push_back({m_dictionaries, static_cast<std::uint32_t>(found.index),
                              found.texture.name, r.width, r.height, std::string(KindWord(r))});
    }

    void DictionaryRead(const ScanPlace& place, std::size_t textures) override {
        HandOver({place, static_cast<std::uint32_t>(textures), {}});
    }

    void Failure(const ScanPlace& place, const std::string& reason) override {
        m_textures.clear();
        HandOver({place, 0, reason});
    }

private:
    void HandOver(FoundDictionary dictionary) {
        const std::lock_guard lock(m_mutex);
        m_pending.dictionaries.push_back(std::move(dictionary));
        std::move(m_textures.begin(), m_textures.end(), std::back_inserter(m_pending.textures));
        m_textures.clear();
        ++m_dictionaries;
    }

    std::mutex& m_mutex;
    ScanBatch& m_pending;
    std::vector<FoundTexture> m_textures;
    std::uint32_t m_dictionaries = 0;
};

}  // namespace

FolderScan::FolderScan(const std::string& folder) : m_thread([this, folder] { Run(folder); }) {}

FolderScan::~FolderScan() {
    m_stop = true;
    m_thread.join();
}

void FolderScan::Run(const std::string& folder) {
    Gatherer gatherer(m_mutex, m_pending);
    ScanTextures({folder}, {false, &m_stop, false}, gatherer);
    const std::lock_guard lock(m_mutex);
    m_pending.finished = true;
}

ScanBatch FolderScan::TakeBatch() {
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_pending, {});
}

}  // namespace tinplate
