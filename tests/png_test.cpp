// The PNG library: true-colour and indexed pictures with private chunks there and back, the
// picture kinds other programs save, and damaged or hostile files refused with a reason.
#include "png/png.hpp"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace wh::png {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr Colour rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}

Bytes bytesOf(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

void storeBigEndian(uint8_t* at, uint32_t v) {
    at[0] = static_cast<uint8_t>(v >> 24);
    at[1] = static_cast<uint8_t>(v >> 16);
    at[2] = static_cast<uint8_t>(v >> 8);
    at[3] = static_cast<uint8_t>(v);
}

uint32_t bigEndian(const Bytes& b, size_t at) {
    return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) |
           b[at + 3];
}

// Hand-made files for what our encoders never write: other programs' picture kinds and damage.
Bytes chunk(std::string_view type, const Bytes& data) {
    Bytes out(12 + data.size());
    storeBigEndian(out.data(), static_cast<uint32_t>(data.size()));
    std::copy(type.begin(), type.end(), out.begin() + 4);
    std::copy(data.begin(), data.end(), out.begin() + 8);
    const uLong crc =
        crc32(crc32(0, nullptr, 0), out.data() + 4, static_cast<uInt>(4 + data.size()));
    storeBigEndian(out.data() + 8 + data.size(), static_cast<uint32_t>(crc));
    return out;
}

Bytes header(uint32_t width, uint32_t height, int depth, int colourType, int interlace = 0) {
    Bytes data(13, 0);
    storeBigEndian(data.data(), width);
    storeBigEndian(data.data() + 4, height);
    data[8] = static_cast<uint8_t>(depth);
    data[9] = static_cast<uint8_t>(colourType);
    data[12] = static_cast<uint8_t>(interlace);
    return chunk("IHDR", data);
}

Bytes deflated(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    EXPECT_EQ(compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
    out.resize(size);
    return out;
}

Bytes file(const std::vector<Bytes>& chunks) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    for (const Bytes& c : chunks) {
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

// Where the chunk of this type starts (its length field), or the file's size when it has none.
size_t findChunk(const Bytes& png, std::string_view type) {
    size_t at = 8;
    while (at + 8 <= png.size()) {
        if (std::string_view(reinterpret_cast<const char*>(png.data()) + at + 4, 4) == type) {
            return at;
        }
        at += 12 + bigEndian(png, at);
    }
    return png.size();
}

// One empty chunk of this type, for the encoders' checks of the type.
std::vector<Chunk> oneChunk(const char* type) {
    return {{type, {}}};
}

Decoded decodeBytes(const Bytes& b, const Limits& limits = {}) {
    return decode(std::span<const uint8_t>(b), limits);
}

// Every pixel its own colour, components that cover the whole byte range.
std::vector<Colour> colourful(int width, int height) {
    std::vector<Colour> px;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            px.push_back(rgb((x * 37 + y) & 255, (y * 53 + 255 - x) & 255, (x * y * 11 + 7) & 255));
        }
    }
    return px;
}

const std::vector<Chunk> kSaveChunks = {
    {"whSv", {0, 1, 2, 0xFF, 0x89, 'P', 'N', 'G', 0, 0, 0, 0, 'I', 'E', 'N', 'D'}},
    {"whEm", {}},
    {"whXY", Bytes(70000, 0xA5)},
};

TEST(Png, TrueColourComesBackPixelForPixelWithItsChunksInOrder) {
    constexpr int kW = 37;
    constexpr int kH = 11;
    const std::vector<Colour> px = colourful(kW, kH);
    const Encoded e = encodeRgb(px, kW, kH, kSaveChunks);
    ASSERT_EQ(e.error, "");
    const Decoded d = decodeBytes(e.bytes);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.picture.width, kW);
    EXPECT_EQ(d.picture.height, kH);
    EXPECT_EQ(d.picture.pixels, px);
    EXPECT_EQ(d.picture.chunks, kSaveChunks);
    // The chunks stand before the pixels, so a reader finds them without inflating the picture.
    EXPECT_LT(findChunk(e.bytes, "whXY"), findChunk(e.bytes, "IDAT"));
    EXPECT_EQ(e.bytes[8 + 8 + 8], 8); // bits per channel
    EXPECT_EQ(e.bytes[8 + 8 + 9], 2); // true colour without alpha
}

