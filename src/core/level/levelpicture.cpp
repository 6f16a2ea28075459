// Decoding the built-in level PNG. The bytes come from a file generated at build time from
// assets/level.png; nothing is read from disk while the game runs.
#include "level/levelpicture.hpp"

#include <cstdlib>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace wh::embedded {
extern const unsigned char kLevelPng[];
extern const std::size_t kLevelPngSize;
} // namespace wh::embedded

namespace wh {

namespace {

std::vector<Colour> decode() {
    int w = 0;
    int h = 0;
    int channels = 0;
    unsigned char* rgb = stbi_load_from_memory(
        embedded::kLevelPng, static_cast<int>(embedded::kLevelPngSize), &w, &h, &channels, 3);
    // The picture is part of the program: if it does not decode, the build is broken.
    if (rgb == nullptr || w != kLevelPixelsW || h != kLevelPixelsH) {
        std::abort();
    }
    std::vector<Colour> pixels(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = RGB(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
    }
    stbi_image_free(rgb);
    return pixels;
}

} // namespace

const std::vector<Colour>& levelPicture() {
    static const std::vector<Colour> picture = decode();
    return picture;
}

Backdrop levelBackdrop() {
    return {levelPicture().data(), kLevelPixelsW, kLevelPixelsH};
}

std::span<const unsigned char> levelPngBytes() {
    return {embedded::kLevelPng, embedded::kLevelPngSize};
}

} // namespace wh
