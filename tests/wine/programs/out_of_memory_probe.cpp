// Built as Kestrafil.exe is (without exceptions, with its runtime file): the program's start-up
// as far as its memory source, then one operator new that no 32-bit process can satisfy. The
// Wine tests check that it ends as the program ends when memory runs out.
#include <windows.h>

#include <cstddef>
#include <new>

#include "app/app.h"
#include "platform/win32/win32_platform.h"

namespace {

// Read and written through volatile, so that the compiler can neither know the size nor drop
// the allocation.
volatile std::size_t g_bytes = 0x7FFFFFF0;
void* volatile g_block = nullptr;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  kestrafil::Win32Platform platform(instance);
  kestrafil::App app(platform);
  const kestrafil::TextMemoryScope memory(app);
  g_block = ::operator new(g_bytes);
  return 0;
}
