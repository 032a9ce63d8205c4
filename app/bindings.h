// Which event of which source runs which command.
#pragma once

#include <variant>

#include "window/layout.h"
#include "window/main_window.h"

namespace kestrafil {

using EventSource = std::variant<Control, MenuEntry>;

enum class Event { click, chosen };

// A command: a procedure without result that works on the main window only through its
// operations, and cannot tell which source raised it.
using Command = void (*)(MainWindow& window);

struct Binding {
  EventSource source;
  Event event;
  Command command;
};

// The command bound to this event of this source; nullptr for none.
Command bound_command(EventSource source, Event event);

}  // namespace kestrafil
