// Measures Kestrafil.exe against the two floor windows under Wine, side by side in one run: the
// programs take turns, round after round, and each figure is the median over the rounds.
//
//   floor_bench <floor_window_c.exe> <floor_window_cpp.exe> <Kestrafil.exe> <rounds>
//
// Per program: start-up (CreateProcess until a shown top-level window of the process answers
// WM_NULL), the peak working set once the window has been idle a moment, and the file's size.
// For Kestrafil also the click on 开始 until the script's process was created, less the
// one-second wait. Prints one tab-separated line per figure and program:
//   <figure> <program> <median> <min> <max> <samples>
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <fcntl.h>
#include <io.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/scoped.h"
#include "tests/wine/support/box_text.h"
#include "tests/wine/support/control_ids.h"
#include "tests/wine/support/keys.h"
#include "tests/wine/support/mouse.h"
#include "tests/wine/support/poll.h"
#include "tests/wine/support/script_watch.h"
#include "tests/wine/support/window_finder.h"

namespace floor_bench {
namespace {

using kestrafil::Scoped;
using ScopedHandle = Scoped<HANDLE, CloseHandle>;

constexpr unsigned kIdleMs = 500;          // how long a program sits idle before its memory is read
constexpr unsigned kWaitOfStartMs = 1000;  // the Start command's wait before it starts the script
constexpr unsigned kLookAfterMs = 200;     // how long after the script is due the driver looks
constexpr unsigned kCloseLimitMs = 10000;
constexpr ULONGLONG kFileTimeUnitsPerMs = 10000;

struct Program {
  std::string name;    // as the figures call it
  std::string source;  // the file as built
  std::string path;    // the copy that runs
  bool is_kestrafil;
};

std::string bench_folder() {
  char profile[MAX_PATH] = {};
  GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
  return std::string(profile) + "\\Kestrafil Bench";
}

// With its final backslash, as GetTempPathA gives it; the same for the programs started here.
std::string temporary_folder() {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(sizeof folder, folder);
  return folder;
}

void make_folder(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    throw std::runtime_error("cannot make the folder " + path);
  }
}

void make_file(const std::string& path, const std::string& bytes) {
  HANDLE opened = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot make " + path);
  const ScopedHandle file(opened);
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write " + path);
  }
}

// All three run from one folder, so that none is favoured by where its file lies.
void install(Program& program) {
  program.path = bench_folder() + "\\" + program.name + ".exe";
  if (!CopyFileA(program.source.c_str(), program.path.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + program.source + " to " + program.path);
  }
}

double file_size(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    throw std::runtime_error("cannot read the size of " + path);
  }
  return static_cast<double>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                             data.nFileSizeLow);
}

double milliseconds_between(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

ULONGLONG file_time_value(FILETIME time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// A started program. Its window is asked to close when the owner goes, and the process is ended
// if it will not, so that no round leaves a window behind for the next one.
class Started {
 public:
  explicit Started(const std::string& path) {
    std::string command_line = "\"" + path + "\"";  // CreateProcessA may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    QueryPerformanceCounter(&created_at_);
    // Started as the desktop starts a program: without this driver's console, so the script
    // that Kestrafil starts opens a console window of its own.
    if (!CreateProcessA(path.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS, nullptr, bench_folder().c_str(), &startup, &info)) {
      throw std::runtime_error("cannot start " + path);
    }
    const ScopedHandle thread(info.hThread);
    process_ = ScopedHandle(info.hProcess);
    id_ = info.dwProcessId;
  }
  ~Started() {
    if (WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return;
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), kCloseLimitMs) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 1);
      WaitForSingleObject(process_.get(), kCloseLimitMs);
    }
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  // Milliseconds from CreateProcess until a shown top-level window of the process answered.
  double wait_for_window() {
    LARGE_INTEGER answered{};
    const bool shown = wine_test::wait_until(
        [&] {
          for (HWND window : wine_test::visible_top_level_windows(id_)) {
            if (GetWindow(window, GW_OWNER) != nullptr) continue;
            DWORD_PTR result = 0;
            if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, wine_test::kReaction,
                                    &result) == 0) {
              continue;
            }
            QueryPerformanceCounter(&answered);
            window_ = window;
            return true;
          }
          Sleep(1);
          return false;
        },
        wine_test::kPatience);
    if (!shown) throw std::runtime_error("the program showed no window that answers");
    return milliseconds_between(created_at_, answered);
  }

  // KiB.
  double peak_working_set() const {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(process_.get(), &counters, sizeof counters)) {
      throw std::runtime_error("cannot read the program's memory counters");
    }
    return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
  }

  DWORD id() const { return id_; }
  HWND window() const { return window_; }

 private:
  LARGE_INTEGER created_at_{};
  ScopedHandle process_;
  DWORD id_ = 0;
  HWND window_ = nullptr;
};

