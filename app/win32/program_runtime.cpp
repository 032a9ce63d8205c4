// Kestrafil.exe is built without exceptions and RTTI; this file stands in for the two parts of
// the C++ runtime that would bring them back in. Without it the library's exception machinery,
// unwinder and demangler come along, two thirds of the executable. Only the program links it;
// the tests keep the library's own.
//
// - operator new and delete take their blocks where texts take theirs, so a block that cannot
//   be had ends in the fatal-error box that names its byte count, with exit code -1, as a text
//   does; an exception here would have ended the program with no word of why.
// - The library's __throw_* helpers, which its containers call on misuse (an index out of
//   range, a length beyond max_size), end the process as the uncaught exception did.
#include <cstdlib>
#include <new>

#include "platform/text.h"

void* operator new(std::size_t bytes) {
  return kestrafil::detail::allocate_text_bytes(bytes == 0 ? 1 : bytes);
}

void* operator new[](std::size_t bytes) {
  return operator new(bytes);
}

void operator delete(void* block) noexcept {
  kestrafil::detail::release_text_bytes(block);
}

void operator delete[](void* block) noexcept {
  operator delete(block);
}

void operator delete(void* block, std::size_t /*bytes*/) noexcept {
  operator delete(block);
}

void operator delete[](void* block, std::size_t /*bytes*/) noexcept {
  operator delete(block);
}

namespace std {

void __throw_bad_alloc() {
  abort();
}

void __throw_bad_array_new_length() {
  abort();
}

void __throw_length_error(const char* /*what*/) {
  abort();
}

void __throw_logic_error(const char* /*what*/) {
  abort();
}

void __throw_out_of_range_fmt(const char* /*format*/, ...) {
  abort();
}

}  // namespace std
