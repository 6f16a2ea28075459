// Vehicle motion over the terrain. Not built yet: the vehicle stands where start-up put it.
#include "vehicle/motion.hpp"

namespace wh {

void vehiclesection(Game& /*g*/) {}

} // namespace wh
