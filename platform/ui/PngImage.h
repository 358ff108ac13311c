// A tiny PNG writer for the rendered toolbar: 8-bit RGBA, no filtering, and
// zlib "stored" (uncompressed) blocks, which every PNG reader accepts. Images
// are toolbar-sized, so size does not matter; having no compressor keeps the
// stand-in free of a zlib dependency.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/resources/Bitmap.h"

namespace platform::ui {

// `transparent`, when given, has one entry per pixel; those pixels get
// alpha 0, all others alpha 255.
std::string EncodePng(const platform::Bitmap& bitmap,
                      const std::vector<bool>* transparent = nullptr);

std::string Base64Encode(std::string_view bytes);

}  // namespace platform::ui
