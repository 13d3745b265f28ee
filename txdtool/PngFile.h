// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "AtomicFile.h"
#include "BitmapImage.h"
#include "RgbaImage.h"

// Writes the picture as an 8-bit RGB PNG: the editor shows its pictures opaque. A FileError
// names `path`; "-" is standard output.
void WritePng(const std::string& path, const Image& image);

// The same for a picture with alpha, written as an 8-bit RGBA PNG, without waiting for the disk
// when `durability` says the picture can be made again.
void WritePng(const std::string& path, const RgbaImage& image,
              Durability durability = Durability::Flushed);
