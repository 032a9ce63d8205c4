// Waiting while the main window keeps answering: every waiting message is handled as the
// event loop would handle it.
#pragma once

#include "window/main_window.h"

namespace kestrafil {

// Returns once more than `milliseconds` have passed on the tick count; at once for 0 or less.
// It never sleeps, and the time that a handler takes counts toward the wait.
void event_serving_wait(MainWindow& window, int milliseconds);

}  // namespace kestrafil
