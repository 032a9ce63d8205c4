// A text composed in a buffer of its own instead of on the heap, for the fatal-error box: it may
// be the report that memory ran out. What does not fit is cut off. Not NUL-terminated: it is
// read as a view.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <string_view>

namespace kestrafil {

template <std::size_t Capacity>
class FixedText {
  static constexpr std::size_t kMostDecimalDigits = 20;  // of a 64-bit size

 public:
  FixedText& append(std::string_view bytes) {
    const auto count = std::min(bytes.size(), Capacity - size_);
    std::copy_n(bytes.begin(), count, bytes_.begin() + static_cast<std::ptrdiff_t>(size_));
    size_ += count;
    return *this;
  }

  // A size, not a 64-bit number: on 32-bit Windows that would bring in the library's 64-bit
  // division.
  FixedText& append_decimal(std::size_t value) {
    std::array<char, kMostDecimalDigits> digits{};
    const char* const end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    return append({digits.data(), static_cast<std::size_t>(end - digits.data())});
  }

  [[nodiscard]] std::string_view view() const { return {bytes_.data(), size_}; }

 private:
  std::array<char, Capacity> bytes_{};
  std::size_t size_ = 0;
};

}  // namespace kestrafil
