#include "model/compile_names.h"

#include <filesystem>
#include <string_view>

#include "model/text.h"

namespace tracciato {

namespace {

constexpr std::string_view route_ending = "_linea.txt";
constexpr std::string_view train_ending = "-.txt";

std::string file_name(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

std::optional<std::string> common_fault(const std::string& name) {
  if (name.empty()) return "is empty";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) return "holds a character other than printable ASCII";
    if (c == '/' || c == '\\') return "holds a path separator";
  }
  if (name == "." || name == "..") return "is \".\" or \"..\"";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> route_name_from(const std::string& route_txt) {
  const std::string name = file_name(route_txt);
  if (!std::string_view(name).ends_with(route_ending)) return std::nullopt;
  return name.substr(0, name.size() - route_ending.size());
}

std::optional<std::string> train_name_from(const std::string& train_txt, const std::string& route) {
  const std::string name = file_name(train_txt);
  const std::string prefix = route + "_";
  if (name.size() < prefix.size() + train_ending.size()) return std::nullopt;
  if (!std::string_view(name).starts_with(prefix) || !std::string_view(name).ends_with(train_ending))
    return std::nullopt;
  return name.substr(prefix.size(), name.size() - prefix.size() - train_ending.size());
}

std::optional<std::string> route_name_fault(const std::string& name) { return common_fault(name); }

std::optional<std::string> train_name_fault(const std::string& name) {
  if (auto fault = common_fault(name)) return fault;
  if (lowercase(name) == "linea") return "is \"linea\", which would give the cell file the plan file's name";
  return std::nullopt;
}

std::optional<std::string> route_name_refusal(const std::string& name) {
  if (auto fault = route_name_fault(name)) return "the route name \"" + name + "\" " + *fault;
  return std::nullopt;
}

std::optional<std::string> train_name_refusal(const std::string& name) {
  if (auto fault = train_name_fault(name)) return "the train name \"" + name + "\" " + *fault;
  return std::nullopt;
}

std::optional<std::string> names_refusal(const std::string& route, const std::string& train) {
  if (auto refusal = route_name_refusal(route)) return refusal;
  return train_name_refusal(train);
}

}  // namespace tracciato
