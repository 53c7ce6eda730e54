#pragma once

#include "platform/platform.h"
#include "platform/win32/waiting_window.h"

namespace tracciato {

// The platform on Windows. One GUI-subsystem executable serves the embedded run and
// the subcommands: started from a console it writes its lines there, and started
// from the desktop it shows them in message boxes. Paths are joined with "\" and
// handed to the wide file calls as UTF-16.
class Win32Platform : public Platform {
 public:
  // Attaches to the console of the parent process when there is one and standard
  // output or error has not been redirected.
  Win32Platform();

  void show_waiting() override;
  std::string application_directory() override;
  std::string join(const std::string& dir, const std::string& name) const override;
  bool exists(const std::string& path) override;
  std::string cannot_read(const std::string& path) override;
  void make_directories(const std::string& path) override;
  void remove(const std::string& path) override;
  std::string read(const std::string& path) override;
  void write(const std::string& path, std::string_view bytes) override;
  void show_message(const std::string& text) override;
  void messages_to_console() override { boxes_ = false; }
  void report_failure(const std::string& what) override;
  [[noreturn]] void end_program(int status) override;

  // The waiting window, for the checks of the form (empty before show_waiting).
  const WaitingWindow& finestra_attesa() const { return attesa_; }

 private:
  WaitingWindow attesa_;
  bool stderr_usable_ = false;  // lines written to standard error reach someone
  bool boxes_ = true;           // messages also in a box that waits for OK
};

}  // namespace tracciato
