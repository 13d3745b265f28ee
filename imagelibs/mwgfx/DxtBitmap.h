// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "DdsFormat.h"

// Writes the picture as a 32-bit bitmap, the file EncodeBitmap makes of ParseDds's picture,
// decoding a band of rows at a time as the file takes them. False on any failure.
bool WriteDxtAsBitmap(const std::string& path, const DxtImage& image);
