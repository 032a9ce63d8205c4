#include "app/keys.h"

namespace kestrafil {

KeyAction key_action(unsigned key, KeyModifiers m) {
  if (key == kTabKey && !m.ctrl && !m.alt) {
    return m.shift ? KeyAction::focus_previous : KeyAction::focus_next;
  }
  if (key == kEscapeKey && !m.shift && !m.ctrl && !m.alt) return KeyAction::close_window;
  return KeyAction::pass_on;
}

}  // namespace kestrafil
