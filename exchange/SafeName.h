// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

// Texture names come from the dictionary file and so from anyone. Export and import make
// files named after the texture in the current directory; only a bare file name keeps them
// there.
// Why `name` is no safe file name (empty, "." or "..", a folder separator or a control
// character); empty when it is one.
std::optional<std::string> WhyUnsafe(const std::string& name);

bool IsSafeFileName(const std::string& name);

// Throws a FileError (name shown printable, reason) unless IsSafeFileName(name).
void RequireSafeTextureName(const std::string& name);
