// SPDX-License-Identifier: GPL-3.0-or-later
// Converting between the PS2 dictionaries and their platform-8 twins.
#include <gtest/gtest.h>
