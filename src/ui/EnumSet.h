#pragma once

#include <cstdint>
#include <initializer_list>

// A set of the values of a small enumeration (at most 32 values), like a Pascal set.
template <typename TEnum>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<TEnum> values) {
    for (TEnum value : values) Include(value);
  }

  constexpr TEnumSet& Include(TEnum value) {
    FBits |= Bit(value);
    return *this;
  }
  constexpr TEnumSet& Exclude(TEnum value) {
    FBits &= ~Bit(value);
    return *this;
  }
  constexpr bool Contains(TEnum value) const { return (FBits & Bit(value)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }

  constexpr bool operator==(const TEnumSet&) const = default;

 private:
  static constexpr std::uint32_t Bit(TEnum value) { return std::uint32_t{1} << static_cast<unsigned>(value); }

  std::uint32_t FBits = 0;
};
