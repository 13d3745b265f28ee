// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool diff: what changed between two dictionaries, as lines or as JSON.
#include <cmath>
#include <cstdio>
#include <iostream>

#include "checks/DictionaryDiff.h"
#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/Listing.h"
#include "txdtool/Report.h"
#include "txdtool/Utf8Text.h"

namespace tinplate {

namespace {

using tinplate::LevelComparison;
using Outcome = LevelComparison::Outcome;

constexpr int kSame = 0;
constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

std::string Named(const tinplate::TextureRef& texture) {
    return PrintableText(texture.name) + " (index " + std::to_string(texture.index) + ")";
}

std::string Sides(std::uint32_t width, std::uint32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string LevelText(const LevelComparison& level) {
    switch (level.outcome) {
        case Outcome::Identical:
            return "identical";
        case Outcome::SamePicture:
            return "the same texels in other bytes";
        case Outcome::SizesDiffer:
            return Sides(level.widthA, level.heightA) + " -> " + Sides(level.widthB, level.heightB);
        case Outcome::NotComparable:
            return "other bytes, of a kind that makes no picture";
        default: {
            char psnr[32];
            std::snprintf(psnr, sizeof psnr, "%.2f", level.psnr);
            return std::to_string(level.texelsDiffering) +
                   (level.texelsDiffering == 1 ? " texel differs" : " texels differ") +
                   ", largest channel " + "difference " + std::to_string(level.largestDifference) +
                   ", PSNR " + psnr + " dB";
        }
    }
}

std::string_view OutcomeWord(Outcome outcome) {
    switch (outcome) {
        case Outcome::Identical:
            return "identical";
        case Outcome::SamePicture:
            return "same-texels";
        case Outcome::SizesDiffer:
            return "sizes-differ";
        case Outcome::NotComparable:
            return "not-comparable";
        default:
            return "different";
    }
}

void WriteText(std::ostream& out, const tinplate::DictionaryDiff& diff) {
    for (const auto& texture : diff.removed) {
        out << "removed: " << Named(texture) << '\n';
    }
    for (const auto& texture : diff.added) {
        out << "added: " << Named(texture) << '\n';
    }
    for (const auto& pair : diff.renamed) {
        out << "renamed, it seems (the same texels): " << Named(pair.a) << " -> " << Named(pair.b)
            << '\n';
    }
    for (const auto& texture : diff.moved) {
        out << "moved: " << PrintableText(texture.name) << " (index " << texture.from << " -> "
            << texture.to << ")\n";
    }
    for (const auto& texture : diff.common) {
        if (texture.Same()) {
            continue;
        }
        const std::string name = PrintableText(texture.a.name) + ": ";
        for (const auto& field : texture.fields) {
            out << name << field.field << ": " << field.before << " -> " << field.after << '\n';
        }
        if (texture.paletteDiffers) {
            out << name << "palette differs\n";
        }
        for (const auto& level : texture.levels) {
            out << name << "level " << level.level << ": " << LevelText(level) << '\n';
        }
    }
}

nlohmann::json JsonTexture(const tinplate::TextureRef& texture) {
    return {{"index", texture.index},
            {"name", IsValidUtf8(texture.name) ? nlohmann::json(texture.name) : nullptr},
            {"name_hex", HexOf(texture.name)}};
}

nlohmann::json JsonLevel(const LevelComparison& level) {
    nlohmann::json json = {{"level", level.level}, {"result", OutcomeWord(level.outcome)}};
    if (level.outcome == Outcome::SizesDiffer) {
        json["size_a"] = {level.widthA, level.heightA};
        json["size_b"] = {level.widthB, level.heightB};
    }
    if (level.outcome == Outcome::Different) {
        json["texels_differing"] = level.texelsDiffering;
        json["largest_difference"] = level.largestDifference;
        json["psnr"] = std::round(level.psnr * 100) / 100;
    }
    return json;
}

nlohmann::json JsonDiff(const std::string& a, const std::string& b,
                        const tinplate::DictionaryDiff& diff) {
    nlohmann::json json = {{"file", a}, {"against", b}, {"same", diff.Same()}};
    json["removed"] = nlohmann::json::array();
    for (const auto& texture : diff.removed) {
        json["removed"].push_back(JsonTexture(texture));
    }
    json["added"] = nlohmann::json::array();
    for (const auto& texture : diff.added) {
        json["added"].push_back(JsonTexture(texture));
    }
    json["renamed"] = nlohmann::json::array();
    for (const auto& pair : diff.renamed) {
        json["renamed"].push_back({{"from", JsonTexture(pair.a)}, {"to", JsonTexture(pair.b)}});
    }
    json["moved"] = nlohmann::json::array();
    for (const auto& texture : diff.moved) {
        json["moved"].push_back(
            {{"texture", JsonTexture({texture.from, texture.name})}, {"to", texture.to}});
    }
    json["changed"] = nlohmann::json::array();
    for (const auto& texture : diff.common) {
        if (texture.Same()) {
            continue;
        }
        nlohmann::json fields = nlohmann::json::array();
        for (const auto& field : texture.fields) {
            fields.push_back(
                {{"field", field.field}, {"before", field.before}, {"after", field.after}});
        }
        nlohmann::json levels = nlohmann::json::array();
        for (const auto& level : texture.levels) {
            levels.push_back(JsonLevel(level));
        }
        json["changed"].push_back({{"texture", JsonTexture(texture.a)},
                                   {"index_b", texture.b.index},
                                   {"fields", std::move(fields)},
                                   {"palette_differs", texture.paletteDiffers},
                                   {"levels", std::move(levels)}});
    }
    return json;
}

}  // namespace

int RunDiff(const CommandArguments& arguments) {
    const std::string& a = arguments.operands[0];
    const std::string& b = arguments.operands[1];
    tinplate::DictionaryDiff diff;
    try {
        DictionaryFile first(a);
        DictionaryFile second(b);
        diff = tinplate::DiffDictionaries(first.textures(), second.textures());
    } catch (const FileError& error) {
        ReportError(error);
        if (arguments.json && !IsQuiet()) {
            WriteJsonDocument(std::cout, nlohmann::json::array({{{"file", a},
                                                                 {"against", b},
                                                                 {"error_file", error.fileName()},
                                                                 {"error", error.reason()}}}));
        }
        return kTrouble;
    }
    if (!IsQuiet()) {
        if (arguments.json) {
            WriteJsonDocument(std::cout, nlohmann::json::array({JsonDiff(a, b, diff)}));
        } else {
            WriteText(std::cout, diff);
        }
    }
    return diff.Same() ? kSame : kDifferent;
}

}  // namespace tinplate
