#pragma once

#include <functional>

#include "app/app.h"
#include "tests/fake/fake_platform.h"

namespace kestrafil::testing {

// Runs `step` inside the program's event loop, where clicks and menu choices run their
// commands. The loop then ends with a quit rather than a close, so the window stays and its
// boxes can be read afterwards. Gives the loop's exit code.
int run_step_in_event_loop(FakePlatform& fake, App& app, const std::function<void()>& step);

}  // namespace kestrafil::testing
