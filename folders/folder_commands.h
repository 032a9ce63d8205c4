// The folder commands: each fills its folder box from the shell's folder picker.
#pragma once

#include "window/main_window.h"

namespace kestrafil {

void search_folder_command(MainWindow& window);
void save_folder_command(MainWindow& window);

}  // namespace kestrafil
