// The view command: opens the save folder in the shell.
#pragma once

#include "window/main_window.h"

namespace kestrafil {

void view_command(MainWindow& window);

}  // namespace kestrafil
