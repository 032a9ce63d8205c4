// The fixed body of the search-job script. The hidden script box holds it, and the Start
// command reads it from there.
#pragma once

#include <string_view>

namespace kestrafil {

// %%a, not a digit, as the loop variable: other command interpreters run no loop over a digit.
// The name list is read through a quoted path so a folder with spaces still works, and the
// save folder is quoted as a copy target for the same reason.
inline constexpr std::string_view kScriptBody =
    "echo 清空临时文件UM7Y9X4K.txt\r\n"
    "if exist UM7Y9X4K.txt del UM7Y9X4K.txt\r\n"
    "echo.\r\n"
    "for /f \"usebackq delims=\" %%a in (\"%jpgname%\") do (\r\n"
    "echo 查找文件: %%a,请等待。。。\r\n"
    "dir/b/s \"%jpgpath%%%a\">>UM7Y9X4K.txt\r\n"
    ")\r\n"
    "echo.\r\n"
    "echo 查找结果保存在:UM7Y9X4K.txt\r\n"
    "echo.\r\n"
    "echo 正在复制文件，请等待。。。\r\n"
    "for /f \"delims=\" %%a in (UM7Y9X4K.txt) do copy \"%%a\" \"%Udrvpath%\"\r\n"
    "echo.\r\n"
    "echo 完成！\r\n"
    "echo.\r\n";

}  // namespace kestrafil
