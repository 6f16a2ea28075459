// Level script stages and the camera. Not built yet: the view stays where start-up put it.
#include "level/script.hpp"

namespace wh {

void scroll(Game& /*g*/) {}

void camera(Game& /*g*/) {}

} // namespace wh
