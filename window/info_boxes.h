// The About and usage commands: each shows its information box.
#pragma once

#include "window/main_window.h"

namespace kestrafil {

void about_command(MainWindow& window);
void usage_command(MainWindow& window);

}  // namespace kestrafil
