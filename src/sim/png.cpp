// Writing colour values as an RGB PNG file, through the game's PNG library.
#include "png.hpp"

#include "png/png.hpp"

#include <cstddef>

namespace wh::sim {

bool writePng(const std::string& path, const Colour* pixels, int width, int height) {
    if (width < 1 || height < 1) {
        return false;
    }
    const png::Encoded e = png::encodeRgb(
        {pixels, static_cast<size_t>(width) * static_cast<size_t>(height)}, width, height);
    return e.error.empty() && png::writeFile(path, e.bytes);
}

} // namespace wh::sim
