#pragma once

#include <optional>
#include <string>

namespace tracciato {

// The route name a route text's file name implies: "<route>_linea.txt" gives <route>.
// No name when the file name does not end in "_linea.txt".
std::optional<std::string> route_name_from(const std::string& route_txt);

// The train name a train text's file name implies: "<route>_<train>-.txt" gives <train>.
// No name when the file name does not start with "<route>_" and end in "-.txt".
std::optional<std::string> train_name_from(const std::string& train_txt, const std::string& route);

// Why `name` cannot form the binary file names, or nothing when it can. A name must be
// non-empty printable ASCII, hold no "/" or "\", and be neither "." nor ".."; a train
// named "linea" (any case) would give its cell file the plan file's name.
std::optional<std::string> route_name_fault(const std::string& name);
std::optional<std::string> train_name_fault(const std::string& name);

// The same as the commands say it: "the route name "X" " or "the train name "X" ", then
// the fault; for both names, the route's first.
std::optional<std::string> route_name_refusal(const std::string& name);
std::optional<std::string> train_name_refusal(const std::string& name);
std::optional<std::string> names_refusal(const std::string& route, const std::string& train);

}  // namespace tracciato
