// Why a search job was not started, in the words its message gives the user.
#pragma once

#include "platform/process_services.h"
#include "platform/text.h"

namespace kestrafil {

struct JobFailure {
  enum class Step { write, start };
  Step step = Step::start;
  Text file;  // the file that could not be written, for a write
  SystemError error = SystemError::none;
};

// "无法写入文件：<file>\r\n<reason>" or "无法启动搜索：<reason>", the reason in Windows' own words
// (or its error number when Windows has none).
Text failure_message(const JobFailure& failure, ProcessServices& services);

}  // namespace kestrafil
