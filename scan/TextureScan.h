// SPDX-License-Identifier: GPL-3.0-or-later
// Every texture under folders and in archives, read from the headers.
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "scan/PictureDigest.h"
#include "scan/ScanPlace.h"
#include "txd/TextureRecord.h"

namespace tinplate {

struct ScannedTexture {
    const ScanPlace& place;
    std::size_t index;  // its position in the dictionary, from 0
    // Its header fields. The record's bytes are views into the dictionary, good during the
    // call only.
    const TextureEntry& texture;
    std::optional<PictureDigest> picture;  // when asked for and the kind has a picture
};

// What a scan hands over, in walk order, on the thread that called ScanTextures. Nothing is
// kept between calls: a scan of any number of dictionaries holds one dictionary's headers at a
// time, or with pictures asked for a few (their digests are made on every core at once).
class ScanVisitor {
public:
    virtual ~ScanVisitor() = default;
    virtual void Texture(const ScannedTexture& texture) = 0;
    // A folder, file, archive or entry that could not be read, and why; the scan goes on.
    virtual void Failure(const ScanPlace& place, const std::string& reason) = 0;
    // A dictionary was read and all its textures handed over.
    virtual void DictionaryRead(const ScanPlace& /*place*/, std::size_t /*textures*/) {}
    // A file found by the walk (a dictionary or an archive) is about to be read.
    virtual void Reading(const std::string& /*file*/) {}
};

struct ScanOptions {
    bool pictures = false;  // digest each first level (reads the level's bytes)
    const std::atomic<bool>* stop = nullptr;
    bool orders = true;  // judge each texture's order (reads a square of its texels)
};

// Walks `roots` as WalkFolders does and reads every dictionary found, loose or in an archive,
// checked as Open checks it: a dictionary that fails any check is reported whole and gives no
// textures.
void ScanTextures(const std::vector<std::string>& roots, const ScanOptions& options,
                  ScanVisitor& visitor);

}  // namespace tinplate
