// Rock looks. Not built yet: rocks draw nothing.
#include "render/rockdraw.hpp"

namespace wh {

void drawrocks(Game& /*g*/, int /*i*/) {}

void eraserocks(Game& /*g*/, int /*i*/) {}

} // namespace wh
