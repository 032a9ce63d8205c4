// The environment block that a child process gets: the program's own, changed as asked.
#pragma once

#include <string>

#include "platform/process_services.h"

namespace kestrafil {

// A UTF-16 block for CREATE_UNICODE_ENVIRONMENT, so that no variable loses characters outside
// the ANSI code page on its way through. Names compare without regard to case, as Windows
// compares them, and the block stays sorted by name, as Windows expects.
std::wstring changed_environment(std::span<const TextView> removed,
                                 std::span<const EnvironmentVariable> added);

}  // namespace kestrafil
