// SPDX-License-Identifier: GPL-3.0-or-later
// The folder panel's name search: each keystroke's answer, narrowed or not, is a fresh search's.
#include <gtest/gtest.h>

#include "scan/NameSearch.h"

namespace tinplate {

TEST(NameSearchTest, EveryKeystrokeFindsWhatAFreshSearchFinds) {
    const std::vector<std::string> names = {"Bullethole", "bullet_hole", "wall_HOLE", "",
                                            "hole",       "lampPost",    "bull"};
    NameSearch typed;
    for (const std::string& name : names) {
        typed.Add(name);
    }
    struct Keystroke {
        const char* text;
        std::vector<std::uint32_t> expected;
    };
    // Typed in this order: narrowing, widening after a deletion, starting again.
    for (const Keystroke& k : std::vector<Keystroke>{{"b", {0, 1, 6}},
                                                     {"bu", {0, 1, 6}},
                                                     {"bul", {0, 1, 6}},
                                                     {"bull", {0, 1, 6}},
                                                     {"bulle", {0, 1}},
                                                     {"BULLETH", {0}},
                                                     {"hole", {0, 1, 2, 4}},
                                                     {"ole", {0, 1, 2, 4}},
                                                     {"", {0, 1, 2, 3, 4, 5, 6}},
                                                     {"lep", {}},
                                                     {"t", {0, 1, 5}},
                                                     {"t_", {1}}}) {
        NameSearch fresh;
        for (const std::string& name : names) {
            fresh.Add(name);
        }
        EXPECT_EQ(typed.Find(k.text), k.expected) << k.text;
        EXPECT_EQ(fresh.Find(k.text), k.expected) << k.text;
    }
}

}  // namespace tinplate
