// SPDX-License-Identifier: GPL-3.0-or-later
// File names from name-buffer words, and whole-file reads and writes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "imagelibs/common/Picture.h"

namespace tinplate {

// File names arrive as the address of a NUL-terminated name in a 256-byte buffer. Empty when
// the word is null or no NUL lies within the buffer.
std::optional<std::string> NameFromWord(std::intptr_t word);

// An input file's bytes: a regular file mapped read-only (its pages come from the file cache
// as they are used, no copy, no zero-filled buffer), anything else read into memory.
class InputBytes {
public:
    explicit InputBytes(std::vector<std::uint8_t> read) : m_read(std::move(read)) {}
    InputBytes(const void* mapped, std::size_t size) : m_mapped(mapped), m_mappedSize(size) {}
    InputBytes(InputBytes&& other) noexcept;
    InputBytes& operator=(InputBytes&&) = delete;
    InputBytes(const InputBytes&) = delete;
    InputBytes& operator=(const InputBytes&) = delete;
    ~InputBytes();

    std::span<const std::uint8_t> bytes() const {
        return m_mapped ? std::span(static_cast<const std::uint8_t*>(m_mapped), m_mappedSize)
                        : std::span<const std::uint8_t>(m_read);
    }
    operator std::span<const std::uint8_t>() const { return bytes(); }

private:
    std::vector<std::uint8_t> m_read;
    const void* m_mapped = nullptr;
    std::size_t m_mappedSize = 0;
};

// The file's bytes, or empty when it cannot be read. Takes no more than any format here can
// use, so that a huge file costs no more than a well-formed one.
std::optional<InputBytes> ReadInputFile(const std::string& path);

// A file written under a temporary name in the same folder and renamed into place by Commit,
// so that `path` is either the complete new file or untouched; without Commit the temporary
// file is removed.
class OutputFile {
public:
    // Empty when no temporary file can be made.
    static std::optional<OutputFile> Create(const std::string& path);
    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&&) = delete;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    bool Write(std::span<const std::uint8_t> bytes);
    bool Commit();

private:
    OutputFile(std::string path, std::string temporaryName, int fd);

    std::string m_path;
    std::string m_temporaryName;
    int m_fd = -1;
};

// Writes `file` through an OutputFile. False on any failure.
bool WriteOutputFile(const std::string& path, const EncodedFile& file);

}  // namespace tinplate
