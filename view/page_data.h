#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/scenario.h"
#include "model/scenario_decoder.h"

namespace tracciato::view {

// What the page shows of one compiled scenario, as one JSON object: the headers and
// counts, every cell with its fields decoded as `dump` decodes them, the profile, the
// plan's outline, the tables of stations, signals, slow-downs, speed-indicator boards,
// signboards and tunnels, and the report's faults and warnings. Every number in it is
// a whole number (metres, centimetres, millimetres, km/h), so that it reads the same
// from every build.
using Json = nlohmann::ordered_json;

// A report of `check` or `compile` that is not one: the message says what is wrong.
class ReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The part of a `--report` file the page shows: outcome, register, faults and warnings.
// Throws ReportError when `text` is not JSON or not shaped as those reports are.
Json report_summary(std::string_view text);

// `voci` holds the 87 entries of the entry file; `plan` is null when there is no plan
// file; `report` is null or what report_summary gave. Fails (RuntimeFailure) on a plan
// that cannot be drawn, as plan_outline says.
Json page_data(const std::vector<voce>& voci, const std::vector<cella>& celle,
               const DecodedPlan* plan, const Json* report);

}  // namespace tracciato::view
