// Capturing what the screen shows of a window, and saving pictures for people to look at.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/wine/support/png.h"

namespace wine_test {

// The screen's pixels over the window's rectangle, frame included.
Image capture_window(HWND window);

// The window's pixels once painting has settled: Windows paints and hands the picture to the
// screen a little later, so the capture is taken once it has stayed the same for a while.
// `serve` runs between captures: a test that shows windows of its own must serve their
// messages for them to be painted.
Image capture_when_settled(
    HWND window, const std::function<void()>& serve = [] {});

// The pixel at a point of the window's client area.
COLORREF client_pixel(const Image& window_image, HWND window, POINT client_point);

bool save_png(const Image& image, const std::string& path);

}  // namespace wine_test
