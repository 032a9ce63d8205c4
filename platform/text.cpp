#include "platform/text.h"

#include <algorithm>
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

Text first_bytes(TextView text, long n) {
  if (n <= 0) return {};
  return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text last_bytes(TextView text, long n) {
  if (n <= 0) return {};
  const auto count = std::min(text.size(), static_cast<std::size_t>(n));
  return Text(text.substr(text.size() - count));
}

int compare_bytes(TextView a, TextView b) {
  const auto common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

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
