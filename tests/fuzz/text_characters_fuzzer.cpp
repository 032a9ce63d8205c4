// The double-byte scanning of a text against the reference reading, in every code page kind.
// Input: a byte that picks the code page, then the text.
#include <cstddef>
#include <cstdint>

#include "platform/text.h"
#include "tests/fuzz/reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrafil;
  using fuzz::require;
  if (size == 0) return 0;
  const CodePage& code_page = fuzz::code_page_for(data[0]);
  const TextView text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const TextView last = last_character(text, code_page);
  const std::size_t start = fuzz::last_character_start(text, code_page);
  require(last.data() == text.data() + start, "last character begins where the reading says");
  require(last.size() == text.size() - start, "last character runs to the end of the text");
  require(ends_with_separator(text, code_page) == fuzz::ends_in_separator(text, code_page),
          "separator test agrees with the reading");
  return 0;
}
