// SPDX-License-Identifier: GPL-3.0-or-later
// The archive directory reader: any bytes as a directory of either version, the names it finds
// made into extraction file names, and a sound directory written back and read again.
// Input: one byte choosing the version (odd: 1, even: 2), the data file's size in sectors as a
// little-endian 32-bit word, then the directory's bytes.
#include <cstdlib>
#include <span>

#include "archive/Archive.h"
#include "archive/ArchiveExtract.h"
#include "fileio/ByteOrder.h"
#include "fuzz/FuzzTarget.h"

namespace tinplate {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    if (input.size() < 5) {
        return 0;
    }
    const ArchiveVersion version = input[0] % 2 ? ArchiveVersion::One : ArchiveVersion::Two;
    const std::uint64_t dataSize = std::uint64_t{ReadLe32(input, 1)} * kSectorSize;
    const std::span<const std::uint8_t> bytes = input.subspan(5);
    const ArchiveDirectory directory = ParseDirectory(version, bytes, dataSize);
    for (const ArchiveEntry& entry : directory.entries) {
        const std::string name = ExtractionFileName(entry.name);
        if (name.empty() || name.front() == '.' || name.find('/') != std::string::npos) {
            std::abort();
        }
    }
    ContentLength(bytes);
    if (!directory.faults.empty()) {
        return 0;
    }
    std::vector<std::uint8_t> written;
    if (version == ArchiveVersion::Two) {
        written.assign(bytes.begin(), bytes.begin() + kVersion2HeaderSize);
        WriteLe32(written, 4, static_cast<std::uint32_t>(directory.entries.size()));
    }
    for (const ArchiveEntry& entry : directory.entries) {
        AppendDirectoryEntry(written, entry);
    }
    const ArchiveDirectory again = ParseDirectory(version, written, dataSize);
    if (!again.faults.empty() || again.entries.size() != directory.entries.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < again.entries.size(); ++i) {
        if (again.entries[i].name != directory.entries[i].name ||
            again.entries[i].offset != directory.entries[i].offset ||
            again.entries[i].sectors != directory.entries[i].sectors) {
            std::abort();
        }
    }
    return 0;
}

}  // namespace tinplate
