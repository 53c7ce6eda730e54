#pragma once

#include <string>

namespace tracciato {

// Where the model reader finds the two source texts, and whether it deletes them once
// read (the embedded run does; a compile of an author's texts never touches them).
struct SourceTexts {
  std::string route;
  std::string train;
  bool delete_after_reading = false;
};

}  // namespace tracciato
