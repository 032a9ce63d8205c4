#include "search/job_start.h"

#include "search/owned_handle.h"

namespace kestrafil {
namespace {

constexpr unsigned kInputIdleLimitMs = 1000;
constexpr TextView kScriptVariable = "KESTRAFIL_SCRIPT";
constexpr TextView kFolderVariable = "KESTRAFIL_FOLDER";

bool is_network_folder(TextView folder) {
  return folder.starts_with("\\\\");
}

// "%NAME%": the interpreter reads the variable's value here, in quotes.
Text quoted_value_of(TextView variable) {
  return joined({"\"%", variable, "%\""});
}

}  // namespace

InterpreterStart interpreter_start(TextView system_directory, TextView script,
                                   TextView working_folder) {
  const bool network = is_network_folder(working_folder);
  InterpreterStart start;
  start.program = joined({system_directory, "\\cmd.exe"});
  const Text script_value = quoted_value_of(kScriptVariable);
  // /s: the interpreter takes what /c is given without its first and last quote.
  const Text run = network ? joined({"\"pushd ", quoted_value_of(kFolderVariable), " && (",
                                     script_value, " & popd)\""})
                           : joined({"\"", script_value, "\""});
  start.command_line = joined({"\"", start.program, "\" /d /e:on /v:off /s /c ", run});
  start.added_variables.push_back({kScriptVariable, script});
  if (network) start.added_variables.push_back({kFolderVariable, working_folder});
  return start;
}

SystemError start_job(ProcessServices& services, JobLock& lock, TextView script) {
  const Text system_directory = services.system_directory();
  if (system_directory.empty()) return services.last_error();
  const Text folder = services.current_directory();
  if (folder.empty()) return services.last_error();

  const auto interpreter = interpreter_start(system_directory, script, folder);
  const auto started =
      services.create_suspended_process({interpreter.program, interpreter.command_line,
                                         kRemovedVariables, interpreter.added_variables});
  if (!started) return services.last_error();
  // Declared in this order so the thread's handle is closed before the process's.
  const OwnedHandle<ProcessRef> process(services, started->process);
  const OwnedHandle<ThreadRef> thread(services, started->thread);

  if (!lock.hand_to(process.get())) {
    services.terminate_process(process.get());
    return lock.error();
  }
  if (!services.resume_thread(thread.get())) {
    const auto error = services.last_error();
    // It holds the lock now, which goes with it.
    services.terminate_process(process.get());
    return error;
  }
  // Its result is not looked at: for a console process such as the interpreter the wait fails
  // at once, and a wait that runs out says nothing about the job either.
  services.wait_for_input_idle(process.get(), kInputIdleLimitMs);
  return SystemError::none;
}

}  // namespace kestrafil
