#include "SkinnerRegistry.h"

namespace zorvex {

void RegisterEditSkinners() {}

} // namespace zorvex