TEST(Png, TheTopByteOfAColourValueIsNotPartOfThePicture) {
    const std::vector<Colour> px = {rgb(1, 2, 3) | static_cast<Colour>(0xFF000000u), -1};
    const Encoded e = encodeRgb(px, 2, 1);
    ASSERT_EQ(e.error, "");
    const Decoded d = decodeBytes(e.bytes);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.picture.pixels, (std::vector<Colour>{rgb(1, 2, 3), rgb(255, 255, 255)}));
}

TEST(Png, IndexedComesBackAsItsPaletteColoursWithItsChunk) {
    constexpr int kW = 300;
    constexpr int kH = 7;
    std::vector<Colour> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(rgb(i, 255 - i, (i * 7) & 255));
    }
    std::vector<uint8_t> indices;
    for (int i = 0; i < kW * kH; ++i) {
        indices.push_back(static_cast<uint8_t>((i / 3) % 256));
    }
    const std::vector<Chunk> chunks = {{"whSv", bytesOf("a saved world")}};
    const Encoded e = encodeIndexed(indices, kW, kH, palette, chunks);
    ASSERT_EQ(e.error, "");
    EXPECT_EQ(e.bytes[8 + 8 + 8], 8); // bits per index
    EXPECT_EQ(e.bytes[8 + 8 + 9], 3); // palette
    const size_t plte = findChunk(e.bytes, "PLTE");
    ASSERT_LT(plte, e.bytes.size());
    EXPECT_EQ(bigEndian(e.bytes, plte), 768u);
    EXPECT_EQ(e.bytes[plte + 8 + 3 * 200 + 1], 55); // entry 200's green, at its entry number

    const Decoded d = decodeBytes(e.bytes);
    ASSERT_EQ(d.error, "");
    ASSERT_EQ(d.picture.pixels.size(), indices.size());
    for (size_t i = 0; i < indices.size(); ++i) {
        ASSERT_EQ(d.picture.pixels[i], palette[indices[i]]) << "pixel " << i;
    }
    EXPECT_EQ(d.picture.chunks, chunks);
}

TEST(Png, ASmallPaletteKeepsItsSize) {
    const std::vector<Colour> palette = {rgb(0, 0, 0), rgb(0, 0, 255), rgb(255, 0, 0)};
    const std::vector<uint8_t> indices = {0, 1, 2, 2, 1, 0};
    const Encoded e = encodeIndexed(indices, 3, 2, palette);
    ASSERT_EQ(e.error, "");
    EXPECT_EQ(bigEndian(e.bytes, findChunk(e.bytes, "PLTE")), 9u);
    const Decoded d = decodeBytes(e.bytes);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.picture.pixels, (std::vector<Colour>{palette[0], palette[1], palette[2], palette[2],
                                                     palette[1], palette[0]}));
    EXPECT_TRUE(d.picture.chunks.empty());
}

TEST(Png, TheSameInputGivesTheSameBytes) {
    const std::vector<Colour> px = colourful(64, 9);
    EXPECT_EQ(encodeRgb(px, 64, 9, kSaveChunks).bytes, encodeRgb(px, 64, 9, kSaveChunks).bytes);
}

