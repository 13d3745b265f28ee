// SPDX-License-Identifier: GPL-3.0-or-later
// File names and work blocks as the image libraries take them: one word each.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tinplate {

// What the image libraries receive: every argument is one machine word, so file names and
// the work block are handed over by address.

// A file name as the libraries read it: NUL-terminated in a 256-byte buffer.
class NameBuffer {
public:
    static constexpr std::size_t kSize = 256;

    // Throws FileError when the name does not fit or holds a NUL character.
    explicit NameBuffer(const std::string& name);

    const char* c_str() const { return m_chars.data(); }
    std::intptr_t word() { return reinterpret_cast<std::intptr_t>(m_chars.data()); }

private:
    std::array<char, kSize> m_chars{};
};

// The scratch block some calls take: 1024 bytes, zero-filled before use, never read back.
class WorkBlock {
public:
    static constexpr std::size_t kSize = 1024;

    void Clear() { m_bytes.fill(0); }
    std::intptr_t word() { return reinterpret_cast<std::intptr_t>(m_bytes.data()); }

private:
    std::array<std::uint8_t, kSize> m_bytes{};
};

}  // namespace tinplate
