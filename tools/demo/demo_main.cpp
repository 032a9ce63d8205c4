// The demo driver: starts Kestrafil.exe, fills in the two folders and the name list as a user
// would, clicks 开始, waits until the search job's script has ended, and takes a screenshot.
//
//   kestrafil_demo <Kestrafil.exe> <search folder> <save folder> <name list file> <screenshot.png>
//
// The folders are typed into their boxes; the name list file (one name per line) is pasted
// into the list box through the clipboard. What the job found is for the caller to judge.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "platform/win32/scoped.h"
#include "tests/wine/support/clipboard.h"
#include "tests/wine/support/keys.h"
#include "tests/wine/support/mouse.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/screenshot.h"
#include "tests/wine/support/script_watch.h"
#include "tests/wine/support/typing.h"
#include "tests/wine/support/window_finder.h"
#include "window/layout.h"

namespace kestrafil::demo {
namespace {

using wine_test::bring_to_foreground;
using wine_test::capture_when_settled;
using wine_test::class_name;
using wine_test::click;
using wine_test::find_top_level;
using wine_test::Image;
using wine_test::kReaction;
using wine_test::press_together;
using wine_test::put_text_on_clipboard;
using wine_test::save_png;
using wine_test::ScriptWatch;
using wine_test::type_text;
using wine_test::visible_top_level_windows;
using wine_test::wait_for_focus;
using wine_test::wait_until;
using wine_test::window_text;
using ScopedHandle = Scoped<HANDLE, CloseHandle>;

constexpr unsigned kStartLimitMs = 10000;  // the script starts a second after the click
constexpr unsigned kJobLimitMs = 60000;
constexpr unsigned kCloseLimitMs = 10000;
constexpr int kMessageTextId = 0xFFFF;  // the static control that holds a message box's text

using Error = std::string;  // empty when the step worked

struct Arguments {
  std::string program;
  std::string search_folder;
  std::string save_folder;
  std::string name_list_file;
  std::string screenshot;
};

// The running program. On every way out it is asked to close, and ended if it will not.
class Target {
 public:
  // Started as the desktop starts a program: it shares no console with this driver, so the
  // script it starts gets a console window of its own.
  explicit Target(const std::string& program) {
    std::string command = "\"" + program + "\"";  // CreateProcessA may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &startup, &started)) {
      return;
    }
    const ScopedHandle thread(started.hThread);
    process_ = ScopedHandle(started.hProcess);
    id_ = started.dwProcessId;
  }
  ~Target() {
    if (!process_ || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return;
    if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), kCloseLimitMs) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
    }
  }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  bool started() const { return static_cast<bool>(process_); }
  HANDLE process() const { return process_.get(); }
  DWORD id() const { return id_; }
  HWND main() const { return main_; }
  void set_main(HWND window) { main_ = window; }
  static int id_of(Control name) { return control_row(name).child_id; }
  HWND control(Control name) const { return GetDlgItem(main_, id_of(name)); }

 private:
  ScopedHandle process_;
  DWORD id_ = 0;
  HWND main_ = nullptr;
};

std::string to_utf8(const std::string& ansi) {
  const auto size = static_cast<int>(ansi.size());
  const int wide_length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), wide_length);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_length, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

// The lines of the file joined with CR LF, as a multi-line box holds them.
std::optional<std::string> read_name_list(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string list;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!list.empty()) list += "\r\n";
    list += line;
  }
  return list;
}

Error focus_by_click(const Target& target, Control box, const std::string& name) {
  if (!click(target.control(box))) return "could not click " + name;
  if (!wait_for_focus(target.main(), Target::id_of(box))) {
    return "a click on " + name + " did not give it the focus";
  }
  return {};
}

Error wait_for_text(const Target& target, Control box, const std::string& name,
                    const std::string& text) {
  if (!wait_until([&] { return window_text(target.control(box)) == text; }, kReaction)) {
    return name + " does not hold \"" + window_text(target.control(box)) + "\"";
  }
  return {};
}

Error type_into(const Target& target, Control box, const std::string& name,
                const std::string& text) {
  if (auto error = focus_by_click(target, box, name); !error.empty()) return error;
  if (!type_text(text)) return "could not type into " + name;
  return wait_for_text(target, box, name, text);
}

