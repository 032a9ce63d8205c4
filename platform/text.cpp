#include "platform/text.h"

#include <cstdlib>
#include <new>

namespace kestrafil {
namespace {
TextMemory* g_memory = nullptr;
}

TextMemoryScope::TextMemoryScope(TextMemory& memory) : previous_(g_memory) {
  g_memory = &memory;
}

TextMemoryScope::~TextMemoryScope() {
  g_memory = previous_;
}

namespace detail {

void* allocate_text_bytes(std::size_t bytes) {
  if (g_memory == nullptr) {
    if (void* block = std::malloc(bytes)) return block;
    throw std::bad_alloc();
  }
  if (void* block = g_memory->allocate(bytes)) return block;
  g_memory->out_of_memory(bytes);
  throw std::bad_alloc();  // for a memory source that does not end the program after all
}

void release_text_bytes(void* block) noexcept {
  std::free(block);
}

}  // namespace detail

TextView last_character(TextView text, const CodePage& code_page) {
  // Double-byte characters can only be told apart walking from the start.
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    start = i;
    const bool pair =
        code_page.is_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    i += pair ? 2 : 1;
  }
  return text.substr(start);
}

bool ends_with_separator(TextView text, const CodePage& code_page) {
  const auto last = last_character(text, code_page);
  return last == "\\" || last == "/";
}

}  // namespace kestrafil
