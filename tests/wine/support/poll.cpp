#include "tests/wine/support/poll.h"

#include <windows.h>

namespace wine_test {

bool wait_until(const std::function<bool()>& condition, unsigned timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
  return true;
}

}  // namespace wine_test
