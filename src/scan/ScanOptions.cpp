#include "ScanOptions.h"

#include "framework/core/Texts.h"

namespace zorvex {

const std::array<const char *, kSizeClassCount> kLowerBoundItems = {"1 Byte", "1 Kb",  "10 Kb",  "100 Kb",
                                                                    "1 Mb",   "10 Mb", "100 Mb", "1 Gb"};
const std::array<const char *, kSizeClassCount> kUpperBoundItems = {"No maxi", "1 Kb",  "10 Kb",  "100 Kb",
                                                                    "1 Mb",    "10 Mb", "100 Mb", "1 Gb"};
const std::array<int64_t, kSizeClassCount> kSizeClassBytes = {
    0, 1024, 10240, 102400, 1048576, 10485760, 104857600, 1073741824};

namespace {
bool ValidClass(int index) { return index >= 0 && index < kSizeClassCount; }
} // namespace

bool LowerBoundAccepts(int lowerIndex, int64_t size) {
  if (!ValidClass(lowerIndex))
    return false;
  return lowerIndex == 0 || size > kSizeClassBytes[static_cast<size_t>(lowerIndex)];
}

bool UpperBoundAccepts(int upperIndex, int64_t size) {
  if (!ValidClass(upperIndex))
    return false;
  return upperIndex == 0 || size < kSizeClassBytes[static_cast<size_t>(upperIndex)];
}

bool SizeWindowContradictory(int lowerIndex, int upperIndex) { return upperIndex > 0 && upperIndex <= lowerIndex; }

std::string FileExtension(std::string_view name) {
  for (size_t i = name.size(); i > 0; --i) {
    const char c = name[i - 1];
    if (c == '.')
      return LowerCaseAZ(name.substr(i - 1));
    if (c == '\\' || c == ':')
      break;
  }
  return {};
}

std::string FilterExtension(std::string_view filter) {
  return filter.empty() ? std::string() : LowerCaseAZ(filter.substr(1));
}

bool IncludeAccepts(std::string_view includeFilter, std::string_view name) {
  return includeFilter == "*.*" || FileExtension(name) == FilterExtension(includeFilter);
}

bool ExcludeRejects(std::string_view excludeFilter, std::string_view name) {
  return !excludeFilter.empty() && FileExtension(name) == FilterExtension(excludeFilter);
}

Rejection FirstRejection(const ScanOptions &options, std::string_view name, int64_t size) {
  if (!LowerBoundAccepts(options.lowerIndex, size))
    return Rejection::LowerBound;
  if (!UpperBoundAccepts(options.upperIndex, size))
    return Rejection::UpperBound;
  if (!IncludeAccepts(options.includeFilter, name))
    return Rejection::Include;
  if (ExcludeRejects(options.excludeFilter, name))
    return Rejection::Exclude;
  return Rejection::None;
}

} // namespace zorvex
