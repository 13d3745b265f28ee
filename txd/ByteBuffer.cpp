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
    : ByteBuffer(other.IsShared() ? Shared(other.m_owner, other) : Copy(other)) {}

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
    std::swap(m_bytes, other.m_bytes);
    std::swap(m_size, other.m_size);
}

bool ByteBuffer::Equal(const ByteBuffer& a, std::span<const std::uint8_t> b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0);
}

std::uint8_t* ByteBuffer::Own() {
    if (m_owner) {
        *this = Copy(std::as_const(*this));
    }
    return m_own.get();
}

}  // namespace tinplate
