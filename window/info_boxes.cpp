#include "app/app.h"
#include "app/commands.h"

namespace kestrafil {

void about_command(App&) {}
void usage_command(App&) {}

}  // namespace kestrafil
