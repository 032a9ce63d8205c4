#include "platform/text.h"

#include <gtest/gtest.h>

#include "tests/fake/fake_platform.h"

namespace kestrafil {
namespace {

TEST(ProgramTexts, AreGbkBytes) {
  EXPECT_EQ(TextView("开始"), TextView("\xBF\xAA\xCA\xBC"));
  EXPECT_EQ(TextView("信息："), TextView("\xD0\xC5\xCF\xA2\xA3\xBA"));
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
