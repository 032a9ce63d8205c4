#include "search/job_files.h"

#include "search/owned_handle.h"

namespace kestrafil {

Text name_list_path(TextView directory) {
  return joined({directory, "/file.txt"});
}

Text script_path(TextView temporary_directory) {
  return joined({temporary_directory, "/XXXX.BAT"});
}

Text temporary_directory(ProcessServices& services) {
  Text directory = services.temp_path();
  // The last byte is enough: Windows ends the temporary path with a real backslash, never
  // with the trail byte of a double-byte character.
  if (!directory.empty() && directory.back() != '\\') directory += '\\';
  return directory;
}

SystemError write_file(ProcessServices& services, TextView path, TextView bytes) {
  OwnedHandle<FileRef> file(services, services.create_file_for_writing(path));
  if (!file) return services.last_error();
  if (!bytes.empty()) {
    const auto result = services.write_file(file.get(), bytes);
    // Taken before the close, which would overwrite the reason.
    if (!result.ok) return services.last_error();
    if (result.written != bytes.size()) return SystemError::disk_full;
  }
  if (!file.close()) return services.last_error();
  return SystemError::none;
}

}  // namespace kestrafil
