// Native handles as the core sees them: passed through untouched, each kind its own type, so a
// window cannot be closed as a file or freed as an item list. The zero value is none.
#pragma once

#include <cstdint>

namespace kestrafil {

enum class WindowRef : std::uintptr_t {};
enum class FileRef : std::uintptr_t {};
enum class EventRef : std::uintptr_t {};
enum class ProcessRef : std::uintptr_t {};
enum class ThreadRef : std::uintptr_t {};
// An item list that the shell's folder picker gives; the shell's allocator owns its memory.
enum class ItemListRef : std::uintptr_t {};

template <class Ref>
constexpr bool is_none(Ref handle) {
  return handle == Ref{};
}

}  // namespace kestrafil
