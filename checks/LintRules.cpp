// SPDX-License-Identifier: GPL-3.0-or-later
// The table of lint rules.
#include "checks/LintRules.h"

namespace tinplate {

namespace {

constexpr LintRule kRules[] = {
    {rule::kNameEmpty, Severity::Error, "the name is empty"},
    {rule::kNameLength, Severity::Error, "the name or mask name is longer than 31 bytes"},
    {rule::kNameAscii, Severity::Warning,
     "the name or mask name holds bytes other than printable ASCII"},
    {rule::kNameDuplicate, Severity::Error, "the name is another texture's, ignoring case"},
    {rule::kSwizzleSize, Severity::Error,
     "an uncompressed platform 5 texture whose sides are not powers of two (it cannot be "
     "swizzled)"},
    {rule::kPowerOfTwo, Severity::Warning, "sides that are not powers of two"},
    {rule::kMaxSize, Severity::Error, "a side longer than the platform's maximum"},
    {rule::kDxtSize, Severity::Error, "a DXT texture whose sides are not multiples of 4"},
    {rule::kUploadSize, Severity::Error,
     "a level too large for one upload to the platform (PS2: one GIF packet, 0x7FFF "
     "quadwords)"},
    {rule::kMipCount, Severity::Warning,
     "a level count that is neither 1 nor a full chain (to 1 x 1; on the PS2 to 8 x 8)"},
    {rule::kLevelsMissing, Severity::Note, "fewer levels stored than the header announces"},
    {rule::kAlphaUnset, Severity::Error,
     "alpha flag No over texels that are not opaque (the game draws them opaque)"},
    {rule::kAlphaUnused, Severity::Warning,
     "alpha flag Yes over a texture opaque everywhere (blending for nothing)"},
    {rule::kDxt1Alpha, Severity::Error, "a DXT1 texture with transparent texels and alpha flag No"},
    {rule::kPaletteSize, Severity::Note,
     "an 8-bit texture using 16 or fewer colours of a 256-entry palette (32 entries would do)"},
    {rule::kMipContent, Severity::Note,
     "a level that is not the box-filtered previous level (hand-painted levels are legal)"},
    {rule::kUnknownChunk, Severity::Note, "a chunk a strict reader would not expect"},
    {rule::kSizeRounded, Severity::Note,
     "a size word that disagrees with what it measures (the level data's with its levels "
     "rounded up to 4 bytes)"},
    {rule::kTrailingBytes, Severity::Note, "bytes after the dictionary's last chunk"},
    {rule::kTargetPlatform, Severity::Error,
     "a texture on a platform the --target game does not read"},
    {rule::kTargetVersion, Severity::Error, "a library version newer than the --target game's"},
    {rule::kTargets, Severity::Note,
     "without --target: the games and platforms the dictionary fits"},
};

}  // namespace

std::span<const LintRule> LintRules() {
    return kRules;
}

const LintRule* FindLintRule(std::string_view name) {
    for (const LintRule& entry : kRules) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

std::string_view SeverityWord(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        default:
            return "note";
    }
}

}  // namespace tinplate
