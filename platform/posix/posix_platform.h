#pragma once

#include "platform/platform.h"

namespace tracciato {

// The platform on Linux and other POSIX systems: the waiting window and the message
// box are lines on standard error, paths are joined with "/".
class PosixPlatform : public Platform {
 public:
  void show_waiting() override;
  std::string application_directory() override;
  std::string join(const std::string& dir, const std::string& name) const override;
  bool exists(const std::string& path) override;
  std::string cannot_read(const std::string& path) override;
  void make_directories(const std::string& path) override;
  void remove(const std::string& path) override;
  std::string read(const std::string& path) override;
  void write(const std::string& path, std::string_view bytes) override;
  void write_in_pieces(const std::string& path, const Piece& pezzo) override;
  void show_message(const std::string& text) override;
  void report_failure(const std::string& what) override;
  [[noreturn]] void end_program(int status) override;

 private:
  // Writes a temporary file beside `path` with `riempi`, which returns 0 or the errno
  // of the write that failed, and renames it over `path`.
  void sostituisci(const std::string& path, const std::function<int(int fd)>& riempi);
};

}  // namespace tracciato
