// Fuzz target for the panel's number reading: any bytes a player can type (or paste) must read
// without a fault and store into both field widths without leaving their ranges.
#include "tools/textnumber.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double v = wh::readNumber(text);
    if (std::isnan(v)) {
        std::abort(); // a reading is a number, a huge one at worst
    }
    // An &H or &O literal with no sign before it is its digits' plain value, never negative.
    const size_t first = text.find_first_not_of(" \t\n");
    if (first != std::string_view::npos && text[first] == '&' && v < 0) {
        std::abort();
    }
    const int16_t f16 = wh::readField16(text);
    const int32_t f32 = wh::readField32(text);
    // Both stores round the same reading: the narrow one is the wide one clamped.
    const int32_t clamped = f32 < INT16_MIN ? INT16_MIN : (f32 > INT16_MAX ? INT16_MAX : f32);
    if (f16 != clamped) {
        std::abort();
    }
    return 0;
}
