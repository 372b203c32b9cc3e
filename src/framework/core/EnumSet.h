#pragma once
// A set over an enumeration whose values run from 0 up to 63: bit n stands
// for value n, the layout in which published sets are stored.

#include <bit>
#include <cstdint>
#include <initializer_list>

namespace zorvex {

template <typename Enum> class EnumSet {
public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<Enum> members) {
    for (Enum member : members)
      bits_ |= Bit(member);
  }
  static constexpr EnumSet FromBits(uint64_t bits) {
    EnumSet set;
    set.bits_ = bits;
    return set;
  }

  constexpr uint64_t Bits() const { return bits_; }
  constexpr bool Contains(Enum member) const { return (bits_ & Bit(member)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr void Include(Enum member) { bits_ |= Bit(member); }
  constexpr void Exclude(Enum member) { bits_ &= ~Bit(member); }
  constexpr int Count() const { return std::popcount(bits_); }
  constexpr bool operator==(const EnumSet &) const = default;

private:
  static constexpr uint64_t Bit(Enum member) { return uint64_t{1} << static_cast<unsigned>(member); }
  uint64_t bits_ = 0;
};

} // namespace zorvex
