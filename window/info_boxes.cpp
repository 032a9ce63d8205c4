#include "window/info_boxes.h"

namespace kestrafil {
namespace {

constexpr TextView kProgramName = "KestrafilV1.0";
constexpr TextView kAboutText = "KestrafilV1.0\r\n按文件名查找文件并复制到保存路径";

constexpr TextView kUsageTitle = "使用帮助";
constexpr TextView kUsageText =
    "1.首先请将需要搜索的文件名(包含扩展名)粘贴到本软件下方的文本框内，"
    "注意：每行必须是一个文件名且必须包含扩展名！\r\n"
    "2.选择搜索路径\r\n"
    "3.选择保存路径即可\r\n"
    "4.点击开始\r\n"
    "5.待搜索执行完毕，可点击查看按钮查看搜到的文件";

}  // namespace

void about_command(MainWindow& window) {
  window.show_message(kAboutText, MessageBoxStyle::ok, kProgramName);
}

void usage_command(MainWindow& window) {
  window.show_message(kUsageText, MessageBoxStyle::ok, kUsageTitle);
}

}  // namespace kestrafil
