// Which event of which source runs which command.
#pragma once

#include <optional>
#include <variant>

#include "app/commands.h"
#include "platform/window_design.h"
#include "window/layout.h"

namespace kestrafil {

using EventSource = std::variant<Control, MenuEntry>;

enum class Event { click, chosen };

struct Binding {
  EventSource source;
  Event event;
  Command command;
};

std::optional<Command> bound_command(EventSource source, Event event);

}  // namespace kestrafil
