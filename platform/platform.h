#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace tracciato {

// Everything the run needs of the machine it runs on. The POSIX and Win32 layers
// implement it for real; MemoryPlatform keeps files in memory for tests and checks.
// Paths and texts are Windows-1252 byte strings. File operations that fail throw
// RuntimeFailure naming the path.
class Platform {
 public:
  virtual ~Platform() = default;

  // Shows the waiting window with its label "Attendere", painted before returning.
  virtual void show_waiting() = 0;
  // The directory that holds the running executable.
  virtual std::string application_directory() = 0;
  // `dir`, one separator, `name`: exactly one separator is added, never tested for.
  virtual std::string join(const std::string& dir, const std::string& name) const = 0;

  virtual bool exists(const std::string& path) = 0;
  // Why `path` cannot be read as a text: it does not exist, is not a regular file, or
  // cannot be opened for reading (the system's reason); empty when it can.
  virtual std::string cannot_read(const std::string& path) = 0;
  // Makes the folder `path` and its missing parents; nothing when it exists.
  virtual void make_directories(const std::string& path) = 0;
  virtual void remove(const std::string& path) = 0;
  // The whole file, read once.
  virtual std::string read(const std::string& path) = 0;
  // Afterwards `path` holds exactly `bytes`: an older file of that name is replaced,
  // never written through, and a failed write leaves the older file as it was.
  virtual void write(const std::string& path, std::string_view bytes) = 0;

  // A file whose bytes come in pieces, so that a large one need not lie whole in
  // memory: `pezzo` fills the room it is given (always `piece_room` bytes) and returns
  // how many bytes it put there, 0 once the file is complete. Afterwards `path` holds
  // the pieces in order, as `write` leaves it; if `pezzo` throws, the older file stays
  // as it was. This one gathers the pieces and hands them to `write`; a layer that can
  // write them as they come does so.
  static constexpr std::size_t piece_room = std::size_t{256} << 10;
  using Piece = std::function<std::size_t(std::span<char> spazio)>;
  virtual void write_in_pieces(const std::string& path, const Piece& pezzo);

  // A modal message box with one OK button; returns when the user has closed it.
  virtual void show_message(const std::string& text) = 0;
  // From now on messages go to the console only, never into a box that waits for a
  // click: for the subcommands, which run from scripts. The no-argument run keeps them.
  virtual void messages_to_console() {}

  // The report of a run-time failure that nothing trapped: one line for the person
  // who started the run.
  virtual void report_failure(const std::string& what) = 0;

  // Ends the program at once with `status`: open files closed, no further step.
  [[noreturn]] virtual void end_program(int status) = 0;
};

// The platform layer this build runs on (POSIX or Win32).
std::unique_ptr<Platform> make_platform();

}  // namespace tracciato
