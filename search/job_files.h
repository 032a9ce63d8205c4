// Where a search job's files go, and how they are written.
#pragma once

#include "platform/process_services.h"
#include "platform/text.h"

namespace kestrafil {

// Joined without a separator test, so a drive root gives D:\/file.txt and the temporary
// directory C:\Temp\/XXXX.BAT; Windows reads both.
Text name_list_path(TextView directory);
Text script_path(TextView temporary_directory);

// Ends with a backslash unless it is empty (unknown).
Text temporary_directory(ProcessServices& services);

// Replaces the file with exactly these bytes; none when it did, else why not. What was written
// before a failure stays.
SystemError write_file(ProcessServices& services, TextView path, TextView bytes);

}  // namespace kestrafil