TEST(Png, EncodersRefuseWhatCannotBeAPicture) {
    const std::vector<Colour> four(4, rgb(1, 2, 3));
    const std::vector<uint8_t> fourIndices = {0, 1, 0, 1};
    const std::vector<Colour> two = {rgb(0, 0, 0), rgb(9, 9, 9)};
    const struct {
        const char* what;
        Encoded e;
        const char* says;
    } kCases[] = {
        {"no width", encodeRgb({}, 0, 4), "cannot be written"},
        {"negative height", encodeRgb(four, 4, -1), "cannot be written"},
        {"fewer pixels than the size", encodeRgb(four, 5, 1), "5 x 1 pixels but 4 were given"},
        {"more pixels than the size", encodeIndexed(fourIndices, 1, 3, two), "but 4 were given"},
        {"a critical chunk type", encodeRgb(four, 2, 2, oneChunk("WhSv")), "'WhSv'"},
        {"a public chunk type", encodeRgb(four, 2, 2, oneChunk("wHSv")), "'wHSv'"},
        {"the reserved bit set", encodeRgb(four, 2, 2, oneChunk("whsv")), "'whsv'"},
        {"a standard chunk", encodeRgb(four, 2, 2, oneChunk("IEND")), "'IEND'"},
        {"not a letter", encodeRgb(four, 2, 2, oneChunk("wh1v")), "'wh1v'"},
        {"three letters", encodeRgb(four, 2, 2, oneChunk("whS")), "'whS'"},
        {"five letters", encodeRgb(four, 2, 2, oneChunk("whSvx")), "'whSvx'"},
        {"no palette", encodeIndexed(fourIndices, 2, 2, {}), "1 to 256 entries, not 0"},
        {"257 palette entries", encodeIndexed(fourIndices, 2, 2, std::vector<Colour>(257)),
         "not 257"},
        {"an index past the palette", encodeIndexed(std::vector<uint8_t>{0, 1, 2, 1}, 2, 2, two),
         "pixel 2 has index 2, past the palette's 2 entries"},
    };
    for (const auto& c : kCases) {
        EXPECT_TRUE(c.e.bytes.empty()) << c.what;
        EXPECT_NE(c.e.error.find(c.says), std::string::npos) << c.what << ": " << c.e.error;
    }
}

// What paint programs and other tools save: grey, low depths, 16 bits, alpha, transparency,
// interlacing. Alpha and transparency are dropped, 16 bits keep their high byte.
TEST(Png, OtherProgramsPictureKindsComeOutAsColourValues) {
    const Bytes plte = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    const struct {
        const char* what;
        Bytes png;
        std::vector<Colour> want;
    } kCases[] = {
        {"8-bit grey",
         file({header(2, 1, 8, 0), chunk("IDAT", deflated({0, 0, 200})), chunk("IEND", {})}),
         {rgb(0, 0, 0), rgb(200, 200, 200)}},
        {"1-bit grey",
         file({header(3, 1, 1, 0), chunk("IDAT", deflated({0, 0b10100000})), chunk("IEND", {})}),
         {rgb(255, 255, 255), rgb(0, 0, 0), rgb(255, 255, 255)}},
        {"grey with alpha",
         file({header(1, 1, 8, 4), chunk("IDAT", deflated({0, 77, 0})), chunk("IEND", {})}),
         {rgb(77, 77, 77)}},
        {"8-bit RGBA",
         file({header(2, 1, 8, 6), chunk("IDAT", deflated({0, 1, 2, 3, 0, 4, 5, 6, 255})),
               chunk("IEND", {})}),
         {rgb(1, 2, 3), rgb(4, 5, 6)}},
        {"16-bit RGB",
         file({header(1, 1, 16, 2),
               chunk("IDAT", deflated({0, 0x12, 0xFF, 0x34, 0x00, 0xAB, 0x01})),
               chunk("IEND", {})}),
         {rgb(0x12, 0x34, 0xAB)}},
        {"2-bit palette with transparency",
         file({header(4, 1, 2, 3), chunk("PLTE", plte), chunk("tRNS", {0, 128}),
               chunk("IDAT", deflated({0, 0b00011000})), chunk("IEND", {})}),
         {rgb(10, 20, 30), rgb(40, 50, 60), rgb(70, 80, 90), rgb(10, 20, 30)}},
        // Adam7 on 2 x 2: the top-left pixel, then the top-right, then the bottom row.
        {"interlaced grey",
         file({header(2, 2, 8, 0, 1), chunk("IDAT", deflated({0, 11, 0, 22, 0, 33, 44})),
               chunk("IEND", {})}),
         {rgb(11, 11, 11), rgb(22, 22, 22), rgb(33, 33, 33), rgb(44, 44, 44)}},
    };
    for (const auto& c : kCases) {
        const Decoded d = decodeBytes(c.png);
        EXPECT_EQ(d.error, "") << c.what;
        EXPECT_EQ(d.picture.pixels, c.want) << c.what;
    }
}

