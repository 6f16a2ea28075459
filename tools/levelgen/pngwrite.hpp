// Writing the level as an 8-bit indexed PNG, so any paint program opens it with its palette.
#pragma once

#include "canvas.hpp"

#include <string>
#include <vector>

namespace levelgen {

// The complete file: signature, header, palette, compressed rows, end. Same input, same bytes.
std::vector<unsigned char> encodeIndexedPng(const std::vector<uint8_t>& pixels, int width,
                                            int height, const std::array<Rgb, 256>& palette);

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes);

} // namespace levelgen
