// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a palette or level: a view into the dictionary file until first changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

namespace tinplate {

// A buffer's own bytes: from malloc, or for large buffers a mapping of their own, which the
// deleter gives back as it was taken.
struct OwnedBytesDeleter {
    std::size_t mapped = 0;
    std::uint8_t* Allocate(std::size_t size);
    void operator()(std::uint8_t* bytes) const noexcept;
};

// The bytes of a texture's palette or pixels. Straight after reading they are a view into the
// dictionary file's bytes, which are never written; the first access that could change them
// gives the buffer its own copy. So a dictionary costs one read of the file, and a texture
// costs memory of its own only once it is edited.
//
// Const access never copies, with one exception: a buffer gathered from several places of the
// file (levels the file keeps apart) is joined into one piece of memory on its first access.
// Read through a const reference (std::as_const) wherever nothing is to change.
class ByteBuffer {
public:
    using value_type = std::uint8_t;
    using size_type = std::size_t;
    using iterator = std::uint8_t*;
    using const_iterator = const std::uint8_t*;

    ByteBuffer() = default;
    explicit ByteBuffer(std::size_t size);  // zero-filled
    ByteBuffer(std::initializer_list<std::uint8_t> bytes) : ByteBuffer(Copy(bytes)) {}
    ByteBuffer(const std::vector<std::uint8_t>& bytes) : ByteBuffer(Copy(bytes)) {}
    template <typename Iterator>
    ByteBuffer(Iterator first, Iterator last) {
        assign(first, last);
    }
    // `bytes` stay valid for as long as `owner` lives and are never written.
    static ByteBuffer Shared(std::shared_ptr<const void> owner,
                             std::span<const std::uint8_t> bytes);
    static ByteBuffer Copy(std::span<const std::uint8_t> bytes);
    // The pieces, one after another, as one buffer; `pieces` stay valid while `owner` lives.
    static ByteBuffer Gathered(std::shared_ptr<const void> owner,
                               std::vector<std::span<const std::uint8_t>> pieces);
    // Contents undefined: for buffers about to be overwritten in full.
    static ByteBuffer Uninitialized(std::size_t size);

    // A copy shares what is shared and copies what is owned.
    ByteBuffer(const ByteBuffer& other);
    ByteBuffer& operator=(const ByteBuffer& other);
    ByteBuffer(ByteBuffer&& other) noexcept;
    ByteBuffer& operator=(ByteBuffer&& other) noexcept;
    ~ByteBuffer() = default;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // True while the bytes are still the file's and not the buffer's own.
    bool IsShared() const { return m_owner != nullptr; }

    const std::uint8_t* data() const { return m_bytes != nullptr ? m_bytes : Join(); }
    const std::uint8_t* begin() const { return data(); }
    const std::uint8_t* end() const { return data() + m_size; }
    const std::uint8_t& operator[](std::size_t i) const { return data()[i]; }
    // Where the bytes lie: the gathered pieces of a buffer that is still the file's, otherwise
    // one span of them all. Never joins or copies.
    std::vector<std::span<const std::uint8_t>> Pieces() const;

    std::uint8_t* data() { return Own(); }
    std::uint8_t* begin() { return Own(); }
    std::uint8_t* end() { return Own() + m_size; }
    std::uint8_t& operator[](std::size_t i) { return Own()[i]; }

    template <typename Iterator>
    void assign(Iterator first, Iterator last) {
        const std::vector<std::uint8_t> bytes(first, last);
        *this = Copy(bytes);
    }
    void resize(std::size_t size);  // new bytes are zero
    void push_back(std::uint8_t byte) {
        resize(m_size + 1);
        Own()[m_size - 1] = byte;
    }
    void pop_back() { resize(m_size - 1); }
    void clear() { *this = ByteBuffer(); }
    void swap(ByteBuffer& other) noexcept;

    operator std::vector<std::uint8_t>() const { return {begin(), end()}; }

    friend bool operator==(const ByteBuffer& a, const ByteBuffer& b) { return Equal(a, b); }
    friend bool operator==(const ByteBuffer& a, const std::vector<std::uint8_t>& b) {
        return Equal(a, b);
    }

private:
    static bool Equal(const ByteBuffer& a, std::span<const std::uint8_t> b);
    std::uint8_t* Own();
    const std::uint8_t* Join() const;

    std::shared_ptr<const void> m_owner;  // set while the bytes are shared
    std::unique_ptr<std::uint8_t, OwnedBytesDeleter> m_own;
    // Of a gathered buffer, while it is shared; the join is made on first access.
    std::vector<std::span<const std::uint8_t>> m_pieces;
    mutable std::unique_ptr<std::uint8_t[]> m_joined;
    // m_own's, the shared bytes, or the join (null until it is made)
    mutable const std::uint8_t* m_bytes = nullptr;
    std::size_t m_size = 0;
};

}  // namespace tinplate
