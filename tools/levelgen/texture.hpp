// Textures of the level painter: shading the painted materials into inks, foliage and trunks,
// and a small capital-letter font for the sign and the crate.
#pragma once

#include "canvas.hpp"

#include <string_view>

namespace levelgen {

// Turns every material pixel into an ink, lit from the upper left: faces that look up or left
// at open air are bright, undersides dark.
void shadeMaterials(Canvas& cv);

// A leafy crown: a main ball with lobes, each lobe shaded as a ball of its own. Paints only over
// terrain that is already solid.
void drawCrown(Canvas& cv, double cx, double cy, double r, uint32_t seed);
// A tree trunk from row top to row bottom, lit on its left, a little wider at the foot.
void drawTrunk(Canvas& cv, int cx, int width, int top, int bottom, uint32_t seed,
               bool onlyOver = true);

// Capitals in a 5 x 7 cell, one column of space between letters.
int textWidth(std::string_view text);
void drawText(Canvas& cv, int x, int y, std::string_view text, uint8_t ink);

} // namespace levelgen
