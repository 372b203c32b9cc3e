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

// One bound of the size window: a radio-group class, or an exact byte count
// (the command line's extension). Both kinds are exclusive: a lower bound
// keeps sizes greater than it, an upper bound sizes less than it.
struct SizeBound {
  bool exact = false;
  int64_t value = 0; // the class index, or bytes when exact

  static SizeBound Class(int index) { return SizeBound{false, index}; }
  static SizeBound Bytes(int64_t bytes) { return SizeBound{true, bytes}; }
  friend bool operator==(const SizeBound &, const SizeBound &) = default;
};

bool LowerBoundAccepts(SizeBound lower, int64_t size);
bool UpperBoundAccepts(SizeBound upper, int64_t size);
// Two classes: the rule above. Otherwise the upper bound in bytes is not
// above the lower one (no upper bound is never contradictory).
bool SizeWindowContradictory(SizeBound lower, SizeBound upper);

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
  SizeBound lower = SizeBound::Class(0);
  SizeBound upper = SizeBound::Class(0);
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
