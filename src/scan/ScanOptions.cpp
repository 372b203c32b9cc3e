#include "ScanOptions.h"

#include "framework/core/Texts.h"

namespace zorvex {

const std::array<const char *, kSizeClassCount> kLowerBoundItems = {"1 Byte", "1 Kb",  "10 Kb",  "100 Kb",
                                                                    "1 Mb",   "10 Mb", "100 Mb", "1 Gb"};
const std::array<const char *, kSizeClassCount> kUpperBoundItems = {"No maxi", "1 Kb",  "10 Kb",  "100 Kb",
                                                                    "1 Mb",    "10 Mb", "100 Mb", "1 Gb"};
const std::array<int64_t, kSizeClassCount> kSizeClassBytes = {0,       1024,     10240,     102400,
                                                              1048576, 10485760, 104857600, 1073741824};

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

namespace {
// A class index held in 64 bits; anything out of int range is no valid class.
int ClassIndex(SizeBound bound) {
  return (bound.value >= 0 && bound.value < kSizeClassCount) ? static_cast<int>(bound.value) : -1;
}
} // namespace

bool LowerBoundAccepts(SizeBound lower, int64_t size) {
  return lower.exact ? size > lower.value : LowerBoundAccepts(ClassIndex(lower), size);
}

bool UpperBoundAccepts(SizeBound upper, int64_t size) {
  return upper.exact ? size < upper.value : UpperBoundAccepts(ClassIndex(upper), size);
}

bool SizeWindowContradictory(SizeBound lower, SizeBound upper) {
  if (!lower.exact && !upper.exact)
    return SizeWindowContradictory(ClassIndex(lower), ClassIndex(upper));
  int64_t upperBytes = upper.value;
  if (!upper.exact) {
    const int index = ClassIndex(upper);
    if (index <= 0)
      return false; // no upper bound, or an invalid class that keeps nothing anyway
    upperBytes = kSizeClassBytes[static_cast<size_t>(index)];
  }
  int64_t lowerBytes = lower.value;
  if (!lower.exact) {
    const int index = ClassIndex(lower);
    if (index < 0)
      return false;
    lowerBytes = kSizeClassBytes[static_cast<size_t>(index)];
  }
  return upperBytes <= lowerBytes;
}

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
  if (!LowerBoundAccepts(options.lower, size))
    return Rejection::LowerBound;
  if (!UpperBoundAccepts(options.upper, size))
    return Rejection::UpperBound;
  if (!IncludeAccepts(options.includeFilter, name))
    return Rejection::Include;
  if (ExcludeRejects(options.excludeFilter, name))
    return Rejection::Exclude;
  return Rejection::None;
}

} // namespace zorvex
