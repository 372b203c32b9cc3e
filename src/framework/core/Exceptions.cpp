#include "Exceptions.h"

namespace zorvex {

EFOpenError::EFOpenError(const std::string &path, int systemError, const std::string &reason)
    : EStreamError("Cannot open file \"" + path + "\". " + reason), path_(path),
      systemError_(systemError) {}

} // namespace zorvex
