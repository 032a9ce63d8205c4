#include "tests/wine/support/screenshot.h"

#include <memory>

#include "tests/wine/support/poll.h"

namespace wine_test {
namespace {

struct ScreenDc {
  ~ScreenDc() { ReleaseDC(nullptr, dc); }
  HDC dc = GetDC(nullptr);
};

struct DeleteDc {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

struct DeleteBitmap {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};

}  // namespace

Image capture_window(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  Image image;
  image.width = rect.right - rect.left;
  image.height = rect.bottom - rect.top;

  ScreenDc screen;
  std::unique_ptr<std::remove_pointer_t<HDC>, DeleteDc> memory(CreateCompatibleDC(screen.dc));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmap> bitmap(
      CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !bitmap) return {};
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, image.width, image.height, screen.dc, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  SelectObject(memory.get(), previous);

  const auto* bgrx = static_cast<const std::uint8_t*>(bits);
  const auto pixels =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  image.rgb.resize(pixels * 3);
  for (std::size_t i = 0; i < pixels; ++i) {
    image.rgb[i * 3 + 0] = bgrx[i * 4 + 2];
    image.rgb[i * 3 + 1] = bgrx[i * 4 + 1];
    image.rgb[i * 3 + 2] = bgrx[i * 4 + 0];
  }
  return image;
}

Image capture_when_settled(HWND window, const std::function<void()>& serve) {
  constexpr ULONGLONG kQuietMs = 300;
  Image settled = capture_window(window);
  ULONGLONG since = GetTickCount64();
  wait_until(
      [&] {
        serve();
        Image now = capture_window(window);
        if (now.rgb != settled.rgb) {
          settled = std::move(now);
          since = GetTickCount64();
        }
        return GetTickCount64() - since >= kQuietMs;
      },
      kReaction);
  return settled;
}

COLORREF client_pixel(const Image& window_image, HWND window, POINT client_point) {
  RECT frame{};
  GetWindowRect(window, &frame);
  POINT screen_point = client_point;
  ClientToScreen(window, &screen_point);
  const int x = screen_point.x - frame.left;
  const int y = screen_point.y - frame.top;
  if (x < 0 || y < 0 || x >= window_image.width || y >= window_image.height) return CLR_INVALID;
  const auto at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(window_image.width) +
                   static_cast<std::size_t>(x)) *
                  3;
  return RGB(window_image.rgb[at], window_image.rgb[at + 1], window_image.rgb[at + 2]);
}

bool save_png(const Image& image, const std::string& path) {
  const auto png = encode_png(image);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
                  written == png.size();
  return CloseHandle(file) && ok;
}

}  // namespace wine_test
