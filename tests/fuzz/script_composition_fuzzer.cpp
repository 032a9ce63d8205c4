// The script composition under hostile texts: each pasted text may only change the value of its
// own set line, and every other byte of the script is the fixed header and body.
// Input: a byte that picks the code page, then the current directory, the search folder and the
// save folder, separated by NUL bytes (a text read from Windows never holds one).
#include <cstddef>
#include <cstdint>
#include <string>

#include "search/script.h"
#include "search/script_body.h"
#include "tests/fuzz/reference.h"

namespace kestrafil::fuzz {
namespace {

TextView next_field(TextView& input) {
  const auto end = input.find('\0');
  const TextView field = input.substr(0, end);
  input.remove_prefix(end == TextView::npos ? input.size() : end + 1);
  return field;
}

void expect_literal(TextView& script, TextView literal, const char* what) {
  require(script.substr(0, literal.size()) == literal, what);
  script.remove_prefix(literal.size());
}

// A value runs up to the quote that closes its set "name=value".
TextView take_value(TextView& script, const char* what) {
  const auto end = script.find('"');
  require(end != TextView::npos, what);
  const TextView value = script.substr(0, end);
  script.remove_prefix(end);
  return value;
}

// The value as the interpreter reads it back: no line break, every % doubled, %% read as %.
std::string read_back(TextView value, const char* what) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    require(value[i] != '\r' && value[i] != '\n', what);
    if (value[i] == '%') {
      require(i + 1 < value.size() && value[i + 1] == '%', what);
      ++i;
    }
    text += value[i];
  }
  return text;
}

// The first line of the pasted text without its quotes; a folder that is not empty then ends in
// a separator, with a backslash added when it has none.
std::string meant(TextView pasted, bool folder, const CodePage& code_page) {
  std::string text;
  for (const char byte : pasted) {
    if (byte == '\r' || byte == '\n') break;
    if (byte != '"') text += byte;
  }
  if (folder && !text.empty() && !ends_in_separator(text, code_page)) text += '\\';
  return text;
}

}  // namespace
}  // namespace kestrafil::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrafil;
  using namespace kestrafil::fuzz;
  if (size == 0) return 0;
  const CodePage& code_page = code_page_for(data[0]);
  TextView input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const TextView directory = next_field(input);
  const TextView search_folder = next_field(input);
  const TextView save_folder = next_field(input);

  const Text script =
      compose_script({directory, search_folder, save_folder, kScriptBody}, code_page);
  TextView rest = script;
  expect_literal(rest, "@echo off\r\nset \"jpgname=", "script begins with its header");
  TextView list_path = take_value(rest, "name-list path is closed by a quote");
  require(list_path.ends_with("/file.txt"), "name-list path ends in /file.txt");
  list_path.remove_suffix(TextView("/file.txt").size());
  require(read_back(list_path, "current directory") == meant(directory, false, code_page),
          "current directory reads back as meant");
  expect_literal(rest, "\"\r\nset \"jpgpath=", "search folder line follows");
  require(read_back(take_value(rest, "search folder is closed by a quote"), "search folder") ==
              meant(search_folder, true, code_page),
          "search folder reads back as meant");
  expect_literal(rest, "\"\r\nset \"Udrvpath=", "save folder line follows");
  require(read_back(take_value(rest, "save folder is closed by a quote"), "save folder") ==
              meant(save_folder, true, code_page),
          "save folder reads back as meant");
  expect_literal(rest, "\"\r\n", "header ends after the save folder");
  require(rest == kScriptBody, "body follows the header untouched");
  return 0;
}
