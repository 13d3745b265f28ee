// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool lint: the findings of the dictionary checks, one line each or as JSON.
#include <algorithm>
#include <iostream>
#include <set>

#include "checks/DictionaryLint.h"
#include "checks/LintRules.h"
#include "fileio/FileError.h"
#include "fileio/PrintableText.h"
#include "txdtool/ArchiveCommands.h"
#include "txdtool/Commands.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/Listing.h"
#include "txdtool/Report.h"
#include "txdtool/TargetCommand.h"
#include "txdtool/Utf8Text.h"

namespace tinplate {

namespace {

using tinplate::Finding;
using tinplate::Severity;

std::set<std::string_view> IgnoredRules(const std::vector<std::string>& names) {
    std::set<std::string_view> ignored;
    for (const std::string& name : names) {
        const tinplate::LintRule* known = tinplate::FindLintRule(name);
        if (known == nullptr) {
            std::string all;
            for (const tinplate::LintRule& rule : tinplate::LintRules()) {
                all += (all.empty() ? "" : ", ") + std::string(rule.name);
            }
            throw UsageError("--ignore: no rule is named '" + name + "'; the rules are: " + all);
        }
        ignored.insert(known->name);
    }
    return ignored;
}

// FILE: TEXTURE: severity: message [rule], TEXTURE being "#N" for a texture without a name and
// left out for findings about the file as a whole.
void WriteFindingLine(std::ostream& out, const std::string& file, const Finding& finding) {
    out << PrintableText(file) << ": ";
    if (finding.texture && finding.textureName.empty()) {
        out << '#' << *finding.texture << ": ";
    } else if (finding.texture) {
        out << PrintableText(finding.textureName) << ": ";
    }
    out << SeverityWord(finding.severity) << ": " << PrintableText(finding.message) << " ["
        << finding.rule << "]\n";
}

nlohmann::json JsonFinding(const Finding& finding) {
    nlohmann::json values = nlohmann::json::object();
    for (const tinplate::FindingValue& value : finding.values) {
        values[value.key] = value.value;
    }
    const bool named = finding.texture && IsValidUtf8(finding.textureName);
    return {
        {"index", finding.texture ? nlohmann::json(*finding.texture) : nullptr},
        {"name", named ? nlohmann::json(finding.textureName) : nullptr},
        {"name_hex", finding.texture ? nlohmann::json(HexOf(finding.textureName)) : nullptr},
        {"rule", finding.rule},
        {"severity", tinplate::SeverityWord(finding.severity)},
        {"message", finding.message},
        {"values", std::move(values)},
    };
}

}  // namespace

int RunLint(const CommandArguments& arguments) {
    const std::set<std::string_view> ignored = IgnoredRules(arguments.ignoredRules);
    const GameTarget* target = arguments.target ? &ParseGameTarget(*arguments.target) : nullptr;
    int status = 0;
    nlohmann::json files = nlohmann::json::array();
    for (const std::string& file : DictionaryOperands(arguments.operands, status)) {
        std::vector<Finding> findings;
        try {
            DictionaryFile dictionary(file);
            findings = tinplate::LintDictionary(dictionary.bytes(), dictionary.textures(), target);
        } catch (const FileError& error) {
            ReportError(error);
            files.push_back({{"file", file}, {"error", error.reason()}});
            status = 1;
            continue;
        }
        std::erase_if(findings, [&](const Finding& f) { return ignored.contains(f.rule); });
        const bool fails = std::any_of(findings.begin(), findings.end(), [&](const Finding& f) {
            return f.severity == Severity::Error ||
                   (arguments.strict && f.severity == Severity::Warning);
        });
        status = fails ? 1 : status;
        nlohmann::json listed = nlohmann::json::array();
        for (const Finding& finding : findings) {
            if (arguments.json) {
                listed.push_back(JsonFinding(finding));
            } else {
                WriteFindingLine(std::cout, file, finding);
            }
        }
        files.push_back({{"file", file}, {"findings", std::move(listed)}});
    }
    if (arguments.json) {
        WriteJsonDocument(std::cout, std::move(files));
    }
    return status;
}

}  // namespace tinplate
