// PNG files in memory through libpng: the game's colour values and indexed pictures in, with
// private chunks beside them; untrusted files out as colour values and their private chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wh::png {

// r + 256 g + 65536 b, the same type as the game's Colour; the top byte is ignored on the way in.
using Colour = std::int32_t;

// A private ancillary chunk: four ASCII letters, the first two lower case (ancillary, private),
// the third upper case (as the format reserves), e.g. "whSv"; and its bytes, as many as wanted.
struct Chunk {
    std::string type;
    std::vector<uint8_t> data;

    bool operator==(const Chunk&) const = default;
};

// A whole file, or why there is none.
struct Encoded {
    std::vector<uint8_t> bytes; // signature to IEND; empty when not encoded
    std::string error;          // empty when encoded
};

// True colour, 8 bits a channel, no alpha. `pixels` row by row from the top-left, exactly
// width x height of them. The chunks go between the header and the pixels, in the order given.
Encoded encodeRgb(std::span<const Colour> pixels, int width, int height,
                  std::span<const Chunk> chunks = {});

// 8-bit indices into `palette` (1 to 256 entries, each a colour value), one index a pixel, row
// by row; an index past the palette's end is refused. Chunks as for encodeRgb.
Encoded encodeIndexed(std::span<const uint8_t> indices, int width, int height,
                      std::span<const Colour> palette, std::span<const Chunk> chunks = {});

// What a decoder accepts before it allocates anything for the pixels.
struct Limits {
    int maxWidth = 16384;
    int maxHeight = 16384;
    int64_t maxPixels = int64_t{1} << 24; // 64 MB of colour values
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels; // row by row from the top-left
    std::vector<Chunk> chunks;  // the private ancillary chunks, in file order
};

// A picture, or why there is none.
struct Decoded {
    Picture picture;
    std::string error; // empty when decoded
};

// Any PNG libpng reads (any colour type and depth, interlaced or not) as 8-bit colour values:
// palettes and grey are expanded, 16 bits drop their low byte, alpha is dropped, gamma is left
// alone. The bytes are untrusted: a bad CRC anywhere, a truncated or malformed stream, an
// unknown critical chunk or a picture past `limits` gives an error and no picture.
Decoded decode(std::span<const uint8_t> bytes, const Limits& limits = {});

// Writes `bytes` to `path`, replacing the file; false when it cannot be written in full.
bool writeFile(const std::string& path, std::span<const uint8_t> bytes);

} // namespace wh::png
