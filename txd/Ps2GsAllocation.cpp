// SPDX-License-Identifier: GPL-3.0-or-later
// The GS memory allocation of PS2 rasters, as the platform's own library computes it.
#include "txd/Ps2GsAllocation.h"

#include <algorithm>

#include "fileio/ByteOrder.h"

namespace tinplate::ps2 {

namespace {

using I64 = std::int64_t;
constexpr I64 kM32 = 0xFFFFFFFF;
constexpr std::uint32_t kMaxQuadwords = 0x7FFF;

constexpr std::array<int, 32> kBlockMap32 = {0,  1,  4,  5,  16, 17, 20, 21, 2,  3,  6,
                                             7,  18, 19, 22, 23, 8,  9,  12, 13, 24, 25,
                                             28, 29, 10, 11, 14, 15, 26, 27, 30, 31};
constexpr std::array<int, 32> kBlockMap16 = {0,  2,  8,  10, 1,  3,  9,  11, 4,  6,  12,
                                             14, 5,  7,  13, 15, 16, 18, 24, 26, 17, 19,
                                             25, 27, 20, 22, 28, 30, 21, 23, 29, 31};
constexpr std::array<int, 32> kBlockMap16s = {0,  2,  16, 18, 1,  3,  17, 19, 8,  10, 24,
                                              26, 9,  11, 25, 27, 4,  6,  20, 22, 5,  7,
                                              21, 23, 12, 14, 28, 30, 13, 15, 29, 31};
constexpr std::array<int, 32> kBlockMapRev32 = {0,  1,  8,  9,  2,  3,  10, 11, 16, 17, 24,
                                                25, 18, 19, 26, 27, 4,  5,  12, 13, 6,  7,
                                                14, 15, 20, 21, 28, 29, 22, 23, 30, 31};

// Page and block sides in texels.
struct PageDims {
    I64 pageW, pageH, blockW, blockH;
};

PageDims DimsOf(Psm psm) {
    switch (psm) {
        case Psm::kCt32:
            return {64, 32, 8, 8};
        case Psm::kT8:
            return {128, 64, 16, 16};
        case Psm::kT4:
            return {128, 128, 32, 16};
        case Psm::kCt16s:
            return {64, 64, 16, 8};
    }
    return {64, 32, 8, 8};
}

I64 BlockSwizzle(I64 b, Psm psm) {
    const auto& map = psm == Psm::kT4      ? kBlockMap16
                      : psm == Psm::kCt16s ? kBlockMap16s
                                           : kBlockMap32;
    return (b & ~I64{0x1F}) | map[static_cast<std::size_t>(b & 0x1F)];
}

I64 Log2Up(I64 n) {
    I64 k = 0;
    while ((I64{1} << k) < n) {
        ++k;
    }
    return k;
}

struct Offsets {
    int levels = 0;
    std::array<I64, 8> base{};
    std::array<I64, 8> bufw{};
    std::array<I64, 8> trxpos{};
    I64 total = 0;
    I64 paletteBase = 0;
};

// Each level's buffer base and width, its position inside a shared buffer, and the palette's
// place: levels too small to fill a page are packed beside and below each other.
Offsets CalcOffsets(I64 width, I64 height, Psm psm) {
    const PageDims d = DimsOf(psm);
    I64 mindim = std::min(width, height);
    int nlevels = 1;
    while (mindim > 8 && nlevels < 7) {
        mindim /= 2;
        ++nlevels;
    }
    const auto ns = [](I64 v, I64 p) { return (v + p - 1) / p; };
    const I64 pageWidthB = d.pageW / d.blockW;
    const auto realW = [&](I64 w) { return std::max(w, d.blockW); };
    const auto realH = [&](I64 h) { return std::max(h, d.blockH); };
    Offsets o;
    o.levels = nlevels;
    std::array<I64, 8> bufh{}, page{};
    o.bufw.fill(1);
    o.bufw[0] = ns(width, d.pageW) * d.pageW / 64;
    bufh[0] = ns(height, d.pageH);
    I64 lw = width, lh = height;
    int sp = 0;
    I64 xoff = 0, yoff = 0;
    int flag = 0;
    std::array<I64, 8> wst{}, hst{}, bst{};
    const auto popStack = [&](int n, I64 mw, I64 mh) {
        o.base[n] = bst[sp - 1];
        if (realW(mw) < wst[sp - 1]) {
            bst[sp - 1] += ns(mw, d.blockW);
            wst[sp - 1] -= realW(mw);
        } else if (realH(mh) < hst[sp - 1]) {
            bst[sp - 1] += ns(mh, d.blockH) * pageWidthB;
            hst[sp - 1] -= realH(mh);
        } else {
            --sp;
        }
    };
    for (int n = 1; n < nlevels; ++n) {
        const I64 mw = lw / 2, mh = lh / 2;
        if (lw >= d.pageW) {
            if (lh >= d.pageH) {
                o.base[n] = o.base[n - 1] + (lw / d.blockW) * (lh / d.blockH);
                page[n] = o.base[n];
                o.bufw[n] = ns(mw, d.pageW) * d.pageW / 64;
                bufh[n] = ns(mh, d.pageH);
                xoff = yoff = 0;
            } else {
                page[n] = page[n - 1];
                bufh[n] = bufh[n - 1];
                o.bufw[n] = o.bufw[n - 1];
                if (realH(lh) + yoff < d.pageH) {
                    yoff += realH(lh);
                    o.base[n] =
                        o.base[n - 1] + pageWidthB * ns(lh, d.blockH) * o.bufw[n] * 64 / d.pageW;
                } else {
                    xoff += realW(lw);
                    o.base[n] = o.base[n - 1] + ns(lw, d.blockW);
                }
            }
        } else if (lh >= d.pageH) {
            page[n] = page[n - 1];
            bufh[n] = bufh[n - 1];
            o.bufw[n] = o.bufw[n - 1];
            if (realW(lw) + xoff < d.pageW) {
                hst[sp] = realH(lh);
                wst[sp] = realW(lw);
                bst[sp] = o.base[n - 1] + ns(lh, d.blockH) * pageWidthB;
                ++sp;
                xoff += realW(lw);
                o.base[n] = o.base[n - 1] + ns(lw, d.blockW);
            } else if (sp != 0) {
                popStack(n, mw, mh);
                flag = 1;
            } else {
                yoff += realH(lh);
                o.base[n] = o.base[n - 1] + pageWidthB * ns(lh, d.blockH);
            }
        } else {
            bufh[n] = bufh[n - 1];
            page[n] = page[n - 1];
            o.bufw[n] = o.bufw[n - 1];
            if (realW(lw) + xoff < o.bufw[n - 1] * 64) {
                wst[sp] = realW(lw);
                hst[sp] = realH(lh);
                bst[sp] = o.base[n - 1] + pageWidthB * ns(lh, d.blockH);
                ++sp;
                xoff += realW(lw);
                o.base[n] = o.base[n - 1] + ns(lw, d.blockW);
            } else if (realH(lh) + yoff < d.pageH * bufh[n] && flag == 0) {
                o.base[n] = o.base[n - 1] + pageWidthB * ns(lh, d.blockH);
                yoff += lh;
                flag = n;
            } else {
                popStack(n, mw, mh);
            }
        }
        lw = mw;
        lh = mh;
    }

    const int last = nlevels - 1;
    I64 palbase = 0;
    const I64 bufWidthPx = o.bufw[last] * 64;
    const I64 bufHeightPx = bufh[last] * d.pageH;
    if (bufWidthPx != lw || bufHeightPx != lh) {
        if (psm == Psm::kT8) {
            palbase = page[last] + ((bufWidthPx / d.pageW) * bufh[last] << 5) -
                      (bufHeightPx / d.pageW) * pageWidthB - 2;
        } else if (psm == Psm::kT4) {
            palbase = page[last] + ((bufWidthPx / d.pageW) * bufh[last] << 5) - 1;
        }
    } else if (psm == Psm::kT8 || psm == Psm::kT4) {
        palbase = page[last] + (bufWidthPx / d.blockW) * (bufHeightPx / d.blockH);
    }
    palbase &= kM32;

    const auto pageSwap = [&](I64 b, I64 bwid) {
        if (bwid * 64 / d.pageW > 1) {
            const I64 stride = bwid * 64 * 32 / d.pageW;
            const I64 bwb = bwid * 64 / d.blockW;
            b = (b & ~(stride - pageWidthB)) | ((b & (bwb - pageWidthB)) * (stride / bwb)) |
                ((b & (stride - bwb)) / (bwb / pageWidthB));
        }
        return b;
    };
    I64 bwid = o.bufw[0];
    I64 bpage = page[0];
    for (int n = 0; n < nlevels; ++n) {
        const I64 pixeloff = ((o.base[n] - bpage) * d.blockW) & kM32;
        const I64 yo = (pixeloff / (bwid * 64)) * d.blockH;
        const I64 xo = pixeloff % (bwid * 64);
        if (o.bufw[n] == bwid && yo < 0x800) {
            o.trxpos[n] = yo << 16 | xo;
        } else {
            bwid = o.bufw[n];
            bpage = page[n];
            o.trxpos[n] = 0;
        }
        o.base[n] = BlockSwizzle(pageSwap(o.base[n], bwid), psm);
    }
    o.paletteBase = BlockSwizzle(pageSwap(palbase, bwid), psm) & kM32;
    const I64 total = page[last] + o.bufw[last] * 64 / d.blockW * d.pageH * bufh[last] / d.blockH;
    o.total = (total * 64) & kM32;
    return o;
}

GifPacket Packet(std::uint64_t trxpos, std::uint64_t trxreg, std::uint32_t bytes) {
    const std::array<std::uint64_t, 10> words = {
        0x1000000000000003ull,
        0xE,
        trxpos,
        0x51,
        trxreg,
        0x52,
        0,
        0x53,
        ((bytes / 16) & kMaxQuadwords) | 0x0800000000000000ull,
        0};
    GifPacket packet{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        WriteLe32(packet, i * 8, static_cast<std::uint32_t>(words[i]));
        WriteLe32(packet, i * 8 + 4, static_cast<std::uint32_t>(words[i] >> 32));
    }
    return packet;
}

std::uint64_t MipRegister(const Offsets& o, int first) {
    std::uint64_t value = 0;
    for (int i = 0; i < 3; ++i) {
        const auto level = static_cast<std::size_t>(first + i);
        value |= (static_cast<std::uint64_t>(o.base[level]) & 0x3FFF) << (20 * i);
        value |= static_cast<std::uint64_t>(o.bufw[level]) << (20 * i + 14);
    }
    return value;
}

}  // namespace

bool FitsOnePacket(Kind kind, std::uint32_t width, std::uint32_t height) {
    return std::uint64_t{width} * height * RowOf(kind).depth / 8 / 16 < kMaxQuadwords;
}

GsAllocation AllocateRaster(Kind kind, std::uint32_t width, std::uint32_t height, bool mips,
                            bool swizzlePal4) {
    const KindRow& row = RowOf(kind);
    const bool pal = row.paletteEntries != 0;
    const I64 pageW = row.depth <= 8 ? 128 : 64;
    const I64 pageH = row.depth == 4 ? 128 : row.depth == 8 ? 64 : row.depth == 16 ? 64 : 32;
    const I64 w = width, h = height;
    I64 palW = kind == Kind::kPal8 ? 16 : kind == Kind::kPal4 ? 8 : 0;
    I64 palH = kind == Kind::kPal8 ? 16 : kind == Kind::kPal4 ? 2 : 0;
    const I64 palSize = palW * palH * 4;

    GsAllocation a;
    Offsets o;
    o.bufw.fill(1);
    int n = 1;
    I64 total = 0;
    I64 palbase = 0;
    if (mips) {
        n = static_cast<int>(ChainLength(width, height, true));
        o = CalcOffsets(w, h, row.psm);
        a.miptbp1 = MipRegister(o, 1);
        a.miptbp2 = MipRegister(o, 4);
        a.tex1Low = static_cast<std::uint32_t>(n - 1) << 2;
        total = o.total;
        palbase = o.paletteBase;
        if (palSize != 0) {
            if (palbase * 64 == total) {
                total += 2048;
            }
        } else {
            palbase = 0;
        }
    } else {
        a.miptbp1 = a.miptbp2 = 1ull << 54 | 1ull << 34 | 1ull << 14;
        const I64 npw = (w + pageW - 1) / pageW;
        const I64 nph = (h + pageH - 1) / pageH;
        o.bufw[0] = npw * pageW / 64;
        total = npw * nph * 2048;
        if (palSize != 0) {
            if (pageW * npw > w || pageH * nph > h) {
                palbase = (total - 256) / 64;
            } else {
                palbase = total / 64;
                total += 2048;
            }
        }
    }
    const I64 tbw = std::max(w, pageW) / 64;
    a.tex0 = static_cast<std::uint64_t>(tbw) << 14 |
             std::uint64_t{static_cast<std::uint8_t>(row.psm)} << 20 |
             static_cast<std::uint64_t>(Log2Up(w)) << 26 |
             static_cast<std::uint64_t>(Log2Up(h)) << 30 | 1ull << 34 | (pal ? 1ull << 61 : 0);
    a.paletteBase = static_cast<std::uint32_t>(palbase);
    a.totalSize = static_cast<std::uint32_t>(total);
    a.packets = FitsOnePacket(kind, width, height);

    const bool sw8 = kind == Kind::kPal8;
    const bool sw4 = kind == Kind::kPal4 && swizzlePal4;
    I64 paltrx = 0;
    const auto lastTrx = o.trxpos[static_cast<std::size_t>(n - 1)];
    const I64 dsax = lastTrx & 0x7FF;
    const I64 dsay = lastTrx >> 16 & 0x7FF;
    if (sw8 && o.bufw[static_cast<std::size_t>(n - 1)] == 2) {
        const I64 lastBase = o.base[static_cast<std::size_t>(n - 1)];
        const I64 bb =
            (lastBase & ~I64{0x1F}) | kBlockMapRev32[static_cast<std::size_t>(lastBase & 0x1F)];
        const I64 pb =
            (palbase & ~I64{0x1F}) | kBlockMapRev32[static_cast<std::size_t>(palbase & 0x1F)];
        const I64 pageB = (bb - 8 * (dsay / 16) - dsax / 16) & kM32;
        const I64 dy = ((((pb - pageB) & kM32) / 8) * 8) & kM32;
        const I64 dx = (((pb - pageB) & kM32) * 8 % 64) & kM32;
        if (dy < 0x800) {
            paltrx = dy << 16 | dx;
        }
    }
    std::uint64_t pixelArea = 0;
    for (int i = 0; i < n; ++i) {
        LevelUpload level;
        level.width = std::max<std::uint32_t>(width >> i, 1);
        level.height = std::max<std::uint32_t>(height >> i, 1);
        level.transfer = TransferOf(kind, level.width, level.height, swizzlePal4);
        const Transfer& t = level.transfer;
        const auto trx = static_cast<std::uint64_t>(o.trxpos[static_cast<std::size_t>(i)]);
        const bool halved = sw8 || sw4;
        const std::uint64_t trxpos = halved ? ((trx & ~0x10001ull) / 2) << 32 : trx << 32;
        const std::uint64_t trxreg = halved ? (t.width / 2) | std::uint64_t{t.height / 2} << 32
                                            : t.width | std::uint64_t{t.height} << 32;
        level.packet = Packet(trxpos, trxreg, t.bytes);
        pixelArea += (a.packets ? kGifPacketSize : 0) + t.bytes;
        a.levels.push_back(level);
    }
    a.pixelAreaSize = static_cast<std::uint32_t>(pixelArea);
    if (palSize != 0) {
        if (sw4 && palH == 2) {
            palH = 3;
        }
        a.paletteBytes = static_cast<std::uint32_t>(4 * palW * palH);
        a.paletteAreaSize = a.paletteBytes + (a.packets ? kGifPacketSize : 0);
        a.palettePacket =
            Packet(static_cast<std::uint64_t>(paltrx) << 32,
                   static_cast<std::uint64_t>(palW) | static_cast<std::uint64_t>(palH) << 32,
                   (a.paletteBytes + 15) & ~15u);
    }
    return a;
}

}  // namespace tinplate::ps2
