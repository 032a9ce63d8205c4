// Starting a program as a process of its own, without waiting for it to end.
#pragma once

#include "platform/process_services.h"
#include "platform/text.h"

namespace kestrafil {

// The program's path in double quotes: unquoted, a folder with a space would let Windows run
// another program whose path is a prefix of it.
Text command_line_for(TextView program_path);

// Starts the command line in the program's current directory, shown normally, gives the new
// process up to a second to get ready for input and lets go of it. False when it cannot start.
bool run_program(ProcessServices& services, TextView command_line);

}  // namespace kestrafil
