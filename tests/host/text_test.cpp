#include "platform/text.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

TEST(ProgramTexts, AreGbkBytes) {
  EXPECT_EQ(TextView("开始"), TextView("\xBF\xAA\xCA\xBC"));
  EXPECT_EQ(TextView("信息："), TextView("\xD0\xC5\xCF\xA2\xA3\xBA"));
}

TEST(TextBytes, FirstAndLastBytesClampToTheText) {
  struct Case {
    const char* name;
    TextView text;
    long n;
    TextView first;
    TextView last;
  };
  const Case cases[] = {
      {"shorter than n", "ab", 3, "ab", "ab"},  {"exactly n", "abc", 3, "abc", "abc"},
      {"longer than n", "abcd", 2, "ab", "cd"}, {"zero", "abc", 0, "", ""},
      {"negative", "abc", -1, "", ""},          {"empty text", "", 2, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(first_bytes(c.text, c.n), c.first) << c.name;
    EXPECT_EQ(last_bytes(c.text, c.n), c.last) << c.name;
  }
}

TEST(TextBytes, CompareIsUnsignedBytewiseWithPrefixLess) {
  EXPECT_EQ(compare_bytes("abc", "abc"), 0);
  EXPECT_LT(compare_bytes("ab", "abc"), 0);
  EXPECT_GT(compare_bytes("abc", "ab"), 0);
  EXPECT_GT(compare_bytes("\xB0", "a"), 0);  // a lead byte is above every ASCII byte
  EXPECT_LT(compare_bytes("", "a"), 0);
}

TEST(TextCharacters, LastCharacterReadsDoubleByteCharactersWhole) {
  testing::FakePlatform gbk;
  struct Case {
    const char* name;
    TextView text;
    TextView last;
    bool separator;
  };
  const Case cases[] = {
      {"backslash", "C:\\", "\\", true},
      {"slash", "a/", "/", true},
      {"plain", "D:\\Data", "a", false},
      {"empty", "", "", false},
      {"trail byte 0x5C is not a backslash", "D:\\\xD5\x5C", "\xD5\x5C", false},
      {"backslash after a double-byte character", "D:\\\xD5\x5C\\", "\\", true},
      {"lone lead byte at the end", "ab\xD5", "\xD5", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(last_character(c.text, gbk), c.last) << c.name;
    EXPECT_EQ(ends_with_separator(c.text, gbk), c.separator) << c.name;
  }
}

}  // namespace
}  // namespace kestrafil
