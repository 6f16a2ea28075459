// Writing colour values (r + 256 g + 65536 b) as an RGB PNG file.
#pragma once

#include "app/colour.hpp"

#include <string>

namespace wh::sim {

// False when the file cannot be written.
bool writePng(const std::string& path, const Colour* pixels, int width, int height);

} // namespace wh::sim
