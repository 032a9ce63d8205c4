// Where a search job's files go, and how they are written.
#pragma once

#include "platform/process_services.h"
#include "platform/text.h"

namespace kestrafil {

// As Windows reports it: no trailing backslash except for a drive root; empty when unknown.
Text current_directory(ProcessServices& services);

// Ends with a backslash unless it is empty (unknown).
Text temporary_directory(ProcessServices& services);

// Joined without a separator test, so a drive root gives D:\/file.txt and the temporary
// directory C:\Temp\/XXXX.BAT; Windows reads both.
Text name_list_path(TextView directory);
Text script_path(TextView temporary_directory);

// Replaces the file with exactly these bytes. False when the path is empty, the file cannot
// be made, fewer bytes were written or the close failed; what was written stays.
bool write_file(ProcessServices& services, TextView path, TextView bytes);

}  // namespace kestrafil
