// Pictures of what was painted, as PNG files a person can open: a window's snapshot, a
// bitmap, any image. Written opaque (8-bit RGB), whatever the pixels' alpha bytes hold.
#pragma once

#include <string>

#include "platform/gdi/image.h"

namespace gdi {

// Writes the image to the file, replacing it; std::runtime_error naming the file and the
// reason when it cannot (an empty image, a folder that does not exist ...).
void WritePng(const Image& image, const std::string& path);
void WritePng(HBITMAP bitmap, const std::string& path);

// Reads a PNG file back as an opaque image; std::runtime_error naming the file otherwise.
Image ReadPng(const std::string& path);

}  // namespace gdi
