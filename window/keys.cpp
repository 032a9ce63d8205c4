#include "window/keys.h"

namespace kestrafil {

KeyAction key_action(Key key, KeyModifiers modifiers) {
  if (key == Key::tab && !modifiers.ctrl && !modifiers.alt) {
    return modifiers.shift ? KeyAction::focus_previous : KeyAction::focus_next;
  }
  if (key == Key::escape && !modifiers.shift && !modifiers.ctrl && !modifiers.alt) {
    return KeyAction::close_window;
  }
  return KeyAction::pass_on;
}

}  // namespace kestrafil
