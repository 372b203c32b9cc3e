#include "SkinnerRegistry.h"

namespace zorvex {

void RegisterScrollSkinners() {}

} // namespace zorvex
