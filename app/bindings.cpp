#include "app/bindings.h"

#include <array>

namespace kestrafil {
namespace {

const std::array kBindings{
    Binding{Control::按钮1, Event::click, Command::start},
    Binding{Control::按钮2, Event::click, Command::search_folder},
    Binding{Control::按钮3, Event::click, Command::save_folder},
    Binding{Control::按钮4, Event::click, Command::view},
    Binding{MenuEntry::choose_search_folder, Event::chosen, Command::search_folder},
    Binding{MenuEntry::choose_save_folder, Event::chosen, Command::save_folder},
    Binding{MenuEntry::about, Event::chosen, Command::about},
    Binding{MenuEntry::usage, Event::chosen, Command::usage},
};

struct CommandRow {
  Command command;
  void (*run)(App&);
};

constexpr std::array kCommands{
    CommandRow{Command::start, start_command},
    CommandRow{Command::search_folder, search_folder_command},
    CommandRow{Command::save_folder, save_folder_command},
    CommandRow{Command::view, view_command},
    CommandRow{Command::about, about_command},
    CommandRow{Command::usage, usage_command},
};

}  // namespace

std::optional<Command> bound_command(EventSource source, Event event) {
  for (const auto& binding : kBindings) {
    if (binding.source == source && binding.event == event) return binding.command;
  }
  return std::nullopt;
}

void run_command(Command command, App& app) {
  for (const auto& row : kCommands) {
    if (row.command == command) row.run(app);
  }
}

}  // namespace kestrafil
