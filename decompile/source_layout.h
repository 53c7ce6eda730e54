#pragma once

#include <optional>
#include <string>

#include "decompile/source_model.h"

namespace tracciato::decompile {

// The two texts as an author would write them: the sections and order of the shipped
// texts, each section opened by its header and a comment line naming its fields, the
// values in aligned columns, every line ended by CR LF. Throws Refusal for a station
// name or a signboard text that no field of the reader gives back.
std::string route_text(const RouteSource& route, bool with_plan);
std::string train_text(const TrainSource& train);

// A text field that the reader takes back exactly: as it stands when it has no comma,
// no line end, no blank at either end and does not open with a double quote; else in
// double quotes when it holds none. Nothing when neither form gives it back.
std::optional<std::string> text_field(const std::string& text);

}  // namespace tracciato::decompile
