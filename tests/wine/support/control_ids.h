// The child identifiers by which the tests address the program's controls.
#pragma once

namespace wine_test {

constexpr int k批处理框 = 100;
constexpr int k按钮1 = 110;
constexpr int k搜索路径框 = 120;
constexpr int k保存路径框 = 130;
constexpr int k标签2 = 140;
constexpr int k标签3 = 150;
constexpr int k按钮2 = 160;
constexpr int k按钮3 = 170;
constexpr int k编辑框1 = 180;
constexpr int k标签1 = 190;
constexpr int k按钮4 = 200;

}  // namespace wine_test
