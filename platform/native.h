#pragma once

#include <cstdint>

namespace kestrafil {

// A native handle as the core sees it: a window, a kernel object, an item list or a COM
// object, passed through untouched. Zero is none.
using NativeHandle = std::uintptr_t;

}  // namespace kestrafil
