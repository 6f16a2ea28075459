// Indexed PNG encoding: the chunks are laid out here by hand, because stb's writer only knows
// true-colour images; stb only lends its deflate.
#include "pngwrite.hpp"

#include <cstdio>
#include <cstdlib>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace levelgen {

namespace {

constexpr int kZlibQuality = 8;

uint32_t crc32(const unsigned char* data, size_t len) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1u) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xffffffffu;
    for (size_t i = 0; i < len; ++i) {
        c = table[(c ^ data[i]) & 0xffu] ^ (c >> 8);
    }
    return c ^ 0xffffffffu;
}

void putBigEndian(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(static_cast<unsigned char>(v >> 24));
    out.push_back(static_cast<unsigned char>(v >> 16));
    out.push_back(static_cast<unsigned char>(v >> 8));
    out.push_back(static_cast<unsigned char>(v));
}

// Length, type, data, and the CRC over type and data.
void putChunk(std::vector<unsigned char>& out, const char type[5],
              const std::vector<unsigned char>& data) {
    putBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, crc32(out.data() + start, out.size() - start));
}

} // namespace

std::vector<unsigned char> encodeIndexedPng(const std::vector<uint8_t>& pixels, int width,
                                            int height, const std::array<Rgb, 256>& palette) {
    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

    std::vector<unsigned char> header;
    putBigEndian(header, static_cast<uint32_t>(width));
    putBigEndian(header, static_cast<uint32_t>(height));
    header.push_back(8); // bits per index
    header.push_back(3); // colour type: palette
    header.push_back(0); // deflate
    header.push_back(0); // adaptive filtering
    header.push_back(0); // not interlaced
    putChunk(out, "IHDR", header);

    std::vector<unsigned char> plte;
    for (const Rgb& c : palette) {
        plte.push_back(c.r);
        plte.push_back(c.g);
        plte.push_back(c.b);
    }
    putChunk(out, "PLTE", plte);

    // Each row with filter type 0: indices do not predict each other, so filters would not help.
    std::vector<unsigned char> raw;
    raw.reserve(static_cast<size_t>(width + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y) * width;
        raw.insert(raw.end(), row, row + width);
    }
    int packedLen = 0;
    unsigned char* packed =
        stbi_zlib_compress(raw.data(), static_cast<int>(raw.size()), &packedLen, kZlibQuality);
    if (packed == nullptr) {
        return {};
    }
    putChunk(out, "IDAT", std::vector<unsigned char>(packed, packed + packedLen));
    std::free(packed);

    putChunk(out, "IEND", {});
    return out;
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace levelgen
