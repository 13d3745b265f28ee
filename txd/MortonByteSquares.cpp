// SPDX-License-Identifier: GPL-3.0-or-later
// One-byte texels between row order and swizzled order in squares of 16 x 16, with SSE2.
#include "txd/MortonByteSquares.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace tinplate {

namespace {

// The four 16-bit leaf rows of a block's two leaf pairs become its four 4-byte rows by
// swapping the middle two of each 64-bit half, and back by the same step.
__m128i SwapMiddleWords(__m128i block) {
    block = _mm_shufflelo_epi16(block, _MM_SHUFFLE(3, 1, 2, 0));
    return _mm_shufflehi_epi16(block, _MM_SHUFFLE(3, 1, 2, 0));
}

}  // namespace

void UnswizzleByteSquare(const std::uint8_t* sequence, std::uint8_t* linear, std::size_t pitch) {
    for (int half = 0; half < 2; ++half) {
        __m128i pairs[2][4];  // [left or right tile][rows 0-1, 2-3, 4-5, 6-7]
        for (int tile = 0; tile < 2; ++tile) {
            const auto* blocks =
                reinterpret_cast<const __m128i*>(sequence + (half * 2 + tile) * 64);
            __m128i rows[4];
            for (int b = 0; b < 4; ++b) {
                rows[b] = SwapMiddleWords(_mm_loadu_si128(blocks + b));
            }
            pairs[tile][0] = _mm_unpacklo_epi32(rows[0], rows[1]);
            pairs[tile][1] = _mm_unpackhi_epi32(rows[0], rows[1]);
            pairs[tile][2] = _mm_unpacklo_epi32(rows[2], rows[3]);
            pairs[tile][3] = _mm_unpackhi_epi32(rows[2], rows[3]);
        }
        std::uint8_t* out = linear + half * 8 * pitch;
        for (int p = 0; p < 4; ++p) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * p * pitch),
                             _mm_unpacklo_epi64(pairs[0][p], pairs[1][p]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + (2 * p + 1) * pitch),
                             _mm_unpackhi_epi64(pairs[0][p], pairs[1][p]));
        }
    }
}

void SwizzleByteSquare(const std::uint8_t* linear, std::uint8_t* sequence, std::size_t pitch) {
    for (int half = 0; half < 2; ++half) {
        const std::uint8_t* in = linear + half * 8 * pitch;
        __m128i pairs[2][4];
        for (int p = 0; p < 4; ++p) {
            const __m128i upper =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * p * pitch));
            const __m128i lower =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + (2 * p + 1) * pitch));
            pairs[0][p] = _mm_unpacklo_epi64(upper, lower);
            pairs[1][p] = _mm_unpackhi_epi64(upper, lower);
        }
        for (int tile = 0; tile < 2; ++tile) {
            auto* blocks = reinterpret_cast<__m128i*>(sequence + (half * 2 + tile) * 64);
            for (int b = 0; b < 2; ++b) {
                const __m128i top = _mm_shuffle_epi32(pairs[tile][2 * b], _MM_SHUFFLE(3, 1, 2, 0));
                const __m128i bottom =
                    _mm_shuffle_epi32(pairs[tile][2 * b + 1], _MM_SHUFFLE(3, 1, 2, 0));
                _mm_storeu_si128(blocks + 2 * b, SwapMiddleWords(_mm_unpacklo_epi64(top, bottom)));
                _mm_storeu_si128(blocks + 2 * b + 1,
                                 SwapMiddleWords(_mm_unpackhi_epi64(top, bottom)));
            }
        }
    }
}

}  // namespace tinplate
#endif
