// Scatter and agitation. Not built yet: the scatter and the timer's tick do nothing.
#include "world/agitation.hpp"

namespace wh {

void explode(Game& /*g*/) {}

void Timer2_Timer(Game& /*g*/) {}

} // namespace wh
