// A picture of the main window for people to look at, and the colours the program paints.
#include "tests/wine/support/screenshot.h"

#include <gtest/gtest.h>

#include "tests/wine/support/kestrafil_process.h"
#include "tests/wine/support/keys.h"
#include "tests/wine/support/poll.h"

namespace wine_test {
namespace {

Image settled_capture(HWND window) {
  bring_to_foreground(window);
  return capture_when_settled(window);
}

TEST(Screenshot, SavesThePaintedWindowAsPng) {
  KestrafilProcess app;
  const Image image = settled_capture(app.main_window());
  ASSERT_EQ(image.width, 344);
  ASSERT_EQ(image.height, 442);
  EXPECT_TRUE(save_png(image, KESTRAFIL_ARTIFACTS "/kestrafil-window.png"));
}

struct PixelRow {
  const char* place;
  POINT client_point;
  int system_colour;
};

// Points inside the controls' areas where no text is drawn.
constexpr PixelRow kPixels[] = {
    {"window background left of the labels", {3, 40}, COLOR_BTNFACE},
    {"标签1 below its two lines", {300, 155}, COLOR_BTNFACE},
    {"标签2 left of its text", {58, 14}, COLOR_BTNFACE},
    {"搜索路径框 inside", {230, 24}, COLOR_WINDOW},
    {"编辑框1 inside", {150, 250}, COLOR_WINDOW},
};

TEST(Screenshot, PaintsTheBackgroundAndLabelsInButtonFaceAndTheBoxesWhite) {
  KestrafilProcess app;
  const Image image = settled_capture(app.main_window());
  for (const auto& row : kPixels) {
    SCOPED_TRACE(row.place);
    EXPECT_EQ(client_pixel(image, app.main_window(), row.client_point),
              GetSysColor(row.system_colour));
  }
}

}  // namespace
}  // namespace wine_test
