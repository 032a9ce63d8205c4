// The program's spine: start-up and shutdown, the event loop, dispatch of clicks and menu
// choices through the binding table, and the fatal error.
#pragma once

#include "app/bindings.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "window/main_window.h"

namespace kestrafil {

enum class AppState { starting, running, closing, ended, failed };

inline constexpr int kFatalExitCode = -1;

class App final : public WindowEvents, public TextMemory {
 public:
  explicit App(Platform& platform);

  // The whole life of the program; gives the process exit code.
  int run();

  MainWindow& window() { return window_; }
  [[nodiscard]] AppState state() const { return state_; }

  [[noreturn]] void fatal_error(TextView message, unsigned code = 0);

  // WindowEvents
  bool on_command(unsigned id, Notification notification) override;
  void on_deactivated(int focused_child) override;
  int on_focus_received() override;
  void on_destroyed() override;

  // TextMemory
  void* allocate(std::size_t bytes) override;
  [[noreturn]] void out_of_memory(std::size_t bytes) override;

 private:
  void use_program_folder_as_current_directory();
  void raise(EventSource source, Event event);

  Platform& platform_;
  MainWindow window_;
  AppState state_ = AppState::starting;
  bool ole_initialized_ = false;
};

}  // namespace kestrafil
