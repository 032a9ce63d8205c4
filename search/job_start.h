// Starting the job's script through the system's own command interpreter, so that it runs the
// same on every Windows whatever the user has set up for the interpreter.
#pragma once

#include <array>
#include <vector>

#include "platform/process_services.h"
#include "platform/text.h"
#include "search/job_lock.h"

namespace kestrafil {

// The interpreter and how it is asked to run the script.
struct InterpreterStart {
  Text program;
  Text command_line;
  std::vector<EnvironmentVariable> added_variables;
};

// /d skips the user's AutoRun commands; /e:on and /v:off fix extensions on (for /f needs them)
// and delayed expansion off (it would eat ! in names), whatever the registry says. The paths
// reach the interpreter through variables: a value that %name% expands is not expanded again,
// so a % in a path stays a character, and within quotes & ^ ( ) do too. An interpreter cannot
// work in a network folder (\\server\share), so there it maps a drive to the folder for the
// job and removes the mapping when the script ends.
InterpreterStart interpreter_start(TextView system_directory, TextView script,
                                   TextView working_folder);

// Environment variables that change what the script's commands do: DIRCMD can make dir pause
// at every name or change its list, COPYCMD can make copy ask before every replace.
inline constexpr std::array<TextView, 2> kRemovedVariables{"DIRCMD", "COPYCMD"};

// Starts the script in the program's current directory and hands the lock to its interpreter
// before it runs. Gives none, or why it could not start; then nothing runs and the lock stays
// here.
SystemError start_job(ProcessServices& services, JobLock& lock, TextView script);

}  // namespace kestrafil
