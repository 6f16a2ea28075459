// The playfield surface `picground`: the persistent picture every rock and the vehicle draw
// into and read back. One pixel holds one colour value; coordinates arrive in twips.
#pragma once

#include "app/colour.hpp"

#include <cstdint>
#include <vector>

namespace wh {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kPlayfieldPixelsW = 4267;
inline constexpr int kPlayfieldPixelsH = 601;
inline constexpr int32_t kPlayfieldWidthTwips = kPlayfieldPixelsW * kTwipsPerPixel;  // 64005
inline constexpr int32_t kPlayfieldHeightTwips = kPlayfieldPixelsH * kTwipsPerPixel; // 9015

inline constexpr int16_t kDrawModeCopyPen = 13;   // the pen colour replaces each pixel
inline constexpr int16_t kDrawModeMaskNotPen = 3; // each pixel becomes pixel AND NOT pen
inline constexpr int16_t kMaxPenWidth = 32767;

// Pixel column or row holding a twip coordinate: floor(twips / 15), negatives included.
int64_t twipsToPixel(double twips);

// A picture the playfield's Cls brings back: colour values, row by row, at the top-left corner.
struct Backdrop {
    const Colour* pixels = nullptr; // nullptr: an all-black playfield
    int width = 0;                  // pixels
    int height = 0;                 // pixels
};

class Playfield {
public:
    Playfield();

    // Colour of the pixel under (x, y) twips, or -1 off the surface.
    Colour Point(double x, double y) const;
    // A dot: one pixel at pen width 1, otherwise a filled disc DrawWidth pixels across.
    void PSet(double x, double y, Colour colour);
    // A segment DrawWidth pixels thick with round ends; both end points are painted.
    void Line(double x1, double y1, double x2, double y2, Colour colour);
    // Removes everything drawn: the backdrop again, black beyond it.
    void Cls();

    void setBackdrop(Backdrop backdrop) { backdrop_ = backdrop; }

    // Pen width in pixels, 1 to 32767; a wider or narrower request is clamped.
    void setDrawWidth(int32_t width);
    int16_t drawWidth() const { return drawWidth_; }
    int16_t drawMode = kDrawModeCopyPen; // 13 or 3

    float Left = 0; // twips, position of the playfield in the window's client area
    float Top = 0;  // twips
    static constexpr int32_t Width = kPlayfieldWidthTwips;
    static constexpr int32_t Height = kPlayfieldHeightTwips;

    const Colour* row(int y) const {
        return pixels_.data() + static_cast<size_t>(y) * kPlayfieldPixelsW;
    }
    const std::vector<Colour>& pixels() const { return pixels_; }
    // Counts drawing calls, so a viewer can tell that nothing has changed since it last looked.
    uint64_t revision() const { return revision_; }

private:
    void fillSpan(int y, int64_t x0, int64_t x1, Colour colour);

    std::vector<Colour> pixels_;
    Backdrop backdrop_;
    int16_t drawWidth_ = 1;
    uint64_t revision_ = 0;
};

} // namespace wh
