// Waiting for what another process does: poll with a deadline, never a blind sleep.
// Times are milliseconds (<chrono> does not compile with the GBK execution charset).
#pragma once

#include <functional>

namespace wine_test {

// Long enough for a program to start under a wineserver that has just come up.
inline constexpr unsigned kPatience = 20000;
// Long enough for a program that runs to answer a key press or a message.
inline constexpr unsigned kReaction = 5000;

// True as soon as the condition holds; false once the timeout has passed without it.
bool wait_until(const std::function<bool()>& condition, unsigned timeout_ms = kPatience);

}  // namespace wine_test
