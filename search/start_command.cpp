#include "app/app.h"
#include "app/commands.h"

namespace kestrafil {

void start_command(App&) {}

}  // namespace kestrafil
