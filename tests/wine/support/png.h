// A small PNG encoder for screenshots: 8-bit RGB, no filtering, zlib stored blocks.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace wine_test {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows from the top, three bytes per pixel
};

std::uint32_t crc32(std::span<const std::uint8_t> bytes);
std::uint32_t adler32(std::span<const std::uint8_t> bytes);

std::vector<std::uint8_t> encode_png(const Image& image);

inline std::span<const std::uint8_t> bytes_of(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace wine_test
