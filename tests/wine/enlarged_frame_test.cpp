// Taller caption and menu bars, as larger text settings give them: the window grows just enough
// for its controls, still centred. Wine reads these metrics from the registry when a process
// starts, so the test sets them for the program's start and puts the old values back after.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/wine/support/kestrafil_process.h"

namespace wine_test {
namespace {

constexpr char kWindowMetrics[] = "Control Panel\\Desktop\\WindowMetrics";

// Sets string values under WindowMetrics for the life of the scope.
class WindowMetricsOverride {
 public:
  explicit WindowMetricsOverride(std::vector<std::pair<std::string, std::string>> values) {
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kWindowMetrics, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    for (auto& [name, value] : values) {
      previous_.emplace_back(name, read(name));
      write(name, value);
    }
  }
  ~WindowMetricsOverride() {
    if (key_ == nullptr) return;
    for (const auto& [name, value] : previous_) {
      if (value) {
        write(name, *value);
      } else {
        RegDeleteValueA(key_, name.c_str());
      }
    }
    RegCloseKey(key_);
  }
  WindowMetricsOverride(const WindowMetricsOverride&) = delete;
  WindowMetricsOverride& operator=(const WindowMetricsOverride&) = delete;

  bool set() const { return key_ != nullptr; }

 private:
  std::optional<std::string> read(const std::string& name) const {
    char buffer[64] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
      return std::nullopt;
    }
    return std::string(buffer);
  }
  void write(const std::string& name, const std::string& value) const {
    RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
  }

  HKEY key_ = nullptr;
  std::vector<std::pair<std::string, std::optional<std::string>>> previous_;
};

TEST(EnlargedFrame, TallerCaptionAndMenuBarsGrowTheWindowJustEnoughStillCentred) {
  // In twips, negative: 40 pixels each instead of about 19.
  const WindowMetricsOverride tall({{"CaptionHeight", "-600"}, {"MenuHeight", "-600"}});
  ASSERT_TRUE(tall.set());
  KestrafilProcess app;

  RECT client{};
  GetClientRect(app.main_window(), &client);
  EXPECT_EQ(client.bottom, 386) << "down to the lower edge of 开始, and no further";
  EXPECT_GE(client.right, 319);

  RECT outer{};
  GetWindowRect(app.main_window(), &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  EXPECT_EQ(width, 344) << "the borders still leave room across";
  EXPECT_GT(height, 442);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

}  // namespace
}  // namespace wine_test
