// The rock pass and the step every type shares. Not built yet: rocks stand still.
#include "world/rockpass.hpp"

namespace wh {

void rockpass(Game& /*g*/) {}

} // namespace wh
