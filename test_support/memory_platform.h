#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tracciato {

// A platform whose files live in memory: the test seam of the readers and writers,
// and the file system of a compile that must not touch the disk. Paths are joined
// with "/"; the messages shown are kept in order.
class MemoryPlatform : public Platform {
 public:
  std::map<std::string, std::string> files;
  std::vector<std::string> messages;
  std::vector<std::string> failures;
  std::vector<std::string> directories;  // made by make_directories, in order
  std::string directory = "app";
  int waiting_windows = 0;

  void show_waiting() override { ++waiting_windows; }
  std::string application_directory() override { return directory; }
  std::string join(const std::string& dir, const std::string& name) const override {
    return dir + "/" + name;
  }
  bool exists(const std::string& path) override { return files.count(path) != 0; }
  std::string cannot_read(const std::string& path) override {
    return exists(path) ? std::string() : "No such file or directory";
  }
  void make_directories(const std::string& path) override { directories.push_back(path); }
  void remove(const std::string& path) override;
  std::string read(const std::string& path) override;
  void write(const std::string& path, std::string_view bytes) override {
    files[path] = std::string(bytes);
  }
  void show_message(const std::string& text) override { messages.push_back(text); }
  void report_failure(const std::string& what) override { failures.push_back(what); }
  [[noreturn]] void end_program(int status) override;
};

// What MemoryPlatform::end_program throws: the status the program would have ended with.
struct ProgramEnded {
  int status;
};

}  // namespace tracciato
