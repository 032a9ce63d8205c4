// The main window as it opens: size, place, frame, caption, icons and menu bar.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/keys.h"
#include "tests/wine/support/screenshot.h"
#include "tests/wine/support/window_finder.h"

namespace wine_test {
namespace {

constexpr int kWidth = 344;
constexpr int kHeight = 442;

TEST(MainWindow, OpensAt344By442CentredOnThePrimaryScreen) {
  KestrafilProcess app;
  RECT rect{};
  GetWindowRect(app.main_window(), &rect);
  EXPECT_EQ(rect.right - rect.left, kWidth);
  EXPECT_EQ(rect.bottom - rect.top, kHeight);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2);
}

TEST(MainWindow, HasAFixedFrameWithOnlyTheSystemMenuAndCloseBox) {
  KestrafilProcess app;
  const auto style = static_cast<DWORD>(GetWindowLongA(app.main_window(), GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongA(app.main_window(), GWL_EXSTYLE));

  struct StyleRow {
    const char* name;
    DWORD bits;
    bool set;
  };
  const StyleRow rows[] = {
      {"WS_CAPTION", WS_CAPTION, true},
      {"WS_SYSMENU", WS_SYSMENU, true},
      {"WS_CLIPCHILDREN", WS_CLIPCHILDREN, true},
      {"WS_VISIBLE", WS_VISIBLE, true},
      {"WS_THICKFRAME", WS_THICKFRAME, false},
      {"WS_MINIMIZEBOX", WS_MINIMIZEBOX, false},
      {"WS_MAXIMIZEBOX", WS_MAXIMIZEBOX, false},
      {"WS_POPUP", WS_POPUP, false},
      {"WS_CHILD", WS_CHILD, false},
      {"WS_DISABLED", WS_DISABLED, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ((style & row.bits) == row.bits, row.set) << row.name;
  }
  // Windows adds the raised edge of a captioned window itself; the program asks for none.
  EXPECT_EQ(ex_style & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), 0u) << std::hex << ex_style;
}

TEST(MainWindow, IsAnOwnerlessTopLevelWindowCaptionedKestrafil) {
  KestrafilProcess app;
  EXPECT_EQ(caption(app.main_window()), "Kestrafil");
  EXPECT_EQ(GetParent(app.main_window()), nullptr);
  EXPECT_EQ(GetWindow(app.main_window(), GW_OWNER), nullptr);
}

TEST(MainWindow, HasAMenuBar) {
  KestrafilProcess app;
  // Its entries live in the program's process; their identifiers are checked through the
  // commands they run.
  EXPECT_NE(GetMenu(app.main_window()), nullptr);
}

struct FreeModule {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct DestroyIconOnExit {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyWindowOnExit {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using ScopedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule>;
using ScopedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, DestroyIconOnExit>;
using ScopedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, DestroyWindowOnExit>;

void serve_own_windows() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// The top rows of the window, where the caption bar shows the small icon.
std::vector<std::uint8_t> caption_rows(const Image& image) {
  const auto bytes = static_cast<std::size_t>(image.width) * 3 *
                     static_cast<std::size_t>(GetSystemMetrics(SM_CYCAPTION));
  return std::vector(image.rgb.begin(), image.rgb.begin() + static_cast<std::ptrdiff_t>(bytes));
}

// A window of the test's own, alike in frame, size and caption, with the given small icon,
// captured in front.
std::vector<std::uint8_t> look_alike_caption(HICON small_icon) {
  ScopedWindow window(
      CreateWindowExA(0, "STATIC", "Kestrafil", WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0,
                      kWidth, kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  if (!window) return {};
  SendMessageA(window.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon));
  ShowWindow(window.get(), SW_SHOW);
  SetForegroundWindow(window.get());
  return caption_rows(capture_when_settled(window.get(), serve_own_windows));
}

// Wine does not carry WM_GETICON across processes, so the icon is checked where Windows shows
// it: the caption bar. A look-alike window given the program's own 16x16 icon from its file
// must draw the very same caption; one with another icon must not.
TEST(MainWindow, ShowsItsOwnSmallIconInTheCaptionBar) {
  ScopedModule file(LoadLibraryExA(KESTRAFIL_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_NE(file, nullptr);
  ScopedIcon own(static_cast<HICON>(LoadImageA(file.get(), "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0)));
  ASSERT_NE(own, nullptr) << "the program file carries DEFAULT_ICON at 16x16";
  HICON other = LoadIconA(nullptr, IDI_QUESTION);

  std::vector<std::uint8_t> program;
  {
    KestrafilProcess app;
    ASSERT_TRUE(bring_to_foreground(app.main_window()));
    program = caption_rows(capture_when_settled(app.main_window()));
  }
  EXPECT_TRUE(program == look_alike_caption(own.get())) << "the caption shows another icon";
  EXPECT_FALSE(program == look_alike_caption(other)) << "the caption shows no icon at all";
}

}  // namespace
}  // namespace wine_test
