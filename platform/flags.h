// Bitwise or and a test for the platform's flag enums, whose values are the system's own bits.
#pragma once

#include <type_traits>

namespace kestrafil {

template <class Flags>
struct IsFlags : std::false_type {};

template <class Flags>
concept FlagEnum = IsFlags<Flags>::value;

template <FlagEnum Flags>
constexpr Flags operator|(Flags left, Flags right) {
  using Bits = std::underlying_type_t<Flags>;
  return static_cast<Flags>(static_cast<Bits>(left) | static_cast<Bits>(right));
}

// True when every bit of `wanted` is set in `flags`.
template <FlagEnum Flags>
constexpr bool has(Flags flags, Flags wanted) {
  using Bits = std::underlying_type_t<Flags>;
  return (static_cast<Bits>(flags) & static_cast<Bits>(wanted)) == static_cast<Bits>(wanted);
}

}  // namespace kestrafil
