// The program's commands: procedures without arguments that a click or a menu choice runs.
#pragma once

namespace kestrafil {

class App;

enum class Command { start, search_folder, save_folder, view, about, usage };

void run_command(Command command, App& app);

// Each lives with the subsystem it belongs to.
void start_command(App& app);
void search_folder_command(App& app);
void save_folder_command(App& app);
void view_command(App& app);
void about_command(App& app);
void usage_command(App& app);

}  // namespace kestrafil
