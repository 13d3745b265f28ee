// SPDX-License-Identifier: GPL-3.0-or-later
// Reading standard input and writing standard output whole.
#include "txdtool/StandardStreams.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iostream>

#include "document/OpenedDictionary.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

std::vector<std::uint8_t> ReadStandardInput() {
    std::vector<std::uint8_t> bytes;
    std::size_t filled = 0;
    while (filled <= kMaxReadableFileSize) {
        if (bytes.size() == filled) {
            bytes.resize(std::min<std::uint64_t>(std::max<std::size_t>(filled * 2, 1 << 16),
                                                 kMaxReadableFileSize + 1));
        }
        const ssize_t got = ::read(STDIN_FILENO, bytes.data() + filled, bytes.size() - filled);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError::FromErrno("-", errno);
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

std::vector<TextureEntry> ReadDictionaryOperand(const std::string& operand) {
    if (IsStandardStream(operand)) {
        return ParseDictionary(ReadStandardInput(), operand);
    }
    const DictionaryPlace place = PlaceOf(operand);
    if (place.InArchive()) {
        OpenedDictionary entry(place, OpenedDictionary::Use::Read);
        return std::move(entry.textures());
    }
    return ReadDictionary(operand);
}

void WriteStandardOutput(std::span<const std::uint8_t> bytes) {
    std::cout.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    if (!std::cout) {
        throw FileError("-", "standard output could not be written");
    }
}

}  // namespace tinplate
