// The program's spine: start-up, the event loop, dispatch to commands, and the operations
// through which commands read and change the main window.
#pragma once

#include <array>
#include <optional>

#include "app/bindings.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace kestrafil {

enum class AppState { starting, running, closing, ended, failed };

inline constexpr int kFatalExitCode = -1;

class App final : public WindowEvents, public TextMemory {
 public:
  explicit App(Platform& platform);

  // The whole life of the program; gives the process exit code.
  int run();

  Platform& platform() { return platform_; }
  [[nodiscard]] AppState state() const { return state_; }

  // Operations for commands.
  Text read_text(Control control);
  // Without copying the text, which may be a list of a million names.
  [[nodiscard]] bool text_empty(Control control);
  void write_text(Control control, TextView text);
  void set_disabled(Control control, bool disabled);
  [[nodiscard]] bool disabled(Control control) const;
  // The style value gets task-modal added unless it asks for system-modal; no title gives
  // the default one.
  void show_message(TextView text, unsigned style = 0, std::optional<TextView> title = {});
  [[noreturn]] void fatal_error(TextView message, unsigned code = 0);

  // Pre-translation, translation and dispatch of one message taken from the queue.
  void handle_message(const Message& message);

  // Set while a Start command runs. Its wait serves clicks, and a second job started inside
  // it would have its script started twice.
  [[nodiscard]] bool start_command_running() const { return start_command_running_; }
  void set_start_command_running(bool running) { start_command_running_ = running; }

  // WindowEvents
  bool on_command(unsigned id, unsigned notification) override;
  void on_deactivated(int focused_child) override;
  int on_focus_received() override;
  void on_destroyed() override;

  // TextMemory
  void* allocate(std::size_t bytes) override;
  [[noreturn]] void out_of_memory(std::size_t bytes) override;

 private:
  void use_program_folder_as_current_directory();
  bool pre_translate(const Message& message);
  void move_focus(bool forward);
  bool takes_focus(const ControlRow& row);
  int first_focus_target();
  void raise(EventSource source, Event event);

  Platform& platform_;
  AppState state_ = AppState::starting;
  bool ole_initialized_ = false;
  int remembered_focus_ = 0;
  bool start_command_running_ = false;
  std::array<bool, kControlCount> disabled_{};
};

}  // namespace kestrafil
