// SPDX-License-Identifier: GPL-3.0-or-later
// The table of the run-time image library's entry points.
#pragma once

// Every entry point of the run-time image library "mwgfx", in the binding's order:
// X(result, name, words). `result` is `value` (one word back, 0 when the module or the entry
// point is missing) or `none`; `words` is the number of one-word arguments forwarded.
// Three names were once stored with a trailing blank ("_Pic_Valid ", "_Pic_ValidExt ",
// "_Pic_RGB24 "); they are looked up without it, as a library would export them.
#define TINPLATE_GFX_ENTRY_POINTS(X)      \
    X(none, _WinSlideShow, 6)             \
    X(none, _WinSlideShowSound, 9)        \
    X(none, _WinImagePrint, 1)            \
    X(none, _WinImageCopy, 1)             \
    X(none, _WinImageShow, 2)             \
    X(value, _WinImageBrowse, 1)          \
    X(value, _WinImageAdjust, 1)          \
    X(value, _WinImageSize, 1)            \
    X(value, _WinImageCrop, 5)            \
    X(none, _WinVideoShow, 6)             \
    X(none, _WinVideoScreen, 5)           \
    X(value, _WinImageScan, 1)            \
    X(none, _MWGrabWindow, 1)             \
    X(none, _MWGrabScreen, 1)             \
    X(none, _MWSetWallpaper, 4)           \
    X(value, _MWOpenImageDialog, 2)       \
    X(value, _MWOpenImageDialogEx, 7)     \
    X(value, _Pic_Convert, 7)             \
    X(value, _Pic_Read, 4)                \
    X(value, _Pic_Write, 3)               \
    X(value, _anytobmps, 5)               \
    X(value, _anyto256, 5)                \
    X(value, _anytogrey, 5)               \
    X(value, _anytobmp, 4)                \
    X(value, _checkbmp, 2)                \
    X(value, _bmptoanys, 5)               \
    X(value, _LoadAsBitmap, 2)            \
    X(value, _FreeBitmapMemory, 1)        \
    X(value, _Pic_Valid, 1)               \
    X(value, _Pic_ValidExt, 2)            \
    X(value, _Pic_ExtValid, 1)            \
    X(value, _Pic_Description, 1)         \
    X(value, _Pic_Extension, 1)           \
    X(value, _Pic_Pattern, 1)             \
    X(value, _Pic_Copyright, 1)           \
    X(value, _Pic_Count, 0)               \
    X(none, _Pic_Version, 2)              \
    X(value, _Pic_GetSaveFormats, 0)      \
    X(value, _Pic_GetSaveFormat, 1)       \
    X(none, _bmprotate, 4)                \
    X(none, _bmprocess, 4)                \
    X(none, _bmpcrop, 7)                  \
    X(none, _bmpprocess, 8)               \
    X(none, _bmpsharpen, 5)               \
    X(none, _bmpremap, 4)                 \
    X(none, _bmpresize, 5)                \
    X(none, _bmpmerge, 4)                 \
    X(none, _bmpinsert, 6)                \
    X(value, _SelectScanSource, 1)        \
    X(value, _ScanToFile, 2)              \
    X(none, _Pic_RGB24, 1)                \
    X(none, _Pic_Dither, 1)               \
    X(none, _Pic_Rotate, 1)               \
    X(none, _Pic_Crop, 5)                 \
    X(value, _TargaSplit, 4)              \
    X(value, _TargaJoin, 4)               \
    X(value, _TargaMessage, 1)            \
    X(none, _TargaGetMessage, 2)          \
    X(value, _TargaResize, 5)             \
    X(value, _TargaCrop, 7)               \
    X(value, _TargaFlip, 3)               \
    X(value, _TargaToDDS, 4)              \
    X(value, _TargaFromDDS, 3)            \
    X(value, _TargaToExtendedBitmap, 4)   \
    X(value, _TargaFromExtendedBitmap, 3) \
    X(value, _TargaToACE, 4)              \
    X(value, _TargaFromACE, 3)            \
    X(value, _TargaFromAny, 3)            \
    X(value, _TargaFromPNG, 3)            \
    X(value, _TargaToPNG, 3)

#define TINPLATE_GFX_RESULT_value std::intptr_t
#define TINPLATE_GFX_RESULT_none void

// Parameter lists of 0 to 9 words, named w1..wN.
#define TINPLATE_GFX_PARAMS_0
#define TINPLATE_GFX_PARAMS_1 std::intptr_t w1
#define TINPLATE_GFX_PARAMS_2 TINPLATE_GFX_PARAMS_1, std::intptr_t w2
#define TINPLATE_GFX_PARAMS_3 TINPLATE_GFX_PARAMS_2, std::intptr_t w3
#define TINPLATE_GFX_PARAMS_4 TINPLATE_GFX_PARAMS_3, std::intptr_t w4
#define TINPLATE_GFX_PARAMS_5 TINPLATE_GFX_PARAMS_4, std::intptr_t w5
#define TINPLATE_GFX_PARAMS_6 TINPLATE_GFX_PARAMS_5, std::intptr_t w6
#define TINPLATE_GFX_PARAMS_7 TINPLATE_GFX_PARAMS_6, std::intptr_t w7
#define TINPLATE_GFX_PARAMS_8 TINPLATE_GFX_PARAMS_7, std::intptr_t w8
#define TINPLATE_GFX_PARAMS_9 TINPLATE_GFX_PARAMS_8, std::intptr_t w9

// The same words as arguments, each preceded by a comma so that an empty list stays valid.
#define TINPLATE_GFX_ARGS_0
#define TINPLATE_GFX_ARGS_1 , w1
#define TINPLATE_GFX_ARGS_2 TINPLATE_GFX_ARGS_1, w2
#define TINPLATE_GFX_ARGS_3 TINPLATE_GFX_ARGS_2, w3
#define TINPLATE_GFX_ARGS_4 TINPLATE_GFX_ARGS_3, w4
#define TINPLATE_GFX_ARGS_5 TINPLATE_GFX_ARGS_4, w5
#define TINPLATE_GFX_ARGS_6 TINPLATE_GFX_ARGS_5, w6
#define TINPLATE_GFX_ARGS_7 TINPLATE_GFX_ARGS_6, w7
#define TINPLATE_GFX_ARGS_8 TINPLATE_GFX_ARGS_7, w8
#define TINPLATE_GFX_ARGS_9 TINPLATE_GFX_ARGS_8, w9
