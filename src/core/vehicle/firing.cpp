// Firing from the gun tip, one rock per pass while the fire key is held.
#include "vehicle/firing.hpp"

namespace wh {

// The weapons come later: for now holding the fire key only shortens the drawn gun.
void firing(Game& /*g*/) {}

} // namespace wh
