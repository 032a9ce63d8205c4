#include "search/run_program.h"

#include "search/owned_handle.h"

namespace kestrafil {
namespace {

constexpr unsigned kInputIdleLimitMs = 1000;

}  // namespace

Text command_line_for(TextView program_path) {
  Text line;
  line.reserve(program_path.size() + 2);
  line.append("\"").append(program_path).append("\"");
  return line;
}

bool run_program(ProcessServices& services, TextView command_line) {
  const auto started = services.create_process(command_line);
  if (!started) return false;
  // Declared in this order so the thread's handle is closed before the process's.
  const OwnedHandle process(services, started->process);
  const OwnedHandle thread(services, started->thread);
  services.wait_for_input_idle(process.get(), kInputIdleLimitMs);
  return true;
}

}  // namespace kestrafil
