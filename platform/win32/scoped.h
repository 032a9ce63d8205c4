// One small owner per kind of Win32 resource, so every early return gives back what it took.
#pragma once

#include <windows.h>

#include <utility>

namespace kestrafil {

// Owns a handle that one Win32 call gives back; release() hands it on to another owner.
template <class Handle, auto Destroy>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(Handle handle) : handle_(handle) {}
  ~Scoped() { reset(); }
  Scoped(Scoped&& other) noexcept : handle_(other.release()) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.release();
    }
    return *this;
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() { return std::exchange(handle_, nullptr); }

 private:
  void reset() {
    if (handle_ != nullptr) Destroy(std::exchange(handle_, nullptr));
  }

  Handle handle_ = nullptr;
};

// A menu until a window takes it over (a menu bar or a pop-up inserted into one).
using ScopedMenu = Scoped<HMENU, DestroyMenu>;
// An icon loaded at a size of our choosing, which the system does not share.
using ScopedIcon = Scoped<HICON, DestroyIcon>;
// A window that is destroyed unless it is handed on fully built.
using ScopedWindow = Scoped<HWND, DestroyWindow>;
// Memory that a Win32 call allocated for its caller with LocalAlloc.
using ScopedLocal = Scoped<char*, LocalFree>;

// The device context of one paint request.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// A GDI object selected into a device context, with the previous one put back at the end.
class SelectionScope {
 public:
  SelectionScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectionScope() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectionScope(const SelectionScope&) = delete;
  SelectionScope& operator=(const SelectionScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace kestrafil
