// The scenery of the level, west to east, painted in materials and inks onto the canvas.
#pragma once

#include "canvas.hpp"

namespace levelgen {

// Cliff, pond, grass hills, the brick building and the crate.
void paintWest(Canvas& cv);
// The forest in front of the hills; painted last so its trees stand in front of the road's foot.
void paintForest(Canvas& cv);
// Road and boulder, the rock arch and its trunk, grey ground and green bank, truck, framed box,
// sky ledge, slab, cooling tower, tunnel, rocky plain, ceiling and beams.
void paintEast(Canvas& cv);
// Touches laid on after shading: flowers on the hills and the stray white pixel.
void paintFinish(Canvas& cv);

} // namespace levelgen
