// Agitation. Not built yet: the timer's tick does nothing.
#include "world/agitation.hpp"

namespace wh {

void Timer2_Timer(Game& /*g*/) {}

} // namespace wh
