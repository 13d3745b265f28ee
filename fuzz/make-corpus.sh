#!/bin/sh
# Remakes the seed corpus from the project's own products: the sample dictionary, the PC and
# PS2 dictionaries of the test data, what
# `txdtool export` writes from it, and the bitmaps and Targa images the image libraries make
# of those exports.
# Usage: fuzz/make-corpus.sh BUILD_DIR   (an ordinary build with txdgen, txdtool and the libraries)
set -eu
build=$(cd "$1" && pwd)
export LD_LIBRARY_PATH="$build/lib/txd-tinplate"
corpus=$(cd "$(dirname "$0")" && pwd)/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$build/tools/txdgen" sample.txd
mkdir exports
"$build/txdtool/txdtool" export sample.txd -C exports >/dev/null
mkdir pictures
for format in png tga bmp dds; do
    "$build/txdtool/txdtool" export sample.txd -C pictures --format="$format" >/dev/null
done
rm pictures/wide_*
convert -size 16x8 gradient:red-blue pictures/gradient.jpg
rm exports/wide_*  # large and nothing the smaller 32-bit texture does not show
LIBS="$build/lib/txd-tinplate" python3 - <<'PY'
import ctypes, glob, os
gfx = ctypes.CDLL(os.environ["LIBS"] + "/libmwgfx.so")
dds = ctypes.CDLL(os.environ["LIBS"] + "/libmwdds.so")
word = ctypes.c_ssize_t  # every argument is a machine word
for function, words in [(gfx._TargaToExtendedBitmap, 4), (gfx._anytobmps, 5),
                        (gfx._TargaFromDDS, 3), (gfx._bmpresize, 5), (dds.TGAcompressBMP, 5)]:
    function.argtypes = [word] * words
    function.restype = word
block = ctypes.create_string_buffer(1024)
blk = ctypes.addressof(block)
keep = []  # name buffers must outlive the calls
def n(text):
    buffer = ctypes.create_string_buffer(text.encode(), 256)
    keep.append(buffer)
    return ctypes.addressof(buffer)
os.makedirs("bitmaps", exist_ok=True)
for tga in sorted(glob.glob("exports/*.tga")):
    stem = os.path.basename(tga)[:-4]
    gfx._TargaToExtendedBitmap(n(tga), n("bitmaps/" + stem + "_indexed.bmp"), blk, 20)
for path in sorted(glob.glob("exports/*.dds")):
    stem = os.path.basename(path)[:-4]
    gfx._anytobmps(n(path), n("bitmaps/" + stem + ".bmp"), blk, 0, 0)
    gfx._TargaFromDDS(n("bitmaps/" + stem + ".tga"), n(path), blk)
    dds.TGAcompressBMP(n("bitmaps/" + stem + ".tga"), 17, 0, 0, n("bitmaps/" + stem + "_74.bmp"))
    gfx._bmpresize(n("bitmaps/" + stem + ".bmp"), n("bitmaps/" + stem + "_half.bmp"), blk, 7, 5)
PY

rm -rf "$corpus"
mkdir -p "$corpus/dictionary" "$corpus/targa" "$corpus/dds" "$corpus/bitmap" \
    "$corpus/working_bitmap" "$corpus/import" "$corpus/picture"
cp sample.txd "$(dirname "$corpus")"/../tests/data/pc/*.txd \
    "$(dirname "$corpus")"/../tests/data/ps2/g_*.txd "$corpus/dictionary/"
cp exports/*.tga bitmaps/*.tga "$corpus/targa/"
cp exports/*.dds "$corpus/dds/"
cp bitmaps/*.bmp "$corpus/bitmap/"
cp bitmaps/*.bmp "$corpus/working_bitmap/"
# An import input is six bytes of texture shape, then the file: the shape of the export's texture.
for file in bitmaps/*.bmp exports/*.dds; do
    python3 - "$file" "$corpus/import/$(basename "$file")" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
if data[:2] == b"BM":
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    kind = 0 if bits == 8 else 4
else:
    height, width = struct.unpack_from("<II", data, 12)
    four = data[84:88]
    kind = {b"DXT1": 1, b"DXT3": 2, b"DXT5": 3}.get(four, 4)
shape = bytes([width & 255, width >> 8 & 15, abs(height) & 255, abs(height) >> 8 & 15, kind, 0])
open(sys.argv[2], "wb").write(shape + data)
PY
done
# A picture input is the texture's width and height less one, then the file.
for file in pictures/*; do
    python3 - "$file" "$corpus/picture/$(basename "$file")" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
if data[:4] == b"DDS ":
    height, width = struct.unpack_from("<II", data, 12)
elif data[:2] == b"BM":
    width, height = struct.unpack_from("<ii", data, 18)
elif data[:4] == b"\x89PNG":
    width, height = struct.unpack_from(">II", data, 16)
else:
    width, height = struct.unpack_from("<HH", data, 12)
open(sys.argv[2], "wb").write(bytes([(width - 1) % 64, (abs(height) - 1) % 64]) + data)
PY
done
