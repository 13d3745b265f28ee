// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing txdtool's options and operands.
#include "txdtool/CommandLine.h"

#include <getopt.h>

#include <algorithm>
#include <string_view>

namespace tinplate {

namespace {

enum LongOnly : int {
    kJson = 256,
    kFormat,
    kNoDither,
    kFast,
    kLinear,
    kSwizzled,
    kStrict,
    kIgnore,
    kGame,
    kForce,
    kArchiveVersion,
    kMatchMasks,
    kPictures
};
enum TargetLongOnly : int {
    kFilter = kPictures + 1,
    kU,
    kV,
    kMaskName,
    kTarget,
    kPlatform,
    kVersion
};

struct OptionSpec {
    unsigned flag;  // kNoOptions: every command takes it
    option longOption;
    const char* shortOption;  // for the short options string, "" when there is none
};

const OptionSpec kOptions[] = {
    {kNoOptions, {"help", no_argument, nullptr, 'h'}, "h"},
    {kNoOptions, {"quiet", no_argument, nullptr, 'q'}, "q"},
    {kNoOptions, {"verbose", no_argument, nullptr, 'v'}, "v"},
    {kJsonOption, {"json", optional_argument, nullptr, kJson}, ""},
    {kDirectoryOption, {"directory", required_argument, nullptr, 'C'}, "C:"},
    {kNameOption, {"name", required_argument, nullptr, 'n'}, "n:"},
    {kAllOption, {"all", no_argument, nullptr, 'a'}, "a"},
    {kOutputOption, {"output", required_argument, nullptr, 'o'}, "o:"},
    {kFormatOption, {"format", required_argument, nullptr, kFormat}, ""},
    {kPictureOptions, {"no-dither", no_argument, nullptr, kNoDither}, ""},
    {kPictureOptions, {"fast", no_argument, nullptr, kFast}, ""},
    {kLintOptions, {"strict", no_argument, nullptr, kStrict}, ""},
    {kLintOptions, {"ignore", required_argument, nullptr, kIgnore}, ""},
    {kSizeOption, {"size", required_argument, nullptr, 's'}, "s:"},
    {kLinearOption, {"linear", no_argument, nullptr, kLinear}, ""},
    {kLinearOption, {"swizzled", no_argument, nullptr, kSwizzled}, ""},
    {kGameOption, {"game", no_argument, nullptr, kGame}, ""},
    {kForceOption, {"force", no_argument, nullptr, kForce}, ""},
    {kFindOptions, {"ignore-case", no_argument, nullptr, 'i'}, "i"},
    {kFindOptions, {"mask", no_argument, nullptr, kMatchMasks}, ""},
    {kPicturesOption, {"pictures", no_argument, nullptr, kPictures}, ""},
    {kArchiveVersionOption, {"version", required_argument, nullptr, kArchiveVersion}, ""},
    {kSetOptions, {"filter", required_argument, nullptr, kFilter}, ""},
    {kSetOptions, {"u", required_argument, nullptr, kU}, ""},
    {kSetOptions, {"v", required_argument, nullptr, kV}, ""},
    {kSetOptions, {"mask", required_argument, nullptr, kMaskName}, ""},
    {kTargetOption, {"target", required_argument, nullptr, kTarget}, ""},
    {kLayoutOptions, {"platform", required_argument, nullptr, kPlatform}, ""},
    {kLayoutOptions, {"version", required_argument, nullptr, kVersion}, ""},
};

bool ParseSwitch(const char* value, const std::string& option) {
    if (value == nullptr) {
        return true;
    }
    const std::string word = value;
    if (word == "yes" || word == "true" || word == "1") {
        return true;
    }
    if (word == "no" || word == "false" || word == "0") {
        return false;
    }
    throw UsageError("option --" + option + " takes yes or no, not '" + word + "'");
}

// The option getopt stopped at, as the user typed it: a long option by its long name (getopt
// reports the long-only ones by an internal number), a short one by its letter.
std::string OffendingOption(const std::vector<char*>& argv, int index, int shortOption) {
    const std::string word = index > 0 && index < static_cast<int>(argv.size())
                                 ? argv[static_cast<std::size_t>(index) - 1]
                                 : "";
    if (word.starts_with("--")) {
        return word.substr(0, word.find('='));
    }
    if (shortOption > ' ' && shortOption < 0x7F) {
        return std::string("-") + static_cast<char>(shortOption);
    }
    return word;
}

}  // namespace

CommandArguments ParseCommandArguments(std::span<const std::string> words, unsigned accepted) {
    std::string shortOptions = ":";  // a missing value is reported as ':'
    std::vector<option> longOptions;
    for (const OptionSpec& entry : kOptions) {
        if (entry.flag == kNoOptions || (accepted & entry.flag) != 0) {
            shortOptions += entry.shortOption;
            longOptions.push_back(entry.longOption);
        }
    }
    longOptions.push_back({});

    std::vector<std::string> copies(words.begin(), words.end());
    std::vector<char*> argv{const_cast<char*>("txdtool")};
    for (std::string& word : copies) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(argv.size()) - 1;

    CommandArguments arguments;
    ::opterr = 0;
    ::optind = 0;  // 0 starts GNU getopt afresh
    for (int c; (c = ::getopt_long(argc, argv.data(), shortOptions.c_str(), longOptions.data(),
                                   nullptr)) != -1;) {
        switch (c) {
            case 'h':
                arguments.help = true;
                break;
            case 'q':
                arguments.verbosity = Verbosity::Quiet;
                break;
            case 'v':
                arguments.verbosity = Verbosity::Verbose;
                break;
            case kJson:
                arguments.json = ParseSwitch(::optarg, "json");
                break;
            case 'C':
                arguments.directory = ::optarg;
                break;
            case 'n':
                arguments.names.emplace_back(::optarg);
                break;
            case 'a':
                arguments.all = true;
                break;
            case 'o':
                arguments.output = ::optarg;
                break;
            case kFormat:
                arguments.format = ::optarg;
                break;
            case kNoDither:
                arguments.noDither = true;
                break;
            case kFast:
                arguments.fastDxt = true;
                break;
            case kStrict:
                arguments.strict = true;
                break;
            case kIgnore:
                if (*::optarg == '\0') {
                    throw UsageError("--ignore needs the names of rules, separated by commas");
                }
                for (std::string_view rest = ::optarg; !rest.empty();) {
                    const std::size_t comma = std::min(rest.find(','), rest.size());
                    arguments.ignoredRules.emplace_back(rest.substr(0, comma));
                    rest.remove_prefix(std::min(comma + 1, rest.size()));
                }
                break;
            case 's':
                arguments.size = ::optarg;
                break;
            case kLinear:
            case kSwizzled:
                arguments.order = c == kLinear ? TexelOrder::kLinear : TexelOrder::kSwizzled;
                break;
            case kGame:
                arguments.game = true;
                break;
            case kForce:
                arguments.force = true;
                break;
            case 'i':
                arguments.ignoreCase = true;
                break;
            case kMatchMasks:
                arguments.masks = true;
                break;
            case kPictures:
                arguments.pictures = true;
                break;
            case kArchiveVersion:
                arguments.archiveVersion = ::optarg;
                break;
            case kFilter:
                arguments.filter = ::optarg;
                break;
            case kU:
                arguments.u = ::optarg;
                break;
            case kV:
                arguments.v = ::optarg;
                break;
            case kMaskName:
                arguments.mask = ::optarg;
                break;
            case kTarget:
                arguments.target = ::optarg;
                break;
            case kPlatform:
                arguments.platform = ::optarg;
                break;
            case kVersion:
                arguments.version = ::optarg;
                break;
            case ':':
                throw UsageError("option " + OffendingOption(argv, ::optind, ::optopt) +
                                 " needs a value");
            default:
                throw UsageError("unknown option " + OffendingOption(argv, ::optind, ::optopt));
        }
    }
    arguments.operands.assign(argv.begin() + ::optind, argv.end() - 1);
    return arguments;
}

}  // namespace tinplate
