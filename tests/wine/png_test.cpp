// The screenshot encoder, checked by decoding its own output: a broken checksum or block
// header gives a file that viewers refuse, long after the test run.
#include "tests/wine/support/png.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace wine_test {
namespace {

std::uint32_t read_u32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
         (std::uint32_t{bytes[at + 2]} << 8) | std::uint32_t{bytes[at + 3]};
}

struct Chunk {
  std::string type;
  std::vector<std::uint8_t> data;
  bool crc_ok;
};

std::vector<Chunk> chunks_of(const std::vector<std::uint8_t>& png) {
  std::vector<Chunk> chunks;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::size_t length = read_u32(png, at);
    Chunk chunk;
    chunk.type.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                      png.begin() + static_cast<std::ptrdiff_t>(at + 8));
    chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                      png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    const auto crc = crc32(std::span(png).subspan(at + 4, length + 4));
    chunk.crc_ok = crc == read_u32(png, at + 8 + length);
    chunks.push_back(chunk);
    at += 12 + length;
  }
  return chunks;
}

// Undoes the zlib stream of stored blocks; empty when its framing is wrong.
std::vector<std::uint8_t> inflate_stored(const std::vector<std::uint8_t>& z, int& blocks) {
  std::vector<std::uint8_t> raw;
  if (z.size() < 6 || ((z[0] << 8) | z[1]) % 31 != 0 || (z[0] & 0x0F) != 8) return {};
  std::size_t at = 2;
  for (bool last = false; !last; ++blocks) {
    if (at + 5 > z.size()) return {};
    last = (z[at] & 1) != 0;
    if ((z[at] & 6) != 0) return {};  // not a stored block
    const unsigned len = z[at + 1] | (z[at + 2] << 8);
    const unsigned nlen = z[at + 3] | (z[at + 4] << 8);
    if ((len ^ 0xFFFFu) != nlen || at + 5 + len > z.size()) return {};
    raw.insert(raw.end(), z.begin() + static_cast<std::ptrdiff_t>(at + 5),
               z.begin() + static_cast<std::ptrdiff_t>(at + 5 + len));
    at += 5 + len;
  }
  if (at + 4 != z.size() || read_u32(z, at) != adler32(raw)) return {};
  return raw;
}

TEST(PngEncoder, ChecksumsMatchTheirPublishedCheckValues) {
  EXPECT_EQ(crc32(bytes_of("123456789")), 0xCBF43926u);
  EXPECT_EQ(crc32(bytes_of("IEND")), 0xAE426082u);
  EXPECT_EQ(adler32(bytes_of("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(adler32(bytes_of("")), 1u);
}

struct SizeRow {
  const char* name;
  int width;
  int height;
  int stored_blocks;
};

constexpr SizeRow kSizes[] = {
    {"one pixel", 1, 1, 1},
    {"exactly one full block", 28, 771, 1},  // (28 * 3 + 1) * 771 = 65535 bytes
    {"one byte over a block", 28, 772, 2},
    {"the main window", 344, 442, 7},
};

TEST(PngEncoder, DecodesBackToTheScanlinesWithValidChunks) {
  for (const auto& row : kSizes) {
    SCOPED_TRACE(row.name);
    Image image{row.width, row.height, {}};
    for (int i = 0; i < row.width * row.height * 3; ++i) {
      image.rgb.push_back(static_cast<std::uint8_t>(i * 7 + i / 251));
    }
    const auto png = encode_png(image);

    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::vector(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    const auto chunks = chunks_of(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    for (const auto& chunk : chunks) EXPECT_TRUE(chunk.crc_ok) << chunk.type;
    const auto w = static_cast<std::uint8_t>(row.width >> 8);
    const auto h = static_cast<std::uint8_t>(row.height >> 8);
    EXPECT_EQ(chunks[0].data,
              (std::vector<std::uint8_t>{0, 0, w, static_cast<std::uint8_t>(row.width), 0, 0, h,
                                         static_cast<std::uint8_t>(row.height), 8, 2, 0, 0, 0}));

    std::vector<std::uint8_t> scanlines;
    for (int y = 0; y < row.height; ++y) {
      scanlines.push_back(0);
      const auto from = image.rgb.begin() + y * row.width * 3;
      scanlines.insert(scanlines.end(), from, from + row.width * 3);
    }
    int blocks = 0;
    EXPECT_EQ(inflate_stored(chunks[1].data, blocks), scanlines);
    EXPECT_EQ(blocks, row.stored_blocks);
  }
}

}  // namespace
}  // namespace wine_test