// A search job that finds and copies one file: small, and ASCII only, which Wine's command
// interpreter handles as Windows does.
struct TinyJob {
  std::string search_folder;
  std::string save_folder;
  std::string names;
};

// A batch file that does nothing, for the floor under the script's start.
std::string make_empty_batch_file() {
  const std::string path = temporary_folder() + "floor.bat";
  make_file(path, "@exit /b 0\r\n");
  return path;
}

TinyJob make_tiny_job() {
  const std::string search = bench_folder() + "\\search";
  const std::string save = bench_folder() + "\\saved";
  make_folder(search);
  make_folder(save);
  make_file(search + "\\a.txt", "a\r\n");
  // Names that are not there, so that the script still runs when the driver looks for it.
  std::string names = "a.txt";
  for (int i = 0; i < 100; ++i) names += "\r\nmissing" + std::to_string(i) + ".txt";
  return {search, save, names};
}

using Samples = std::map<std::pair<std::string, std::string>, std::vector<double>>;

// When each step after the click on 开始 happened: the Start command writes the name list
// first, the script last before its one-second wait, and then starts the script's process.
struct ClickTimes {
  ULONGLONG clicked = 0;
  ULONGLONG list_written = 0;
  ULONGLONG script_written = 0;
  ULONGLONG process_created = 0;
};

ULONGLONG last_written(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    throw std::runtime_error("cannot read when " + path + " was written");
  }
  return file_time_value(data.ftLastWriteTime);
}

std::string script_path() {
  return temporary_folder() + "XXXX.BAT";
}

double milliseconds_between(ULONGLONG from, ULONGLONG to) {
  const double units = static_cast<double>(to) - static_cast<double>(from);
  return units / static_cast<double>(kFileTimeUnitsPerMs);
}

// The whole way less the wait, and its three legs.
void note(const ClickTimes& times, const std::string& program, Samples& samples) {
  const std::pair<const char*, double> legs[] = {
      {"click_to_script_over_wait_ms",
       milliseconds_between(times.clicked, times.process_created) - kWaitOfStartMs},
      {"click_to_list_written_ms", milliseconds_between(times.clicked, times.list_written)},
      {"list_to_script_written_ms", milliseconds_between(times.list_written, times.script_written)},
      {"script_written_to_process_over_wait_ms",
       milliseconds_between(times.script_written, times.process_created) - kWaitOfStartMs},
  };
  for (const auto& [figure, value] : legs) samples[{figure, program}].push_back(value);
}

// Clicks 开始 and notes the times, unless the script's process was gone before its creation
// time could be read.
void click_start(const Started& kestrafil, const TinyJob& job, const std::string& program,
                 Samples& samples) {
  HWND main = kestrafil.window();
  if (!wine_test::set_text(GetDlgItem(main, wine_test::k搜索路径框), job.search_folder) ||
      !wine_test::set_text(GetDlgItem(main, wine_test::k保存路径框), job.save_folder) ||
      !wine_test::set_text(GetDlgItem(main, wine_test::k编辑框1), job.names)) {
    throw std::runtime_error("cannot fill the program's boxes");
  }
  if (!wine_test::bring_to_foreground(main)) {
    throw std::runtime_error("the program's window does not come to the front");
  }
  wine_test::ScriptWatch scripts(kestrafil.id());
  FILETIME clicked{};
  GetSystemTimePreciseAsFileTime(&clicked);
  if (!wine_test::click(GetDlgItem(main, wine_test::k按钮1))) {
    throw std::runtime_error("cannot click the start button");
  }
  // Watching means a process snapshot every millisecond, which keeps the wineserver busy and
  // would slow down the very process start it measures. So the driver looks only once the
  // script is due; the job's many names keep the script running that long, and the creation
  // time comes from the process itself, not from when the driver saw it.
  Sleep(kWaitOfStartMs + kLookAfterMs);
  const auto started = scripts.wait_for_start(wine_test::kPatience);
  if (!started) throw std::runtime_error("the program started no script");
  const ScopedHandle script(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, started->process_id));
  FILETIME created{};
  FILETIME ended{};
  FILETIME kernel{};
  FILETIME user{};
  if (!script || !GetProcessTimes(script.get(), &created, &ended, &kernel, &user)) {
    throw std::runtime_error("cannot read when the script's process was created");
  }
  if (!scripts.wait_for_end(wine_test::kPatience)) {
    throw std::runtime_error("the search job did not end");
  }
  const ClickTimes times{file_time_value(clicked), last_written(bench_folder() + "\\file.txt"),
                         last_written(script_path()), file_time_value(created)};
  // A script that has ended before it was opened may give no creation time at all.
  const ULONGLONG limit = wine_test::kPatience * kFileTimeUnitsPerMs;
  if (times.process_created < times.clicked || times.process_created - times.clicked > limit) {
    return;
  }
  note(times, program, samples);
}

