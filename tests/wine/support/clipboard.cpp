#include "tests/wine/support/clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/scoped.h"

namespace wine_test {
namespace {

using ScopedGlobal = kestrafil::Scoped<HGLOBAL, GlobalFree>;

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;

  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

}  // namespace

bool put_text_on_clipboard(std::string_view text) {
  // SetClipboardData needs an owner window; a message-only one will do, and the text stays on
  // the clipboard after the window is gone.
  const kestrafil::ScopedWindow owner(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                                      nullptr, GetModuleHandleA(nullptr), nullptr));
  if (!owner) return false;
  ScopedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) return false;
  auto* bytes = static_cast<char*>(GlobalLock(memory.get()));
  if (bytes == nullptr) return false;
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(memory.get());

  const OpenedClipboard clipboard(owner.get());
  if (!clipboard || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_TEXT, memory.get()) == nullptr) return false;
  memory.release();  // the clipboard owns it now
  return true;
}

}  // namespace wine_test
