#include "app/app.h"
#include "app/commands.h"

namespace kestrafil {

void search_folder_command(App&) {}
void save_folder_command(App&) {}

}  // namespace kestrafil
