#include "app/app.h"
#include "app/commands.h"

namespace kestrafil {

void view_command(App&) {}

}  // namespace kestrafil
