#pragma once

#include <string>
#include <vector>

namespace tracciato {

class Platform;

// Makes the folder `dir` with its missing parents and, unless `force`, refuses when a
// file of one of `names` is there already: the line saying which, and that --force
// overwrites it; empty when the files may be written. Failing to make the folder is a
// run-time failure.
std::string prepare_folder(Platform& platform, const std::string& dir,
                           const std::vector<std::string>& names, bool force);

}  // namespace tracciato
