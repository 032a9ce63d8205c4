#include "search/event_wait.h"

#include <cstdint>

namespace kestrafil {

void event_serving_wait(MainWindow& window, int milliseconds) {
  if (milliseconds <= 0) return;
  auto& platform = window.platform();
  const auto limit = static_cast<std::uint32_t>(milliseconds);
  const std::uint32_t start = platform.tick_count();
  for (;;) {
    // Served before every look at the clock, so what is waiting is handled even when the time
    // is already up. Twice, because handling a message can queue the next one: TranslateMessage
    // posts the character of a key press, and a click's handler may post its follow-ups; the
    // second pass takes them at once rather than after another round of the loop.
    window.serve_events();
    window.serve_events();
    // Unsigned subtraction keeps counting right when the tick count wraps after 49.7 days.
    if (platform.tick_count() - start > limit) return;
    window.serve_events();
    window.serve_events();
  }
}

}  // namespace kestrafil
