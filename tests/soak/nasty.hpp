// Texts for the panel's boxes that a user could type or paste: plain small numbers most of the
// time, otherwise numbers that overflow, signs, exponents, long &H and &O runs, blanks and bytes.
#pragma once

#include "soakrng.hpp"

#include <string>

namespace wh::soak {

// A text for a box that takes any number (displacements, counts, targets).
std::string panelText(SoakRng& rng);

// A text for the batch size: a handful of rocks most of the time, so the world stays playable,
// now and then a huge or hostile one.
std::string numberText(SoakRng& rng);

// Only the hostile kinds: what panelText gives when it does not give a plain number.
std::string nastyText(SoakRng& rng);

} // namespace wh::soak
