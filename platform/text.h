// Text: bytes in the system's ANSI code page (GBK for every Chinese text of this program).
// Lengths and positions count bytes. The empty text and the absent text are the same thing.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kestrafil {

// Where text memory comes from. The program's texts can be as large as a pasted list of a
// million names, so running out of memory is a real case: it ends the program with a message
// naming the byte count instead of an unexplained crash.
class TextMemory {
 public:
  virtual ~TextMemory() = default;
  // Gives `bytes` bytes from the C heap (released with free), or nullptr when they cannot be had.
  virtual void* allocate(std::size_t bytes) = 0;
  // Ends the program because `bytes` bytes could not be had; never returns.
  [[noreturn]] virtual void out_of_memory(std::size_t bytes) = 0;
};

// Installs a memory source for every Text for the lifetime of the scope; without one, texts
// come from malloc and exhaustion aborts. Texts are always released with free.
class TextMemoryScope {
 public:
  explicit TextMemoryScope(TextMemory& memory);
  ~TextMemoryScope();
  TextMemoryScope(const TextMemoryScope&) = delete;
  TextMemoryScope& operator=(const TextMemoryScope&) = delete;

 private:
  TextMemory* previous_;
};

namespace detail {
// Never gives nullptr: a block that cannot be had ends the program through the memory source.
void* allocate_text_bytes(std::size_t bytes);
void release_text_bytes(void* block) noexcept;
}  // namespace detail

template <class T>
struct TextAllocator {
  using value_type = T;
  TextAllocator() = default;
  template <class U>
  explicit TextAllocator(const TextAllocator<U>& /*other*/) {}
  static T* allocate(std::size_t count) {
    return static_cast<T*>(detail::allocate_text_bytes(count * sizeof(T)));
  }
  static void deallocate(T* block, std::size_t /*count*/) noexcept {
    detail::release_text_bytes(block);
  }
  friend bool operator==(const TextAllocator& /*left*/, const TextAllocator& /*right*/) {
    return true;
  }
};

using Text = std::basic_string<char, std::char_traits<char>, TextAllocator<char>>;
using TextView = std::string_view;

// The pieces' bytes in order, with nothing between them.
Text joined(std::initializer_list<TextView> pieces);

// Tells whether a byte starts a double-byte character in the ANSI code page.
class CodePage {
 public:
  virtual ~CodePage() = default;
  [[nodiscard]] virtual bool is_lead_byte(unsigned char byte) const = 0;
};

// The last character of a text as the code page reads it (one or two bytes; empty for an
// empty text). The trail byte of a double-byte character may be 0x5C and is no backslash.
TextView last_character(TextView text, const CodePage& code_page);

// True when the last character is a backslash or a slash.
bool ends_with_separator(TextView text, const CodePage& code_page);

}  // namespace kestrafil
