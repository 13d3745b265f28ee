// SPDX-License-Identifier: GPL-3.0-or-later
#include "TxdtoolTest.h"

namespace {

// Just enough JSON to read `list --json` back: objects, arrays, strings (\u00XX decoded to
// UTF-8) and integers; anything else throws.
struct Json {
    std::string text;  // a string, or the digits of a number
    std::vector<std::string> keys;
    std::vector<Json> items;  // array elements, or object values in the order of `keys`
    const Json& operator[](std::size_t i) const { return items.at(i); }
    const Json& operator[](const std::string& key) const {
        return items.at(std::find(keys.begin(), keys.end(), key) - keys.begin());
    }
};

char Next(std::string_view in, std::size_t& at) {
    while (at < in.size() && (in[at] == ' ' || in[at] == '\n')) {
        ++at;
    }
    return in.at(at);
}

void Expect(std::string_view in, std::size_t& at, char c) {
    if (Next(in, at) != c) {
        throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(at));
    }
    ++at;
}

std::string String(std::string_view in, std::size_t& at) {
    Expect(in, at, '"');
    std::string text;
    for (char c; (c = in.at(at++)) != '"';) {
        if (static_cast<unsigned char>(c) < 0x20) {
            throw std::runtime_error("raw control character");
        }
        if (c == '\\' && in.at(at) == 'u') {
            const auto code = std::stoul(std::string(in.substr(at + 1, 4)), nullptr, 16);
            at += 5;
            text += code < 0x80 ? std::string(1, static_cast<char>(code))
                                : std::string{static_cast<char>(0xC0 | (code >> 6)),
                                              static_cast<char>(0x80 | (code & 0x3F))};
        } else {
            text += c == '\\' ? in.at(at++) : c;
        }
    }
    return text;
}

Json Value(std::string_view in, std::size_t& at) {
    Json value;
    const char open = Next(in, at);
    if (open == '"') {
        value.text = String(in, at);
    } else if (open == '[' || open == '{') {
        for (++at; Next(in, at) != (open == '[' ? ']' : '}');) {
            if (!value.items.empty()) {
                Expect(in, at, ',');
            }
            if (open == '{') {
                value.keys.push_back(String(in, at));
                Expect(in, at, ':');
            }
            value.items.push_back(Value(in, at));
        }
        ++at;
    } else {
        for (; std::isdigit(static_cast<unsigned char>(in.at(at))); ++at) {
            value.text += in[at];
        }
        if (value.text.empty()) {
            throw std::runtime_error("unexpected text at " + std::to_string(at));
        }
    }
    return value;
}

Json ParseJson(std::string_view in) {
    std::size_t at = 0;
    Json value = Value(in, at);
    EXPECT_EQ(in.substr(at), "\n");
    return value;
}

}  // namespace

TEST_F(TxdtoolTest, ListPrintsTheWindowsFieldTexts) {
    WriteSample();
    CopyFixtureHere("pal4.txd");
    const ToolRun one = RunTxdtool({"list", "sample.txd"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out.substr(0, one.out.find('\n')),
              "Index\tName\tWidth\tHeight\tBpp\tComp.\tMipMaps\tAlpha\tAlpha Flags\tFilter Flags");
    EXPECT_NE(one.out.find("\n2\todd_pal8_6x5\t6\t5\t8\tSwiz\t0\tNo\t9472\t4353\n"),
              std::string::npos);
    EXPECT_NE(one.out.find("\n7\tdxt5_32\t32\t32\t16\tDXT5\t0\tYes\t768\t4353\n"),
              std::string::npos);

    const ToolRun two = RunTxdtool({"list", "sample.txd", "pal4.txd"});
    EXPECT_EQ(two.out.rfind("sample.txd:\nIndex\t", 0), 0u);
    EXPECT_NE(two.out.find("\npal4.txd:\nIndex\t"), std::string::npos);
    EXPECT_NE(two.out.find("\n1\tpal32_16x8_rgb\t16\t8\t8\tSwiz\t0\tNo\t17920\t13058\n"),
              std::string::npos);
}

TEST_F(TxdtoolTest, ListJsonReadsBackEvenWithHostileNames) {
    const std::string hostile = "q\"b\\\x01\t\xff\xc3";
    Write("odd.txd", {MakePatternTexture(hostile, 4, 4, 8, 0, 1, 0x2500),
                      MakePatternTexture("caf\xc3\xa9", 8, 4, 32, 0, 1, 0x0500)});
    const ToolRun run = RunTxdtool({"list", "--json", "odd.txd", "gone.txd"});
    EXPECT_EQ(run.status, 1);
    const Json files = ParseJson(run.out);
    ASSERT_EQ(files.items.size(), 1u);
    EXPECT_EQ(files[0]["file"].text, "odd.txd");
    const Json& textures = files[0]["textures"];
    EXPECT_EQ(textures[0]["name"].text, "q\"b\\\x01\t\xc3\xbf\xc3\x83");  // bytes as U+00XX
    EXPECT_EQ(textures[1]["index"].text, "1");
    EXPECT_EQ(textures[1]["name"].text, "caf\xc3\xa9");
    EXPECT_EQ(textures[1]["bpp"].text, "32");
    EXPECT_EQ(textures[1]["alpha"].text, "No");
    // Nor can a name split a line or a field of the text form.
    const ToolRun text = RunTxdtool({"list", "odd.txd"});
    EXPECT_NE(text.out.find("\n0\tq\"b\\\\x01\\x09\xff\xc3\t4\t4\t"), std::string::npos);
}

TEST_F(TxdtoolTest, CheckTellsWhatIsWrongWithEachFile) {
    auto bytes = WriteSample();
    bytes.resize(bytes.size() - 100);
    WriteBytes("cut.txd", bytes);
    std::vector<std::string> arguments = {"check", "sample.txd", "cut.txd", "gone.txd"};
    for (const char* fixture : {"dxt.txd", "empty.txd", "mixed.txd", "pal4.txd", "pal4_mips.txd",
                                "pal8_mips.txd", "rgba32.txd"}) {
        arguments.push_back(FixturePath(fixture));
    }
    const ToolRun run = RunTxdtool(arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.rfind("sample.txd: ok\ncut.txd: the file is truncated", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\ngone.txd: No such file or directory\n"), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 10);
    EXPECT_EQ(RunTxdtool({"check", "sample.txd", FixturePath("mixed.txd")}).status, 0);
}