Error paste_into(const Target& target, Control box, const std::string& name,
                 const std::string& text) {
  if (!put_text_on_clipboard(text)) return "could not put the name list on the clipboard";
  if (auto error = focus_by_click(target, box, name); !error.empty()) return error;
  if (!press_together({VK_CONTROL, 'V'})) return "could not press Ctrl+V in " + name;
  return wait_for_text(target, box, name, text);
}

// A message box that the program shows instead of starting the job.
std::optional<std::string> shown_message(const Target& target) {
  for (HWND window : visible_top_level_windows(target.id())) {
    if (class_name(window) == "#32770") return window_text(GetDlgItem(window, kMessageTextId));
  }
  return std::nullopt;
}

// A second after the click the Start command starts the script as a cmd.exe process of its
// own. The job is over when that process has ended.
Error click_start_and_wait(const Target& target, ULONGLONG& job_ms) {
  ScriptWatch scripts(target.id());
  if (!click(target.control(Control::按钮1))) return "could not click the start button";
  const ULONGLONG clicked = GetTickCount64();
  if (!scripts.wait_for_start(kStartLimitMs)) {
    if (const auto message = shown_message(target)) {
      return "the program shows a message instead of starting the job: " + to_utf8(*message);
    }
    return "the program started no search-job script";
  }
  if (!scripts.wait_for_end(kJobLimitMs)) return "the search job did not end within a minute";
  job_ms = GetTickCount64() - clicked;
  return {};
}

Error save_screenshot(const Target& target, const std::string& path) {
  if (!bring_to_foreground(target.main())) return "the window does not come to the front";
  const Image image = capture_when_settled(target.main());
  if (image.rgb.empty()) return "could not capture the window";
  if (!save_png(image, path)) return "could not write " + path;
  return {};
}

Error close_program(const Target& target) {
  PostMessageA(target.main(), WM_CLOSE, 0, 0);
  if (WaitForSingleObject(target.process(), kCloseLimitMs) != WAIT_OBJECT_0) {
    return "the program did not end after its window was closed";
  }
  DWORD code = 0;
  GetExitCodeProcess(target.process(), &code);
  if (code != 0) return "the program ended with exit code " + std::to_string(code);
  return {};
}

Error run(const Arguments& arguments) {
  const auto names = read_name_list(arguments.name_list_file);
  if (!names) return "cannot read the name list " + arguments.name_list_file;
  Target target(arguments.program);
  if (!target.started()) return "cannot start " + arguments.program;
  const std::string caption(main_window_design().caption);
  HWND main = nullptr;
  if (!wait_until([&] { return (main = find_top_level(target.id(), {}, caption)) != nullptr; })) {
    return "the program's window did not open";
  }
  target.set_main(main);
  // As a user does: the window is in front before the first click.
  if (!bring_to_foreground(main)) return "the program's window does not come to the front";

  if (auto error =
          type_into(target, Control::搜索路径框, "the search folder box", arguments.search_folder);
      !error.empty()) {
    return error;
  }
  if (auto error =
          type_into(target, Control::保存路径框, "the save folder box", arguments.save_folder);
      !error.empty()) {
    return error;
  }
  if (auto error = paste_into(target, Control::编辑框1, "the name list box", *names);
      !error.empty()) {
    return error;
  }
  ULONGLONG job_ms = 0;
  if (auto error = click_start_and_wait(target, job_ms); !error.empty()) return error;
  if (auto error = save_screenshot(target, arguments.screenshot); !error.empty()) return error;
  if (auto error = close_program(target); !error.empty()) return error;
  std::printf("the search job ran %.1f s after the click\n", static_cast<double>(job_ms) / 1000.0);
  return {};
}

}  // namespace
}  // namespace kestrafil::demo

int main(int argc, char** argv) {
  // The terminal gets the bytes as they are, without a CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  if (argc != 6) {
    std::fprintf(stderr,
                 "usage: kestrafil_demo <Kestrafil.exe> <search folder> <save folder> "
                 "<name list file> <screenshot.png>\n");
    return 2;
  }
  const kestrafil::demo::Arguments arguments{argv[1], argv[2], argv[3], argv[4], argv[5]};
  const auto error = kestrafil::demo::run(arguments);
  if (error.empty()) return 0;
  std::fprintf(stderr, "kestrafil_demo: %s\n", error.c_str());
  return 1;
}
