// SPDX-License-Identifier: GPL-3.0-or-later
#include "TinyJson.h"

#include <stdexcept>

namespace {

struct Parser {
    std::string_view in;
    std::size_t at = 0;

    char Next() {
        while (at < in.size() && (in[at] == ' ' || in[at] == '\n')) {
            ++at;
        }
        return at < in.size() ? in[at] : '\0';
    }
    void Expect(char c) {
        if (Next() != c) {
            throw std::runtime_error("expected " + std::string(1, c) + " at " + std::to_string(at));
        }
        ++at;
    }
    std::string String() {
        Expect('"');
        std::string text;
        while (at < in.size() && in[at] != '"') {
            const auto c = static_cast<unsigned char>(in[at++]);
            if (c < 0x20) {
                throw std::runtime_error("raw control character in a string");
            }
            if (c != '\\') {
                text += static_cast<char>(c);
            } else if (in.at(at) == 'u') {
                const unsigned code = std::stoul(std::string(in.substr(at + 1, 4)), nullptr, 16);
                at += 5;
                if (code < 0x80) {
                    text += static_cast<char>(code);
                } else {  // the escaper only writes \u00XX, two UTF-8 bytes
                    text += static_cast<char>(0xC0 | (code >> 6));
                    text += static_cast<char>(0x80 | (code & 0x3F));
                }
            } else {
                text += in.at(at++);
            }
        }
        Expect('"');
        return text;
    }
    JsonValue Value() {
        JsonValue value;
        const char c = Next();
        if (c == '"') {
            value.text = String();
        } else if (c == '[' || c == '{') {
            ++at;
            const char close = c == '[' ? ']' : '}';
            while (Next() != close) {
                if (!value.items.empty()) {
                    Expect(',');
                }
                if (c == '{') {
                    value.keys.push_back(String());
                    Expect(':');
                }
                value.items.push_back(Value());
            }
            ++at;
        } else {
            while (at < in.size() && in[at] >= '0' && in[at] <= '9') {
                value.text += in[at++];
            }
            if (value.text.empty()) {
                throw std::runtime_error("unexpected text at " + std::to_string(at));
            }
        }
        return value;
    }
};

}  // namespace

const JsonValue& JsonValue::operator[](std::string_view key) const {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) {
            return items.at(i);
        }
    }
    throw std::out_of_range("no key " + std::string(key));
}

JsonValue ParseJson(std::string_view json) {
    Parser parser{json};
    JsonValue value = parser.Value();
    if (parser.Next() != '\0') {
        throw std::runtime_error("text after the value");
    }
    return value;
}