TEST(Png, OnlyPrivateChunksAreReturned) {
    const Bytes idat = chunk("IDAT", deflated({0, 5}));
    const Bytes png = file(
        {header(1, 1, 8, 0), chunk("tEXt", bytesOf(std::string_view("Title\0x", 7))),
         chunk("sTER", {0}), chunk("whSv", bytesOf("kept")), chunk("abCD", bytesOf("also kept")),
         idat, chunk("whAf", bytesOf("after the pixels")), chunk("IEND", {})});
    const Decoded d = decodeBytes(png);
    ASSERT_EQ(d.error, "");
    const std::vector<Chunk> want = {{"whSv", bytesOf("kept")},
                                     {"abCD", bytesOf("also kept")},
                                     {"whAf", bytesOf("after the pixels")}};
    EXPECT_EQ(d.picture.chunks, want);
}

class DamagedPng : public ::testing::Test {
protected:
    void SetUp() override {
        const Encoded e =
            encodeRgb(colourful(kW, kH), kW, kH, std::vector<Chunk>{{"whSv", bytesOf("world")}});
        ASSERT_EQ(e.error, "");
        good_ = e.bytes;
        ASSERT_EQ(decodeBytes(good_).error, "");
    }

    // The good file with one byte of chunk TYPE's data (OFFSET into it) changed, CRC untouched.
    Bytes flipped(std::string_view type, size_t offset) const {
        Bytes b = good_;
        const size_t at = findChunk(b, type);
        EXPECT_LT(at + 8 + offset, b.size()) << type;
        b[at + 8 + offset] ^= 0x40;
        return b;
    }

    // The good file with chunk TYPE's CRC off by one bit.
    Bytes badCrc(std::string_view type) const {
        Bytes b = good_;
        const size_t at = findChunk(b, type);
        EXPECT_LT(at, b.size()) << type;
        b[at + 8 + bigEndian(b, at)] ^= 0x01;
        return b;
    }

    // The good file with chunk TYPE replaced by CHUNKS.
    Bytes replaced(std::string_view type, const std::vector<Bytes>& chunks) const {
        const size_t at = findChunk(good_, type);
        Bytes b(good_.begin(), good_.begin() + static_cast<std::ptrdiff_t>(at));
        for (const Bytes& c : chunks) {
            b.insert(b.end(), c.begin(), c.end());
        }
        b.insert(b.end(),
                 good_.begin() + static_cast<std::ptrdiff_t>(at + 12 + bigEndian(good_, at)),
                 good_.end());
        return b;
    }

    static constexpr int kW = 13;
    static constexpr int kH = 6;
    Bytes good_;
};

TEST_F(DamagedPng, EveryCutShortFileIsRefused) {
    for (size_t n = 0; n < good_.size(); ++n) {
        const Decoded d =
            decodeBytes(Bytes(good_.begin(), good_.begin() + static_cast<std::ptrdiff_t>(n)));
        ASSERT_NE(d.error, "") << "cut to " << n << " of " << good_.size() << " bytes";
        ASSERT_TRUE(d.picture.pixels.empty()) << n;
    }
}

