#include "tests/wine/support/box_text.h"

#include <string>

#include "tests/wine/support/poll.h"

namespace wine_test {

bool set_text(HWND control, std::string_view text) {
  const std::string terminated(text);
  DWORD_PTR taken = 0;
  return SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()),
                             SMTO_ABORTIFHUNG, kReaction, &taken) != 0 &&
         taken == TRUE;
}

}  // namespace wine_test
