// The Start command: saves the name list, tests the inputs, writes and starts the script.
#pragma once

#include "window/main_window.h"

namespace kestrafil {

void start_command(MainWindow& window);

}  // namespace kestrafil