TEST_F(DamagedPng, EachDamageIsRefusedWithAReason) {
    Bytes badSignature = good_;
    badSignature[1] = 'Q';
    Bytes hugeChunk = replaced("whSv", {chunk("whSv", bytesOf("world"))});
    hugeChunk[findChunk(hugeChunk, "whSv")] = 0x7F; // claims about 2 GB in a file of a few hundred
    std::vector<uint8_t> halfRows;
    for (int y = 0; y < kH / 2; ++y) {
        halfRows.push_back(0);
        halfRows.insert(halfRows.end(), kW * 3, 9);
    }
    const struct {
        const char* what;
        Bytes png;
        const char* says; // part of the reason, where ours or libpng's is worth pinning
    } kCases[] = {
        {"empty", {}, "empty"},
        {"not a PNG at all", bytesOf("GIF89a, or any other file of a few dozen bytes"), ""},
        {"a damaged signature", badSignature, ""},
        {"the signature alone", Bytes(good_.begin(), good_.begin() + 8), "ends early"},
        {"a bad CRC on the header", badCrc("IHDR"), "CRC"},
        {"a bad CRC on the pixels", badCrc("IDAT"), "CRC"},
        {"a bad CRC on the private chunk", badCrc("whSv"), "CRC"},
        {"a changed width", flipped("IHDR", 3), "CRC"},
        {"a changed byte among the pixels", flipped("IDAT", 20), ""},
        {"a changed byte in the private chunk", flipped("whSv", 1), "CRC"},
        {"pixels that are not deflate",
         replaced("IDAT", {chunk("IDAT", bytesOf("this is not a zlib stream at all"))}), ""},
        {"too few rows of pixels", replaced("IDAT", {chunk("IDAT", deflated(halfRows))}), ""},
        {"no pixels at all", replaced("IDAT", {}), ""},
        {"an unknown critical chunk", replaced("whSv", {chunk("WHSV", bytesOf("world"))}), ""},
        {"a chunk longer than the file", hugeChunk, ""},
        {"a header of absurd size", replaced("IHDR", {header(0x7FFFFFFF, 0x7FFFFFFF, 8, 2)}),
         "more than the 16384 x 16384"},
        {"a header far too wide", replaced("IHDR", {header(1000000, 1, 8, 2)}), "1000000 x 1"},
        {"a header of no width", replaced("IHDR", {header(0, kH, 8, 2)}), ""},
        {"a header of a colour type that does not exist", replaced("IHDR", {header(kW, kH, 8, 5)}),
         ""},
        {"a palette picture without its palette", replaced("IHDR", {header(kW, kH, 8, 3)}), ""},
        {"no header", replaced("IHDR", {}), ""},
        {"a second header", replaced("whSv", {header(kW, kH, 8, 2)}), ""},
    };
    for (const auto& c : kCases) {
        const Decoded d = decodeBytes(c.png);
        EXPECT_NE(d.error, "") << c.what;
        EXPECT_NE(d.error.find(c.says), std::string::npos) << c.what << ": " << d.error;
        EXPECT_TRUE(d.picture.pixels.empty()) << c.what;
        EXPECT_TRUE(d.picture.chunks.empty()) << c.what;
    }
}

