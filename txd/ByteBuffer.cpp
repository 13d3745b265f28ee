// SPDX-License-Identifier: GPL-3.0-or-later
// Copy-on-write of shared palette and level bytes.
#include "txd/ByteBuffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tinplate {

ByteBuffer::ByteBuffer(std::size_t size) : ByteBuffer(Uninitialized(size)) {
    std::fill_n(m_own.get(), size, 0);
}

ByteBuffer ByteBuffer::Shared(std::shared_ptr<const void> owner,
                              std::span<const std::uint8_t> bytes) {
    ByteBuffer buffer;
    if (!bytes.empty()) {
        buffer.m_owner = std::move(owner);
        buffer.m_bytes = bytes.data();
        buffer.m_size = bytes.size();
    }
    return buffer;
}

ByteBuffer ByteBuffer::Copy(std::span<const std::uint8_t> bytes) {
    ByteBuffer buffer = Uninitialized(bytes.size());
    if (!bytes.empty()) {
        std::memcpy(buffer.m_own.get(), bytes.data(), bytes.size());
    }
    return buffer;
}

ByteBuffer ByteBuffer::Gathered(std::shared_ptr<const void> owner,
                                std::vector<std::span<const std::uint8_t>> pieces) {
    std::erase_if(pieces, [](std::span<const std::uint8_t> piece) { return piece.empty(); });
    // Pieces that follow each other in memory are one piece.
    for (std::size_t i = 1; i < pieces.size();) {
        if (pieces[i - 1].data() + pieces[i - 1].size() == pieces[i].data()) {
            pieces[i - 1] =
                std::span(pieces[i - 1].data(), pieces[i - 1].size() + pieces[i].size());
            pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    if (pieces.size() <= 1) {
        return Shared(std::move(owner),
                      pieces.empty() ? std::span<const std::uint8_t>{} : pieces[0]);
    }
    ByteBuffer buffer;
    buffer.m_owner = std::move(owner);
    for (const auto piece : pieces) {
        buffer.m_size += piece.size();
    }
    buffer.m_pieces = std::move(pieces);
    return buffer;
}

ByteBuffer ByteBuffer::Uninitialized(std::size_t size) {
    ByteBuffer buffer;
    if (size != 0) {
        buffer.m_own = std::make_unique_for_overwrite<std::uint8_t[]>(size);
        buffer.m_bytes = buffer.m_own.get();
        buffer.m_size = size;
    }
    return buffer;
}

ByteBuffer::ByteBuffer(const ByteBuffer& other)
    : ByteBuffer(!other.m_pieces.empty() ? Gathered(other.m_owner, other.m_pieces)
                 : other.IsShared()      ? Shared(other.m_owner, other)
                                         : Copy(other)) {}

ByteBuffer& ByteBuffer::operator=(const ByteBuffer& other) {
    if (this != &other) {
        ByteBuffer copy(other);
        swap(copy);
    }
    return *this;
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept {
    swap(other);
}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
    ByteBuffer taken(std::move(other));
    swap(taken);
    return *this;
}

void ByteBuffer::resize(std::size_t size) {
    if (size == m_size) {
        return;
    }
    ByteBuffer resized = Uninitialized(size);
    const std::size_t kept = std::min(size, m_size);
    if (kept != 0) {
        std::memcpy(resized.m_own.get(), m_bytes, kept);
    }
    std::fill_n(resized.m_own.get() + kept, size - kept, 0);
    swap(resized);
}

void ByteBuffer::swap(ByteBuffer& other) noexcept {
    std::swap(m_owner, other.m_owner);
    std::swap(m_own, other.m_own);
    std::swap(m_pieces, other.m_pieces);
    std::swap(m_joined, other.m_joined);
    std::swap(m_bytes, other.m_bytes);
    std::swap(m_size, other.m_size);
}

bool ByteBuffer::Equal(const ByteBuffer& a, std::span<const std::uint8_t> b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0);
}

std::vector<std::span<const std::uint8_t>> ByteBuffer::Pieces() const {
    if (!m_pieces.empty()) {
        return m_pieces;
    }
    if (m_size == 0) {
        return {};
    }
    return {std::span(m_bytes, m_size)};
}

const std::uint8_t* ByteBuffer::Join() const {
    if (m_pieces.empty()) {
        return nullptr;
    }
    m_joined = std::make_unique_for_overwrite<std::uint8_t[]>(m_size);
    std::size_t at = 0;
    for (const auto piece : m_pieces) {
        std::memcpy(m_joined.get() + at, piece.data(), piece.size());
        at += piece.size();
    }
    m_bytes = m_joined.get();
    return m_bytes;
}

std::uint8_t* ByteBuffer::Own() {
    if (m_owner) {
        *this = Copy(std::as_const(*this));
    }
    return m_own.get();
}

}  // namespace tinplate
