#include "tests/wine/support/typing.h"

#include <vector>

namespace wine_test {
namespace {

INPUT key(WORD virtual_key, WORD scan, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  return input;
}

bool send(std::vector<INPUT>& inputs) {
  const auto count = static_cast<UINT>(inputs.size());
  return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

}  // namespace

bool type_text(std::string_view text) {
  std::vector<INPUT> inputs;
  for (const char c : text) {
    const auto unit = static_cast<WORD>(static_cast<unsigned char>(c));
    inputs.push_back(key(0, unit, KEYEVENTF_UNICODE));
    inputs.push_back(key(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  return send(inputs);
}

bool press_together(std::initializer_list<WORD> virtual_keys) {
  std::vector<INPUT> inputs;
  for (const WORD k : virtual_keys) {
    inputs.push_back(key(k, static_cast<WORD>(MapVirtualKeyA(k, MAPVK_VK_TO_VSC)), 0));
  }
  for (auto k = std::rbegin(virtual_keys); k != std::rend(virtual_keys); ++k) {
    inputs.push_back(
        key(*k, static_cast<WORD>(MapVirtualKeyA(*k, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP));
  }
  return send(inputs);
}

}  // namespace wine_test