// The floor under the script's start: this driver starts a batch file of its own the way the
// Start command starts its script (the bare path as the command line, no inherited handles, a
// console of its own, shown normally) and notes how long CreateProcess took until the process
// was created.
double start_batch_file(const std::string& path) {
  std::string command_line = path;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  FILETIME before{};
  GetSystemTimePreciseAsFileTime(&before);
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                      nullptr, nullptr, &startup, &info)) {
    throw std::runtime_error("cannot start " + path);
  }
  const ScopedHandle thread(info.hThread);
  const ScopedHandle process(info.hProcess);
  FILETIME created{};
  FILETIME ended{};
  FILETIME kernel{};
  FILETIME user{};
  if (!GetProcessTimes(process.get(), &created, &ended, &kernel, &user)) {
    throw std::runtime_error("cannot read when the batch file's process was created");
  }
  WaitForSingleObject(process.get(), kCloseLimitMs);
  return milliseconds_between(file_time_value(before), file_time_value(created));
}

// The warm-up round passes no samples.
void run_once(const Program& program, const TinyJob& job, Samples* samples) {
  Samples ignored;
  Samples& noted = samples != nullptr ? *samples : ignored;
  Started started(program.path);
  noted[{"startup_ms", program.name}].push_back(started.wait_for_window());
  Sleep(kIdleMs);
  noted[{"peak_working_set_kib", program.name}].push_back(started.peak_working_set());
  if (program.is_kestrafil) click_start(started, job, program.name, noted);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2.0;
}

void print(const Samples& samples) {
  for (const auto& [key, values] : samples) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::printf("%s\t%s\t%.3f\t%.3f\t%.3f\t%zu\n", key.first.c_str(), key.second.c_str(),
                median(values), *low, *high, values.size());
  }
}

void run(std::vector<Program> programs, int rounds) {
  make_folder(bench_folder());
  const TinyJob job = make_tiny_job();
  const std::string batch_file = make_empty_batch_file();
  Samples samples;
  for (Program& program : programs) {
    install(program);
    samples[{"size_bytes", program.name}].push_back(file_size(program.path));
  }
  // One round that counts for nothing: the first start of each file fills the caches.
  for (const Program& program : programs) run_once(program, job, nullptr);
  // Each round starts with another program, so that none always follows the same one.
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < programs.size(); ++i) {
      const Program& program = programs[(i + static_cast<std::size_t>(round)) % programs.size()];
      run_once(program, job, &samples);
    }
    samples[{"batch_file_start_ms", "floor_caller"}].push_back(start_batch_file(batch_file));
    std::fprintf(stderr, "floor_bench: round %d of %d done\n", round + 1, rounds);
  }
  print(samples);
}

}  // namespace
}  // namespace floor_bench

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc != 5 || std::atoi(argv[4]) < 1) {
    std::fprintf(stderr,
                 "usage: floor_bench <floor_window_c.exe> <floor_window_cpp.exe> <Kestrafil.exe> "
                 "<rounds>\n");
    return 2;
  }
  try {
    floor_bench::run({{"floor_window_c", argv[1], {}, false},
                      {"floor_window_cpp", argv[2], {}, false},
                      {"Kestrafil", argv[3], {}, true}},
                     std::atoi(argv[4]));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "floor_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