uint64_t nextRandom(uint64_t& s) { // splitmix64
    uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// Every chunk's CRC made right again, so an edit gets past the CRC check into libpng's parsing of
// the header, the palette and the compressed pixels.
void fixCrcs(Bytes& b) {
    size_t at = 8;
    while (at + 12 <= b.size() && bigEndian(b, at) <= b.size() - at - 12) {
        const size_t length = bigEndian(b, at);
        const uLong crc =
            crc32(crc32(0, nullptr, 0), b.data() + at + 4, static_cast<uInt>(4 + length));
        storeBigEndian(b.data() + at + 8 + length, static_cast<uint32_t>(crc));
        at += 12 + length;
    }
}

// Thousands of edited files with good CRCs: each one decodes to a whole picture within the limits
// or is refused with a reason and nothing else; none crashes (the sanitizer build watches).
TEST(Png, EditedFilesDecodeOrSayWhy) {
    const std::vector<Colour> palette = {rgb(0, 0, 0), rgb(255, 0, 0), rgb(0, 255, 0)};
    std::vector<uint8_t> indices(16 * 9);
    for (size_t i = 0; i < indices.size(); ++i) {
        indices[i] = static_cast<uint8_t>(i * 7 % 3);
    }
    const std::vector<Chunk> chunks = {{"whSv", bytesOf("a small world")}};
    const std::vector<Bytes> seeds = {
        encodeIndexed(indices, 16, 9, palette, chunks).bytes,
        encodeRgb(colourful(12, 10), 12, 10, chunks).bytes,
        file({header(5, 3, 16, 0, 1), chunk("IDAT", deflated(Bytes(64, 0x5A))), chunk("IEND", {})}),
    };
    const Limits limits{64, 64, 2048};
    uint64_t state = 11;
    int decoded = 0;
    int refused = 0;
    for (int i = 0; i < 6000; ++i) {
        Bytes b = seeds[static_cast<size_t>(i) % seeds.size()];
        const int edits = 1 + static_cast<int>(nextRandom(state) % 3);
        for (int e = 0; e < edits; ++e) {
            const size_t at = 8 + nextRandom(state) % (b.size() - 8);
            const uint64_t how = nextRandom(state);
            b[at] = how % 4 == 0   ? static_cast<uint8_t>(b[at] + 1)
                    : how % 4 == 1 ? static_cast<uint8_t>(b[at] ^ (1u << (how / 4 % 8)))
                    : how % 4 == 2 ? uint8_t{0xFF}
                                   : static_cast<uint8_t>(how >> 32);
        }
        fixCrcs(b);
        const Decoded d = decodeBytes(b, limits);
        if (d.error.empty()) {
            ++decoded;
            ASSERT_GE(d.picture.width, 1) << "edit " << i;
            ASSERT_LE(d.picture.width, limits.maxWidth) << "edit " << i;
            ASSERT_LE(d.picture.height, limits.maxHeight) << "edit " << i;
            ASSERT_EQ(d.picture.pixels.size(),
                      static_cast<size_t>(d.picture.width) * static_cast<size_t>(d.picture.height))
                << "edit " << i;
        } else {
            ++refused;
            ASSERT_TRUE(d.picture.pixels.empty()) << "edit " << i;
            ASSERT_TRUE(d.picture.chunks.empty()) << "edit " << i;
        }
    }
    // Both ways out were taken many times: the edits reached the pixels, not only the header.
    EXPECT_GT(decoded, 100);
    EXPECT_GT(refused, 100);
}

TEST(Png, TheDecodersLimitsHoldAtTheirEdges) {
    const struct {
        int w, h;
        Limits limits;
        bool decodes;
    } kCases[] = {
        {8, 8, {8, 8, 64}, true},  {9, 1, {8, 8, 64}, false}, {1, 9, {8, 8, 64}, false},
        {8, 8, {8, 8, 63}, false}, {4267, 601, {}, true},     {16385, 1, {}, false},
    };
    for (const auto& c : kCases) {
        const std::vector<Colour> px(static_cast<size_t>(c.w) * c.h, rgb(3, 4, 5));
        const Encoded e = encodeRgb(px, c.w, c.h);
        ASSERT_EQ(e.error, "");
        const Decoded d = decodeBytes(e.bytes, c.limits);
        EXPECT_EQ(d.error.empty(), c.decodes) << c.w << " x " << c.h << ": " << d.error;
        EXPECT_EQ(d.picture.pixels.size(), c.decodes ? px.size() : 0u) << c.w << " x " << c.h;
    }
}

TEST(Png, WriteFileWritesTheBytesOrSaysItCannot) {
    namespace fs = std::filesystem;
    const fs::path dir =
        fs::temp_directory_path() /
        ("wreckhaul-png-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const Bytes bytes = encodeRgb(colourful(5, 5), 5, 5).bytes;
    const std::string path = (dir / "shot.png").string();
    ASSERT_TRUE(writeFile(path, std::vector<uint8_t>(3, 'x')));
    ASSERT_TRUE(writeFile(path, bytes)); // replaces what was there
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), bytes);
    EXPECT_FALSE(writeFile((dir / "no-such-dir" / "x.png").string(), bytes));
    fs::remove_all(dir);
}

} // namespace
} // namespace wh::png
