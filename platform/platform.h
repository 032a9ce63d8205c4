// Everything the program asks of the operating system. One implementation talks to Win32;
// the tests use a fake.
#pragma once

#include "platform/process_services.h"
#include "platform/shell_services.h"
#include "platform/text.h"
#include "platform/window_system.h"

namespace kestrafil {

class Platform : public WindowSystem,
                 public ProcessServices,
                 public ShellServices,
                 public CodePage {};

}  // namespace kestrafil
