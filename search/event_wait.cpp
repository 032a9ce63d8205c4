#include "search/event_wait.h"

#include <cstdint>

#include "app/app.h"

namespace kestrafil {

void serve_events(App& app) {
  auto& platform = app.platform();
  while (platform.peek_message() == QueueHead::message) {
    app.handle_message(platform.remove_message());
  }
}

void event_serving_wait(App& app, int milliseconds) {
  if (milliseconds <= 0) return;
  auto& platform = app.platform();
  const auto limit = static_cast<std::uint32_t>(milliseconds);
  const std::uint32_t start = platform.tick_count();
  for (;;) {
    serve_events(app);
    serve_events(app);
    // Unsigned subtraction keeps counting right when the tick count wraps after 49.7 days.
    if (platform.tick_count() - start > limit) return;
    serve_events(app);
    serve_events(app);
  }
}

}  // namespace kestrafil
