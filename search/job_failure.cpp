#include "search/job_failure.h"

#include <string>

namespace kestrafil {
namespace {

Text reason(SystemError error, ProcessServices& services) {
  Text words = services.describe_error(error);
  if (!words.empty()) return words;
  const auto number = std::to_string(static_cast<std::uint32_t>(error));
  return Text("错误代码：").append(number);
}

}  // namespace

Text failure_message(const JobFailure& failure, ProcessServices& services) {
  Text message;
  if (failure.step == JobFailure::Step::write) {
    message.append("无法写入文件：").append(failure.file).append("\r\n");
  } else {
    message.append("无法启动搜索：");
  }
  return message.append(reason(failure.error, services));
}

}  // namespace kestrafil
