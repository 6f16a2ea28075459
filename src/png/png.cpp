// The libpng calls behind png.hpp. libpng reports an error by a longjmp back to the last setjmp;
// every setjmp here sits in a small function that holds nothing with a destructor, and the
// callbacks hold none either when they raise an error, so a jump never skips C++ clean-up.
#include "png/png.hpp"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

namespace wh::png {

namespace {

constexpr size_t kMessageSize = 200;
constexpr int kChannels = 3;
constexpr int kBitDepth = 8;
constexpr png_byte kCaseBit = 0x20; // set in a lower-case ASCII letter

// What libpng's callbacks reach through its pointers; plain data only, see the file's comment.
struct Channel {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const uint8_t* in = nullptr; // reading: the whole file, and how far libpng has read
    size_t inSize = 0;
    size_t at = 0;
    std::vector<uint8_t>* out = nullptr; // writing: the file so far
    char message[kMessageSize] = {};
};

[[noreturn]] void onError(png_structp png, png_const_charp message) {
    auto* c = static_cast<Channel*>(png_get_error_ptr(png));
    std::snprintf(c->message, sizeof c->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings are things libpng could read past (a bad gamma, a damaged text chunk); the picture
// still decodes, and a library has no business printing them.
void onWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep data, size_t length) {
    auto* c = static_cast<Channel*>(png_get_io_ptr(png));
    if (length > c->inSize - c->at) {
        png_error(png, "the file ends early");
    }
    std::memcpy(data, c->in + c->at, length);
    c->at += length;
}

void writeBytes(png_structp png, png_bytep data, size_t length) {
    auto* c = static_cast<Channel*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        c->out->insert(c->out->end(), data, data + length);
    } catch (...) {
        stored = false;
    }
    if (!stored) {
        png_error(png, "out of memory");
    }
}

void flushNothing(png_structp) {}

bool isUpper(char ch) {
    return ch >= 'A' && ch <= 'Z';
}

bool isLower(char ch) {
    return ch >= 'a' && ch <= 'z';
}

// Four letters: ancillary and private (the first two lower case), the reserved bit clear (the
// third upper case), either case for the last (safe or unsafe to copy).
bool isPrivateType(const std::string& t) {
    return t.size() == 4 && isLower(t[0]) && isLower(t[1]) && isUpper(t[2]) &&
           (isLower(t[3]) || isUpper(t[3]));
}

struct WriteStruct {
    Channel c;
    ~WriteStruct() { png_destroy_write_struct(&c.png, &c.info); }
};

// Everything one file needs, as plain pointers into the caller's storage.
struct Layout {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    const png_color* palette = nullptr;
    int paletteSize = 0;
    png_unknown_chunk* chunks = nullptr;
    int chunkCount = 0;
    png_bytepp rows = nullptr;
};

bool writeAll(Channel& c, const Layout& l) {
    if (setjmp(png_jmpbuf(c.png)) != 0) {
        return false;
    }
    png_set_IHDR(c.png, c.info, l.width, l.height, kBitDepth, l.colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (l.palette != nullptr) {
        png_set_PLTE(c.png, c.info, l.palette, l.paletteSize);
    }
    if (l.chunkCount > 0) {
        // Without this libpng would drop a chunk whose type says it is unsafe to copy.
        png_set_keep_unknown_chunks(c.png, PNG_HANDLE_CHUNK_ALWAYS, nullptr, 0);
        png_set_unknown_chunks(c.png, c.info, l.chunks, l.chunkCount);
    }
    png_write_info(c.png, c.info);
    png_write_image(c.png, l.rows);
    png_write_end(c.png, nullptr);
    return true;
}

Encoded failed(std::string why) {
    Encoded e;
    e.error = std::move(why);
    return e;
}

std::string checkShape(size_t given, int width, int height) {
    if (width < 1 || height < 1 || width > static_cast<int>(PNG_USER_WIDTH_MAX) ||
        height > static_cast<int>(PNG_USER_HEIGHT_MAX)) {
        return "a picture of " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels cannot be written";
    }
    if (given != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return "the picture is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels but " + std::to_string(given) + " were given";
    }
    return {};
}

// Shared by both encoders: the chunks checked and laid out, then the rows written.
Encoded encode(Layout l, std::span<const Chunk> chunks) {
    std::vector<png_unknown_chunk> unknown;
    for (const Chunk& ch : chunks) {
        if (!isPrivateType(ch.type)) {
            return failed("'" + ch.type + "' is not a private ancillary chunk type");
        }
        if (ch.data.size() > PNG_UINT_31_MAX) {
            return failed("chunk '" + ch.type + "' is too large for a PNG");
        }
        png_unknown_chunk u{};
        std::memcpy(u.name, ch.type.c_str(), 5);
        u.data = const_cast<png_byte*>(ch.data.data()); // libpng copies it, never writes it
        u.size = ch.data.size();
        u.location = PNG_HAVE_PLTE; // before the pixels: a reader finds it without inflating them
        unknown.push_back(u);
    }
    l.chunks = unknown.data();
    l.chunkCount = static_cast<int>(unknown.size());

    WriteStruct w;
    std::vector<uint8_t> bytes;
    w.c.out = &bytes;
    w.c.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &w.c, onError, onWarning);
    if (w.c.png == nullptr) {
        return failed("libpng cannot start");
    }
    w.c.info = png_create_info_struct(w.c.png);
    if (w.c.info == nullptr) {
        return failed("libpng cannot start");
    }
    png_set_write_fn(w.c.png, &w.c, writeBytes, flushNothing);
    if (!writeAll(w.c, l)) {
        return failed(w.c.message);
    }
    Encoded e;
    e.bytes = std::move(bytes);
    return e;
}

struct ReadStruct {
    Channel c;
    ~ReadStruct() { png_destroy_read_struct(&c.png, &c.info, nullptr); }
};

// The header and every chunk before the pixels; nothing sized by the picture is allocated yet.
bool readInfo(Channel& c) {
    if (setjmp(png_jmpbuf(c.png)) != 0) {
        return false;
    }
    png_read_info(c.png, c.info);
    return true;
}

// Any colour type and depth becomes 8-bit RGB rows.
void askForRgb8(png_structp png, png_infop info) {
    const png_byte type = png_get_color_type(png, info);
    if (png_get_bit_depth(png, info) == 16) {
        png_set_strip_16(png);
    }
    if (type == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if ((type & PNG_COLOR_MASK_COLOR) == 0) {
        png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    png_set_strip_alpha(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

bool readPixels(Channel& c, png_bytepp rows) {
    if (setjmp(png_jmpbuf(c.png)) != 0) {
        return false;
    }
    askForRgb8(c.png, c.info);
    if (png_get_channels(c.png, c.info) != kChannels ||
        png_get_bit_depth(c.png, c.info) != kBitDepth ||
        png_get_rowbytes(c.png, c.info) != size_t{kChannels} * png_get_image_width(c.png, c.info)) {
        png_error(c.png, "the picture's rows do not come out as 8-bit RGB");
    }
    png_read_image(c.png, rows);
    png_read_end(c.png, c.info);
    return true;
}

Decoded refused(std::string why) {
    Decoded d;
    d.error = std::move(why);
    return d;
}

} // namespace

Encoded encodeRgb(std::span<const Colour> pixels, int width, int height,
                  std::span<const Chunk> chunks) {
    if (std::string why = checkShape(pixels.size(), width, height); !why.empty()) {
        return failed(why);
    }
    std::vector<png_byte> rgb(pixels.size() * kChannels);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const auto c = static_cast<uint32_t>(pixels[i]);
        rgb[i * kChannels + 0] = static_cast<png_byte>(c & 0xFFu);
        rgb[i * kChannels + 1] = static_cast<png_byte>((c >> 8) & 0xFFu);
        rgb[i * kChannels + 2] = static_cast<png_byte>((c >> 16) & 0xFFu);
    }
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (size_t y = 0; y < rows.size(); ++y) {
        rows[y] = rgb.data() + y * static_cast<size_t>(width) * kChannels;
    }
    Layout l;
    l.width = static_cast<png_uint_32>(width);
    l.height = static_cast<png_uint_32>(height);
    l.colourType = PNG_COLOR_TYPE_RGB;
    l.rows = rows.data();
    return encode(l, chunks);
}

Encoded encodeIndexed(std::span<const uint8_t> indices, int width, int height,
                      std::span<const Colour> palette, std::span<const Chunk> chunks) {
    if (std::string why = checkShape(indices.size(), width, height); !why.empty()) {
        return failed(why);
    }
    if (palette.empty() || palette.size() > PNG_MAX_PALETTE_LENGTH) {
        return failed("a palette has 1 to 256 entries, not " + std::to_string(palette.size()));
    }
    for (size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] >= palette.size()) {
            return failed("pixel " + std::to_string(i) + " has index " +
                          std::to_string(indices[i]) + ", past the palette's " +
                          std::to_string(palette.size()) + " entries");
        }
    }
    std::vector<png_color> entries;
    for (Colour v : palette) {
        const auto c = static_cast<uint32_t>(v);
        entries.push_back({static_cast<png_byte>(c & 0xFFu),
                           static_cast<png_byte>((c >> 8) & 0xFFu),
                           static_cast<png_byte>((c >> 16) & 0xFFu)});
    }
    // libpng takes rows as writable pointers but only reads them.
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (size_t y = 0; y < rows.size(); ++y) {
        rows[y] = const_cast<png_bytep>(indices.data() + y * static_cast<size_t>(width));
    }
    Layout l;
    l.width = static_cast<png_uint_32>(width);
    l.height = static_cast<png_uint_32>(height);
    l.colourType = PNG_COLOR_TYPE_PALETTE;
    l.palette = entries.data();
    l.paletteSize = static_cast<int>(entries.size());
    l.rows = rows.data();
    return encode(l, chunks);
}

Decoded decode(std::span<const uint8_t> bytes, const Limits& limits) {
    if (bytes.empty()) {
        return refused("the file is empty");
    }
    ReadStruct r;
    r.c.in = bytes.data();
    r.c.inSize = bytes.size();
    r.c.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r.c, onError, onWarning);
    if (r.c.png == nullptr) {
        return refused("libpng cannot start");
    }
    r.c.info = png_create_info_struct(r.c.png);
    if (r.c.info == nullptr) {
        return refused("libpng cannot start");
    }
    png_set_read_fn(r.c.png, &r.c, readBytes);
    // A damaged chunk of any kind is an error, not something to read past.
    png_set_crc_action(r.c.png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    // Unknown ancillary chunks are kept (the private ones are returned); an unknown critical
    // chunk is an error.
    png_set_keep_unknown_chunks(r.c.png, PNG_HANDLE_CHUNK_IF_SAFE, nullptr, 0);
    // No chunk can hold more than the file does; the dimensions are checked below, with a
    // message that says so, instead of libpng's own limits.
    png_set_chunk_malloc_max(r.c.png, bytes.size());
    png_set_user_limits(r.c.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    if (!readInfo(r.c)) {
        return refused(r.c.message);
    }

    const png_uint_32 width = png_get_image_width(r.c.png, r.c.info);
    const png_uint_32 height = png_get_image_height(r.c.png, r.c.info);
    if (width > static_cast<png_uint_32>(limits.maxWidth) ||
        height > static_cast<png_uint_32>(limits.maxHeight) ||
        static_cast<int64_t>(width) * height > limits.maxPixels) {
        return refused("the picture is " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels, more than the " + std::to_string(limits.maxWidth) + " x " +
                       std::to_string(limits.maxHeight) + " (at most " +
                       std::to_string(limits.maxPixels) + " pixels) allowed");
    }
    const size_t rowBytes = size_t{kChannels} * width;
    std::vector<png_byte> rgb;
    std::vector<png_bytep> rows;
    Decoded d;
    try {
        rgb.resize(rowBytes * height);
        rows.resize(height);
        d.picture.pixels.resize(static_cast<size_t>(width) * height);
    } catch (const std::bad_alloc&) {
        return refused("out of memory for a picture of " + std::to_string(width) + " x " +
                       std::to_string(height) + " pixels");
    }
    for (size_t y = 0; y < rows.size(); ++y) {
        rows[y] = rgb.data() + y * rowBytes;
    }
    if (!readPixels(r.c, rows.data())) {
        return refused(r.c.message);
    }

    d.picture.width = static_cast<int>(width);
    d.picture.height = static_cast<int>(height);
    for (size_t i = 0; i < d.picture.pixels.size(); ++i) {
        d.picture.pixels[i] =
            rgb[i * kChannels] + 256 * rgb[i * kChannels + 1] + 65536 * rgb[i * kChannels + 2];
    }
    png_unknown_chunkp found = nullptr;
    const int count = png_get_unknown_chunks(r.c.png, r.c.info, &found);
    for (int i = 0; i < count; ++i) {
        const png_unknown_chunk& u = found[i];
        if ((u.name[1] & kCaseBit) == 0) {
            continue; // a public chunk this libpng does not know
        }
        Chunk ch;
        ch.type.assign(reinterpret_cast<const char*>(u.name), 4);
        if (u.size > 0) {
            ch.data.assign(u.data, u.data + u.size);
        }
        d.picture.chunks.push_back(std::move(ch));
    }
    return d;
}

bool writeFile(const std::string& path, std::span<const uint8_t> bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}

} // namespace wh::png
