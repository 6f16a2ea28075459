// The main window's fixed measures. The outer size is a constant of the game, not read from the
// desktop, so the vehicle starts and the level script fires at the same places everywhere.
#pragma once

#include "app/colour.hpp"

#include <cstdint>

namespace wh {

inline constexpr int kViewPixelsW = 800; // the client area
inline constexpr int kViewPixelsH = 600;
inline constexpr int32_t kClientWidthTwips = 12000;
inline constexpr int32_t kClientHeightTwips = 9000;

// A classic sizing frame of 4 pixels on every side and a 22-pixel caption.
inline constexpr int32_t kFrameTwips = 4 * 15;
inline constexpr int32_t kCaptionTwips = 22 * 15;
inline constexpr int32_t kWindowWidthTwips = kClientWidthTwips + 2 * kFrameTwips; // 12120
inline constexpr int32_t kWindowHeightTwips =
    kClientHeightTwips + 2 * kFrameTwips + kCaptionTwips; // 9450

// The window's own background, seen only where the camera has moved the playfield off an edge.
inline constexpr Colour kWindowBackground = RGB(240, 240, 240);

inline constexpr const char* kWindowCaption = "Wreckhaul";

} // namespace wh
