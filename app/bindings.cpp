#include "app/bindings.h"

#include <array>

#include "folders/folder_commands.h"
#include "folders/view_command.h"
#include "search/start_command.h"
#include "window/info_boxes.h"

namespace kestrafil {
namespace {

const std::array kBindings{
    Binding{Control::按钮1, Event::click, start_command},
    Binding{Control::按钮2, Event::click, search_folder_command},
    Binding{Control::按钮3, Event::click, save_folder_command},
    Binding{Control::按钮4, Event::click, view_command},
    Binding{MenuEntry::choose_search_folder, Event::chosen, search_folder_command},
    Binding{MenuEntry::choose_save_folder, Event::chosen, save_folder_command},
    Binding{MenuEntry::about, Event::chosen, about_command},
    Binding{MenuEntry::usage, Event::chosen, usage_command},
};

}  // namespace

Command bound_command(EventSource source, Event event) {
  for (const auto& binding : kBindings) {
    if (binding.source == source && binding.event == event) return binding.command;
  }
  return nullptr;
}

}  // namespace kestrafil
