// The script composition under hostile texts: each pasted text may only change the value of its
// own set line, and every other byte of the script is the fixed header and body. A folder that
// the Start command lets through also comes out of the body's loops as it went in.
// Input: a byte that picks the code page, then the current directory, the search folder and the
// save folder, separated by NUL bytes (a text read from Windows never holds one).
#include <cstddef>
#include <cstdint>
#include <string>

#include "search/script.h"
#include "tests/fuzz/reference.h"
#include "window/script_body.h"

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

constexpr unsigned char kFirstPrintable = 0x20;

// The value as the interpreter reads it back: no control byte (a line break, or a Ctrl-Z that
// ends a line too), every % doubled, %% read as %.
std::string read_back(TextView value, const char* what) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    require(static_cast<unsigned char>(value[i]) >= kFirstPrintable, what);
    if (value[i] == '%') {
      require(i + 1 < value.size() && value[i + 1] == '%', what);
      ++i;
    }
    text += value[i];
  }
  return text;
}

// The first line of the pasted text without its quotes and control bytes; a folder that is not
// empty then ends in a separator, with a backslash added when it has none.
std::string meant(TextView pasted, bool folder, const CodePage& code_page) {
  std::string text;
  for (const char byte : pasted) {
    if (byte == '\r' || byte == '\n') break;
    if (byte != '"' && static_cast<unsigned char>(byte) >= kFirstPrintable) text += byte;
  }
  if (folder && !text.empty() && !ends_in_separator(text, code_page)) text += '\\';
  return text;
}

// Inside the body's loops over %%a the interpreter expands %jpgpath% and %Udrvpath% first, then
// replaces the loop variable in what they gave: %a, and %~ with modifier letters (and an
// optional $variable:) before the a. Tells whether that would change the folder's value.
bool loop_rewrites(TextView value) {
  constexpr TextView kModifiers = "fdpnxsatz";
  for (std::size_t i = 0; i + 1 < value.size(); ++i) {
    if (value[i] != '%') continue;
    if (value[i + 1] == 'a') return true;
    if (value[i + 1] != '~') continue;
    std::size_t j = i + 2;
    while (j < value.size() && kModifiers.find(value[j]) != TextView::npos) {
      if (value[j] == 'a') return true;
      ++j;
    }
    if (j < value.size() && value[j] == '$') {
      const auto colon = value.find(':', j);
      if (colon != TextView::npos && colon + 1 < value.size() && value[colon + 1] == 'a') {
        return true;
      }
    }
  }
  return false;
}

// A folder the Start command accepts keeps its value through the loops.
void require_kept_by_loops(TextView pasted, const std::string& read_value, const char* what) {
  if (rewritten_by_loop(pasted)) return;
  require(!loop_rewrites(read_value), what);
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
  const auto search_value =
      read_back(take_value(rest, "search folder is closed by a quote"), "search folder");
  require(search_value == meant(search_folder, true, code_page),
          "search folder reads back as meant");
  require_kept_by_loops(search_folder, search_value, "an accepted search folder is kept by loops");
  expect_literal(rest, "\"\r\nset \"Udrvpath=", "save folder line follows");
  const auto save_value =
      read_back(take_value(rest, "save folder is closed by a quote"), "save folder");
  require(save_value == meant(save_folder, true, code_page), "save folder reads back as meant");
  require_kept_by_loops(save_folder, save_value, "an accepted save folder is kept by loops");
  expect_literal(rest, "\"\r\n", "header ends after the save folder");
  require(rest == kScriptBody, "body follows the header untouched");
  return 0;
}
