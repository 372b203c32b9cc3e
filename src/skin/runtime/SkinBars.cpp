#include "SkinnerRegistry.h"

namespace zorvex {

void RegisterBarSkinners() {}

} // namespace zorvex
