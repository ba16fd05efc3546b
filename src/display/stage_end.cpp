#include "display/stage_end.h"

namespace volley {

// Nothing explodes yet, so no stage ends by itself.
void UpdateBlasts(Game&) {}
void UpdateWreck(Game&) {}

}  // namespace volley
