#include "platform/output_folder.h"

#include "platform/platform.h"

namespace tracciato {

std::string prepare_folder(Platform& platform, const std::string& dir,
                           const std::vector<std::string>& names, bool force) {
  platform.make_directories(dir);
  if (force) return {};
  for (const std::string& name : names) {
    const std::string path = platform.join(dir, name);
    if (platform.exists(path)) return path + " already exists; --force overwrites it";
  }
  return {};
}

}  // namespace tracciato
