// SPDX-License-Identifier: GPL-3.0-or-later
// The refusal of a restructuring edit, with its reason.
#pragma once

#include <stdexcept>

namespace tinplate {

// A restructuring edit that cannot be done, with the reason; the dictionary is as it was.
class EditRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The edit would make a texture its platform cannot hold (the check's error): done only when
// the user insists (PictureImportOptions::beyondPlatform).
class PlatformCannotHold : public EditRefused {
public:
    using EditRefused::EditRefused;
};

}  // namespace tinplate
