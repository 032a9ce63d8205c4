#include "tests/fake/event_loop_step.h"

namespace kestrafil::testing {
namespace {

constexpr unsigned kTestStep = 0x0400;  // dispatched like any other message of the program

}  // namespace

int run_step_in_event_loop(FakePlatform& fake, App& app, const std::function<void()>& step) {
  fake.on_dispatch = [&](const Message& message) {
    if (message.id == kTestStep) step();
  };
  fake.post(kTestStep);
  fake.post(kQuitMessage, 0, WindowRef{});
  const int exit_code = app.run();
  fake.on_dispatch = nullptr;
  return exit_code;
}

}  // namespace kestrafil::testing
