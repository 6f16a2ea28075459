// The only user of stb's image writer; its implementation is compiled here and nowhere else.
#include "png.hpp"

#include <cstdint>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

namespace wh::sim {

namespace {
constexpr int kChannels = 3;
} // namespace

bool writePng(const std::string& path, const Colour* pixels, int width, int height) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * kChannels);
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        const auto c = static_cast<uint32_t>(pixels[i]);
        rgb[i * kChannels + 0] = static_cast<uint8_t>(c & 0xFFu);
        rgb[i * kChannels + 1] = static_cast<uint8_t>((c >> 8) & 0xFFu);
        rgb[i * kChannels + 2] = static_cast<uint8_t>((c >> 16) & 0xFFu);
    }
    return stbi_write_png(path.c_str(), width, height, kChannels, rgb.data(), width * kChannels) !=
           0;
}

} // namespace wh::sim
