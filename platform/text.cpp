#include "platform/text.h"

#include <cstdlib>

namespace kestrafil {
namespace {
// Where every Text gets its memory. The allocator of std::basic_string carries no state, so
// the source can only be found through this one pointer, which TextMemoryScope sets.
TextMemory* g_memory = nullptr;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
}  // namespace

TextMemoryScope::TextMemoryScope(TextMemory& memory) : previous_(g_memory) {
  g_memory = &memory;
}

TextMemoryScope::~TextMemoryScope() {
  g_memory = previous_;
}

namespace detail {

void* allocate_text_bytes(std::size_t bytes) {
  if (g_memory == nullptr) {
    // NOLINTNEXTLINE(cppcoreguidelines-no-malloc): texts are C-heap blocks, given back with free
    if (void* block = std::malloc(bytes)) return block;
    // Without a memory source there is no one to tell; the program always has one while it runs.
    std::abort();
  }
  if (void* block = g_memory->allocate(bytes)) return block;
  g_memory->out_of_memory(bytes);
  std::abort();  // not reached: out_of_memory ends the program
}

void release_text_bytes(void* block) noexcept {
  std::free(block);  // NOLINT(cppcoreguidelines-no-malloc): see allocate_text_bytes
}

}  // namespace detail

Text joined(std::initializer_list<TextView> pieces) {
  std::size_t size = 0;
  for (const auto piece : pieces) size += piece.size();
  Text text;
  text.reserve(size);
  for (const auto piece : pieces) text.append(piece);
  return text;
}

TextView last_character(TextView text, const CodePage& code_page) {
  // Double-byte characters can only be told apart walking from the start.
  std::size_t start = 0;
  std::size_t next = 0;
  while (next < text.size()) {
    start = next;
    const bool pair =
        code_page.is_lead_byte(static_cast<unsigned char>(text[next])) && next + 1 < text.size();
    next += pair ? 2 : 1;
  }
  return text.substr(start);
}

bool ends_with_separator(TextView text, const CodePage& code_page) {
  const auto last = last_character(text, code_page);
  return last == "\\" || last == "/";
}

}  // namespace kestrafil
