// Waiting while the main window keeps answering: every waiting message is handled as the
// event loop would handle it.
#pragma once

namespace kestrafil {

class App;

// Handles the waiting messages one at a time until the queue is empty or its head is WM_QUIT,
// which stays for the event loop.
void serve_events(App& app);

// Returns once more than `milliseconds` have passed on the tick count; at once for 0 or less.
// It never sleeps, and the time that a handler takes counts toward the wait.
void event_serving_wait(App& app, int milliseconds);

}  // namespace kestrafil
