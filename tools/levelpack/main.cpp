// levelpack: decodes the level picture at build time and writes the source that builds it into
// the core as a palette and runs of pixels (see src/core/level/levelruns.hpp), so the core needs
// no PNG decoder. Usage: levelpack LEVEL.png OUTPUT.cpp
#include "png/png.hpp"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr size_t kMaxFileBytes = size_t{64} << 20; // far past any level picture
constexpr size_t kMaxPaletteEntries = 256;
constexpr size_t kMaxRunLength = 256; // a run's length less one fits a byte
constexpr int kRunsPerLine = 12;

struct Packed {
    std::vector<wh::png::Colour> palette; // in order of first use
    std::vector<uint8_t> runs;            // entry, length less one; entry, length less one; ...
};

bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = "cannot open it";
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        why = "cannot read it";
        return false;
    }
    if (bytes.size() > kMaxFileBytes) {
        why = "it is larger than any level picture could be";
        return false;
    }
    return true;
}

// False when the picture holds more colours than a palette can.
bool pack(const std::vector<wh::png::Colour>& pixels, Packed& out) {
    std::map<wh::png::Colour, uint8_t> entryOf;
    size_t i = 0;
    while (i < pixels.size()) {
        const wh::png::Colour c = pixels[i];
        auto found = entryOf.find(c);
        if (found == entryOf.end()) {
            if (out.palette.size() == kMaxPaletteEntries) {
                return false;
            }
            found = entryOf.emplace(c, static_cast<uint8_t>(out.palette.size())).first;
            out.palette.push_back(c);
        }
        size_t length = 1;
        while (i + length < pixels.size() && length < kMaxRunLength && pixels[i + length] == c) {
            ++length;
        }
        out.runs.push_back(found->second);
        out.runs.push_back(static_cast<uint8_t>(length - 1));
        i += length;
    }
    return true;
}

std::string source(const wh::png::Picture& picture, const Packed& packed) {
    std::string s;
    s += "// Generated at build time from assets/level.png by tools/levelpack; edit the picture, "
         "not this.\n";
    s += "#include \"level/levelpicture.hpp\"\n#include \"level/levelruns.hpp\"\n\n";
    s += "namespace wh::embedded {\n\n";
    s += "static_assert(kLevelPixelsW == " + std::to_string(picture.width) +
         " && kLevelPixelsH == " + std::to_string(picture.height) + ",\n";
    s += "              \"assets/level.png is " + std::to_string(picture.width) + " x " +
         std::to_string(picture.height) + " pixels, not the level's size\");\n\n";
    s += "const Colour kLevelPalette[] = {\n";
    for (wh::png::Colour c : packed.palette) {
        s += "    RGB(" + std::to_string(c & 0xFF) + ", " + std::to_string((c >> 8) & 0xFF) + ", " +
             std::to_string((c >> 16) & 0xFF) + "),\n";
    }
    s += "};\nconst std::size_t kLevelPaletteSize = " + std::to_string(packed.palette.size()) +
         ";\n\n";
    s += "const unsigned char kLevelRuns[] = {\n";
    for (size_t i = 0; i < packed.runs.size(); i += 2) {
        const bool first = (i / 2) % kRunsPerLine == 0;
        const bool last = (i / 2) % kRunsPerLine == kRunsPerLine - 1 || i + 2 == packed.runs.size();
        s += first ? "    " : " ";
        s += std::to_string(packed.runs[i]) + "," + std::to_string(packed.runs[i + 1]) + ",";
        s += last ? "\n" : "";
    }
    s += "};\nconst std::size_t kLevelRunsSize = " + std::to_string(packed.runs.size()) + ";\n\n";
    s += "} // namespace wh::embedded\n";
    return s;
}

// Beside the output first, then renamed over it, so a build stopped halfway never leaves half a
// source that looks finished.
bool writeSource(const std::string& path, const std::string& text) {
    const std::string part = path + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(part, path, ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: levelpack LEVEL.png OUTPUT.cpp\n");
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];
    std::vector<uint8_t> bytes;
    std::string why;
    if (!readFile(input, bytes, why)) {
        std::fprintf(stderr, "levelpack: %s: %s\n", input.c_str(), why.c_str());
        return 1;
    }
    const wh::png::Decoded d = wh::png::decode(bytes);
    if (!d.error.empty()) {
        std::fprintf(stderr, "levelpack: %s: %s\n", input.c_str(), d.error.c_str());
        return 1;
    }
    Packed packed;
    if (!pack(d.picture.pixels, packed)) {
        std::fprintf(stderr,
                     "levelpack: %s: more than %zu colours; the level is a palette picture\n",
                     input.c_str(), kMaxPaletteEntries);
        return 1;
    }
    if (!writeSource(output, source(d.picture, packed))) {
        std::fprintf(stderr, "levelpack: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
