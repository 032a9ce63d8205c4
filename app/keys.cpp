#include "app/keys.h"

namespace kestrafil {

KeyAction key_action(unsigned key, KeyModifiers modifiers) {
  if (key == kTabKey && !modifiers.ctrl && !modifiers.alt) {
    return modifiers.shift ? KeyAction::focus_previous : KeyAction::focus_next;
  }
  if (key == kEscapeKey && !modifiers.shift && !modifiers.ctrl && !modifiers.alt) {
    return KeyAction::close_window;
  }
  return KeyAction::pass_on;
}

}  // namespace kestrafil
