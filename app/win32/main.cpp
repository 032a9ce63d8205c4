// The program's entry: the Win32 platform under the portable core. The command line is ignored.
#include <windows.h>

#include "app/app.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  kestrafil::Win32Platform platform(instance);
  kestrafil::App app(platform);
  return app.run();
}
