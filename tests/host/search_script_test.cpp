#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/script.h"
#include "tests/fake/fake_platform.h"
#include "window/layout.h"
#include "window/script_body.h"

namespace kestrafil {
namespace {

constexpr TextView kBody = "BODY\r\n";

struct HeaderCase {
  const char* name;
  TextView current_directory;
  TextView search_folder;
  TextView save_folder;
  std::string header;
};

std::string header(const std::string& list_folder, const std::string& search,
                   const std::string& save) {
  return "@echo off\r\nset \"jpgname=" + list_folder + "/file.txt\"\r\nset \"jpgpath=" + search +
         "\"\r\nset \"Udrvpath=" + save + "\"\r\n";
}

TEST(SearchScript, HeaderPastesTheFoldersSafely) {
  const HeaderCase cases[] = {
      {"ordinary", "C:\\Tools", "D:\\Photos\\", "E:\\Found\\",
       header("C:\\Tools", "D:\\Photos\\", "E:\\Found\\")},
      {"folders typed without a backslash get one", "C:\\Tools", "D:\\Photos", "E:\\Found",
       header("C:\\Tools", "D:\\Photos\\", "E:\\Found\\")},
      {"drive roots keep their one backslash", "D:\\", "D:\\", "E:\\",
       header("D:\\", "D:\\", "E:\\")},
      {"lone backslash is kept as it is", "C:\\Tools", "\\", "\\", header("C:\\Tools", "\\", "\\")},
      {"slash counts as a separator", "C:\\Tools", "D:/Photos/", "E:/Found/",
       header("C:\\Tools", "D:/Photos/", "E:/Found/")},
      {"spaces stay inside the quotes", "C:\\Program Files\\Kestrafil", "D:\\My Photos",
       "E:\\Found Files\\",
       header("C:\\Program Files\\Kestrafil", "D:\\My Photos\\", "E:\\Found Files\\")},
      {"percent signs are doubled, other specials pasted raw", "C:\\50%off", "D:\\a&b ^c (1)!%x%",
       "E:\\100% done", header("C:\\50%%off", "D:\\a&b ^c (1)!%%x%%\\", "E:\\100%% done\\")},
      {"a trail byte 0x5C is no backslash", "C:\\\xD5\x5C", "D:\\\xD5\x5C", "E:\\\xD5\x5C\\",
       header("C:\\\xD5\x5C", "D:\\\xD5\x5C\\", "E:\\\xD5\x5C\\")},
      {"unknown current directory names the drive's root", "", "D:\\Photos\\", "E:\\Found\\",
       header("", "D:\\Photos\\", "E:\\Found\\")},
      {"empty folders stay empty", "C:\\Tools", "", "", header("C:\\Tools", "", "")},
      {"a path copied as a path loses its quotes", "\"C:\\Tools\"", "\"D:\\My Photos\"",
       "\"E:\\Found\\\"", header("C:\\Tools", "D:\\My Photos\\", "E:\\Found\\")},
      {"a quote cannot close the value and run a command", "C:\\a\"&calc&\"b", "D:\\a\"&calc&\"b",
       "E:\\x\" | del *.* > \"y",
       header("C:\\a&calc&b", "D:\\a&calc&b\\", "E:\\x | del *.* > y\\")},
      {"a line feed ends the text and the command after it is dropped", "C:\\Tools\r\ncalc",
       "D:\\Photos\\\ncalc.exe", "E:\\Found\n\"&del *.*",
       header("C:\\Tools", "D:\\Photos\\", "E:\\Found\\")},
      {"a carriage return alone ends the text too", "C:\\Tools\rcalc", "D:\\Photos\rcalc",
       "E:\\Found\\\r", header("C:\\Tools", "D:\\Photos\\", "E:\\Found\\")},
      {"a text of only quotes or starting with a line break is empty", "\"", "\"\"", "\r\nE:\\",
       header("", "", "")},
      {"the backslash rule reads the text without its quotes", "C:\\Tools", "D:\\\xD5\"\\",
       "E:\\Found\"\\\"", header("C:\\Tools", "D:\\\xD5\x5C\\", "E:\\Found\\")},
      {"control bytes are dropped: a Ctrl-Z would end the line for the interpreter",
       "C:\\To\x1Aols", "D:\\Pho\ttos\x1A&calc",
       "E:\\\x01"
       "Found\x1F",
       header("C:\\Tools", "D:\\Photos&calc\\", "E:\\Found\\")},
      {"percent signs before a line break are still doubled", "C:\\50%\r\n%x%", "D:\\100%\n%x%",
       "E:\\%\"%", header("C:\\50%%", "D:\\100%%\\", "E:\\%%%%\\")},
  };
  const testing::FakePlatform gbk;
  for (const auto& c : cases) {
    const auto script =
        compose_script({c.current_directory, c.search_folder, c.save_folder, kBody}, gbk);
    EXPECT_EQ(std::string(script), c.header + std::string(kBody)) << c.name;
  }
}

TEST(SearchScript, AFolderThatTheLoopVariableWouldRewriteIsRecognised) {
  const struct {
    const char* name;
    TextView folder;
    bool rewritten;
  } cases[] = {
      {"%a", "D:\\50%and more\\", true},
      {"%~ with modifiers", "D:\\%~dpa", true},
      {"%~ alone", "D:\\x%~", true},
      {"%a once a control byte between is dropped",
       "D:\\%\x1A"
       "a",
       true},
      {"%a once a quote between is dropped", "D:\\%\"a", true},
      {"%A is another variable", "D:\\%A", false},
      {"%b is no loop variable of the body", "D:\\%b", false},
      {"a lone %", "D:\\100%", false},
      {"after a line break nothing goes into the script", "D:\\x\r\n%a", false},
      {"a GBK character whose trail byte is a",
       "D:\\\xB0"
       "a",
       false},
  };
  for (const auto& c : cases) EXPECT_EQ(rewritten_by_loop(c.folder), c.rewritten) << c.name;
}

TEST(SearchScript, BodyFollowsTheHeaderUntouched) {
  const testing::FakePlatform gbk;
  const auto script = compose_script({"C:\\Tools", "D:\\", "E:\\", kScriptBody}, gbk);
  const auto head = header("C:\\Tools", "D:\\", "E:\\");
  ASSERT_EQ(script.size(), head.size() + kScriptBody.size());
  EXPECT_EQ(TextView(script).substr(0, head.size()), head);
  EXPECT_EQ(TextView(script).substr(head.size()), kScriptBody);  // its %% stay as they are
}

// The script box's text, in GBK bytes: %%a as the loop variable, the name list read through a
// quoted path and the save folder quoted as the copy target.
TEST(SearchScript, BodyIsTheFifteenLinesOfTheScriptBox) {
  const std::vector<std::string> lines = {
      "echo \xC7\xE5\xBF\xD5\xC1\xD9\xCA\xB1\xCE\xC4\xBC\xFEUM7Y9X4K.txt",
      "if exist UM7Y9X4K.txt del UM7Y9X4K.txt",
      "echo.",
      "for /f \"usebackq delims=\" %%a in (\"%jpgname%\") do (",
      "echo \xB2\xE9\xD5\xD2\xCE\xC4\xBC\xFE: %%a,\xC7\xEB\xB5\xC8\xB4\xFD\xA1\xA3\xA1\xA3\xA1\xA3",
      "dir/b/s \"%jpgpath%%%a\">>UM7Y9X4K.txt",
      ")",
      "echo.",
      "echo \xB2\xE9\xD5\xD2\xBD\xE1\xB9\xFB\xB1\xA3\xB4\xE6\xD4\xDA:UM7Y9X4K.txt",
      "echo.",
      "echo "
      "\xD5\xFD\xD4\xDA\xB8\xB4\xD6\xC6\xCE\xC4\xBC\xFE\xA3\xAC\xC7\xEB\xB5\xC8\xB4\xFD\xA1\xA3"
      "\xA1\xA3\xA1\xA3",
      "for /f \"delims=\" %%a in (UM7Y9X4K.txt) do copy \"%%a\" \"%Udrvpath%\"",
      "echo.",
      "echo \xCD\xEA\xB3\xC9\xA3\xA1",
      "echo.",
  };
  std::string body;
  std::vector<std::size_t> lengths;
  for (const auto& line : lines) {
    body += line + "\r\n";
    lengths.push_back(line.size());
  }
  EXPECT_EQ(lengths,
            (std::vector<std::size_t>{29, 38, 5, 51, 31, 36, 1, 5, 32, 5, 31, 65, 5, 11, 5}));
  EXPECT_EQ(body.size(), 380u);
  EXPECT_EQ(kScriptBody, body);
  EXPECT_EQ(control_row(Control::批处理框).text, kScriptBody);
}

}  // namespace
}  // namespace kestrafil
