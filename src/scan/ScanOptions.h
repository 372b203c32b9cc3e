#pragma once
// Which files are in scope of a scan: the size window (two radio-group
// classes), the include and exclude extension filters, and recursion.
// The predicates take the option values as they stand at the moment of the
// test; callers read their controls live for every entry.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvex {

constexpr int kSizeClassCount = 8;

// Radio-group items, the same in both languages.
extern const std::array<const char *, kSizeClassCount> kLowerBoundItems;
extern const std::array<const char *, kSizeClassCount> kUpperBoundItems;
// Class thresholds in bytes (index 0: no bound).
extern const std::array<int64_t, kSizeClassCount> kSizeClassBytes;

// Lower bound class: index 0 keeps every size; index k keeps sizes greater
// than the class's bytes. Any index outside 0..7 keeps nothing.
bool LowerBoundAccepts(int lowerIndex, int64_t size);
// Upper bound class: index 0 keeps every size; index k keeps sizes less than
// the class's bytes. Any index outside 0..7 keeps nothing.
bool UpperBoundAccepts(int upperIndex, int64_t size);
// An upper bound is chosen and it is not above the lower one.
bool SizeWindowContradictory(int lowerIndex, int upperIndex);

// The name's extension from its last '.' on (dot included), unless a '\' or
// ':' follows that dot; empty when there is none. Lower-cased A-Z.
std::string FileExtension(std::string_view name);
// The filter text without its first character, whatever it is; lower-cased A-Z.
std::string FilterExtension(std::string_view filter);

// "*.*" keeps everything; otherwise the extensions must match.
bool IncludeAccepts(std::string_view includeFilter, std::string_view name);
// An empty exclude filter rejects nothing; otherwise matching extensions are rejected.
bool ExcludeRejects(std::string_view excludeFilter, std::string_view name);

struct ScanOptions {
  std::string startDirectory;
  int lowerIndex = 0;
  int upperIndex = 0;
  std::string includeFilter = "*.*";
  std::string excludeFilter;
  bool recurse = true;
  bool showDetails = false;
};

enum class Rejection { None, LowerBound, UpperBound, Include, Exclude };

// The tests in their order (lower bound, upper bound, include, exclude); the
// first that fails names the rejection.
Rejection FirstRejection(const ScanOptions &options, std::string_view name, int64_t size);
inline bool InScope(const ScanOptions &options, std::string_view name, int64_t size) {
  return FirstRejection(options, name, size) == Rejection::None;
}

} // namespace zorvex
