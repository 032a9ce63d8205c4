// The Start command's own work for long name lists: take the job lock, read the list, write
// file.txt, compose and write the script. The one-second wait is cut to its first look at the
// clock, and the started process is the fake's, which the job ends at once. Next to it, a plain
// write of the very same bytes to the very same files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/app.h"
#include "search/start_command.h"
#include "tests/fake/fake_platform.h"
#include "window/layout.h"

namespace kestrafil {
namespace {

// Handles are descriptors plus one, since a zero handle means none.
int descriptor(FileRef handle) {
  return static_cast<int>(handle) - 1;
}

// The fake platform, with the job's files on disk in a scratch folder.
class DiskPlatform : public testing::FakePlatform {
 public:
  explicit DiskPlatform(std::string folder) : folder_(std::move(folder)) {}

  Text current_directory() override { return Text(folder_); }
  // A folder whose name ends in a backslash, so that the script path .../temp\/XXXX.BAT names
  // a file in it, as C:\Temp\/XXXX.BAT does on Windows.
  Text temp_path() override { return Text(temp_folder()); }
  std::string temp_folder() const { return folder_ + "/temp\\"; }

  FileRef create_file_for_writing(TextView path) override {
    const int file = ::open(std::string(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    return file < 0 ? FileRef{} : FileRef{static_cast<std::uintptr_t>(file + 1)};
  }
  WriteResult write_file(FileRef file, TextView bytes) override {
    const auto written = ::write(descriptor(file), bytes.data(), bytes.size());
    if (written < 0) return {false, 0};
    return {true, static_cast<std::size_t>(written)};
  }
  // The lock's event and the job's process stay the fake's.
  using FakePlatform::close_handle;
  bool close_handle(FileRef file) override { return ::close(descriptor(file)) == 0; }

 private:
  std::string folder_;
};

std::string name_list(std::size_t count) {
  std::string names;
  char name[64];
  for (std::size_t i = 0; i < count; ++i) {
    const char* pattern = i % 3 == 0   ? "IMG_%07zu.jpg"
                          : i % 3 == 1 ? "报告 %06zu.docx"
                                       : "scan (%zu).pdf";
    const int length = std::snprintf(name, sizeof name, pattern, i);
    if (i != 0) names += "\r\n";
    names.append(name, static_cast<std::size_t>(length));
  }
  return names;
}

std::string read_file(const std::string& path) {
  std::string bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, got);
    std::fclose(file);
  }
  return bytes;
}

void write_whole(const std::string& path, const std::string& bytes) {
  const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (file < 0) std::abort();
  if (::write(file, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  if (::close(file) != 0) std::abort();
}

std::size_t heap_in_use() {
  const auto info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Text memory that notes the heap in use after every text it hands out. The heap only grows
// when memory is handed out, so the highest note is the peak.
class PeakHeap : public TextMemory {
 public:
  void* allocate(std::size_t bytes) override {
    void* block = std::malloc(bytes);
    peak_ = std::max(peak_, heap_in_use());
    return block;
  }
  [[noreturn]] void out_of_memory(std::size_t) override { std::abort(); }
  std::size_t peak() const { return peak_; }

 private:
  std::size_t peak_ = 0;
};

// The program's window over a scratch folder, its boxes filled for one job.
class Job {
 public:
  explicit Job(std::size_t names) : folder_(scratch_folder()), platform_(folder_) {
    if (::mkdir(platform_.temp_folder().c_str(), 0755) != 0) std::abort();
    platform_.create_main_window(main_window_design(), Rect{}, app_);
    platform_.controls[control_row(Control::编辑框1).child_id].text = name_list(names);
    platform_.controls[control_row(Control::搜索路径框).child_id].text = "D:\\Photos\\";
    platform_.controls[control_row(Control::保存路径框).child_id].text = "E:\\Found\\";
    platform_.clock_step = 2000;  // the wait's first look at the clock finds it over
  }
  ~Job() {
    std::remove(list_path().c_str());
    std::remove(script_path().c_str());
    ::rmdir(platform_.temp_folder().c_str());
    ::rmdir(folder_.c_str());
  }
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;

  // The job's interpreter ends at once, so that the next start finds the lock free.
  void start() {
    start_command(app_.window());
    for (std::size_t i = 0; i < platform_.processes.size(); ++i) platform_.end_process(i);
    platform_.log.clear();
  }
  std::size_t list_size() const {
    return platform_.text_of(control_row(Control::编辑框1).child_id).size();
  }
  std::string list_path() const { return folder_ + "/file.txt"; }
  std::string script_path() const { return platform_.temp_folder() + "/XXXX.BAT"; }

 private:
  static std::string scratch_folder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr ? base : "/tmp") + "/kestrafil-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }

  std::string folder_;
  DiskPlatform platform_;
  App app_{platform_};
};

void report(benchmark::State& state, std::size_t list_bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(list_bytes));
  state.counters["list"] = benchmark::Counter(
      static_cast<double>(list_bytes), benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
}

void StartCommand(benchmark::State& state) {
  Job job(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) job.start();
  report(state, job.list_size());

  PeakHeap memory;
  const std::size_t before = heap_in_use();
  {
    const TextMemoryScope scope(memory);
    job.start();
  }
  const auto peak = static_cast<double>(memory.peak() - before);
  state.counters["peak_heap"] =
      benchmark::Counter(peak, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
  state.counters["peak/list"] = peak / static_cast<double>(job.list_size());
}

void RawWrite(benchmark::State& state) {
  Job job(static_cast<std::size_t>(state.range(0)));
  job.start();
  const std::string names = read_file(job.list_path());
  const std::string script = read_file(job.script_path());
  for (auto _ : state) {
    write_whole(job.list_path(), names);
    write_whole(job.script_path(), script);
  }
  report(state, names.size());
}

BENCHMARK(StartCommand)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawWrite)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StartCommand)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawWrite)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StartCommand)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawWrite)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kestrafil

BENCHMARK_MAIN();
