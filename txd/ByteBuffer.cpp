// SPDX-License-Identifier: GPL-3.0-or-later
// Copy-on-write of shared palette and level bytes.
#include "txd/ByteBuffer.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace tinplate {

namespace {

// Buffers this large are mapped on their own and filled with pages before their bytes are
// written: a level is written from end to end at once, and faulting its pages in one by one
// costs more than writing them. From two huge pages on they lie on huge pages where the
// system offers them, which swizzling, scattering its stores over a whole level, needs.
constexpr std::size_t kMappedBytes = std::size_t{256} << 10;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t size, std::size_t unit) {
    return (size + unit - 1) / unit * unit;
}

// `length` bytes at a multiple of `alignment`, or nullptr.
void* MapAligned(std::size_t length, std::size_t alignment) {
    const std::size_t reserved = length + alignment;
    void* mapped =
        ::mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    auto* start = static_cast<std::uint8_t*>(mapped);
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    std::uint8_t* aligned = start + (RoundUp(address, alignment) - address);
    if (aligned != start) {
        ::munmap(start, static_cast<std::size_t>(aligned - start));
    }
    const std::size_t tail = static_cast<std::size_t>(start + reserved - (aligned + length));
    if (tail != 0) {
        ::munmap(aligned + length, tail);
    }
    return aligned;
}

}  // namespace

std::uint8_t* OwnedBytesDeleter::Allocate(std::size_t size) {
    if (size < kMappedBytes) {
        mapped = 0;
        return static_cast<std::uint8_t*>(std::malloc(size));
    }
    const bool huge = size >= 2 * kHugePage;
    mapped = RoundUp(size, huge ? kHugePage : 4096);
    void* bytes = MapAligned(mapped, huge ? kHugePage : 4096);
    if (bytes == nullptr) {
        return nullptr;
    }
    if (huge) {
        ::madvise(bytes, mapped, MADV_HUGEPAGE);
    }
    // Older kernels refuse; their pages come at first touch instead.
    ::madvise(bytes, mapped, MADV_POPULATE_WRITE);
    return static_cast<std::uint8_t*>(bytes);
}

void OwnedBytesDeleter::operator()(std::uint8_t* bytes) const noexcept {
    if (mapped != 0) {
        ::munmap(bytes, mapped);
    } else {
        std::free(bytes);
    }
}

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
        std::uint8_t* bytes = buffer.m_own.get_deleter().Allocate(size);
        if (bytes == nullptr) {
            throw std::bad_alloc();
        }
        buffer.m_own.reset(bytes);
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
