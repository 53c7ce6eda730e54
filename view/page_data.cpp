#include "view/page_data.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "dump/dump_cell_meaning.h"
#include "dump/dump_entry_roles.h"
#include "dump/dump_fields.h"
#include "dump/dump_text_forms.h"
#include "plot/plot_features.h"
#include "plot/plot_profile.h"
#include "plot/plot_text.h"
#include "view/plan_outline.h"

namespace tracciato::view {

namespace {

// --- the report -------------------------------------------------------------------

std::string where(const std::string& item, const char* key) {
  return item.empty() ? std::string("\"") + key + "\"" : item + ": \"" + key + "\"";
}

// A member that must be present, or may be absent or null (then nothing).
std::optional<std::int64_t> whole(const Json& o, const char* key, const std::string& item,
                                  bool required) {
  const auto it = o.find(key);
  if (it == o.end() || it->is_null()) {
    if (required) throw ReportError(where(item, key) + " is missing");
    return std::nullopt;
  }
  if (!it->is_number_integer() ||
      (it->is_number_unsigned() &&
       it->get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())))
    throw ReportError(where(item, key) + " is not a whole number");
  return it->get<std::int64_t>();
}

std::optional<std::string> text(const Json& o, const char* key, const std::string& item,
                                bool required) {
  const auto it = o.find(key);
  if (it == o.end() || it->is_null()) {
    if (required) throw ReportError(where(item, key) + " is missing");
    return std::nullopt;
  }
  if (!it->is_string()) throw ReportError(where(item, key) + " is not a text");
  return it->get<std::string>();
}

Json or_null(const std::optional<std::int64_t>& v) { return v ? Json(*v) : Json(nullptr); }
Json or_null(const std::optional<std::string>& v) { return v ? Json(*v) : Json(nullptr); }

Json items(const Json& report, const char* list, const char* one, bool faults) {
  Json out = Json::array();
  const auto it = report.find(list);
  if (it == report.end()) return out;
  if (!it->is_array()) throw ReportError(std::string("\"") + list + "\" is not a list");
  for (std::size_t i = 0; i < it->size(); ++i) {
    const Json& o = (*it)[i];
    const std::string item = std::string(one) + " " + std::to_string(i + 1);
    if (!o.is_object()) throw ReportError(item + " is not an object");
    Json j;
    if (faults) j["code"] = or_null(whole(o, "code", item, false));
    j["position"] = or_null(whole(o, "position", item, false));
    j["file"] = or_null(text(o, "file", item, false));
    j["line"] = or_null(whole(o, "line", item, false));
    j["message"] = *text(o, "message", item, true);
    out.push_back(std::move(j));
  }
  return out;
}

// --- the scenario -----------------------------------------------------------------

std::int64_t cell_at(std::int64_t event_metre) { return event_metre / plot::metres_per_cell + 1; }

// The entry a station or signboard cell names, with its role and name.
Json points_at(const cella& c, const std::vector<voce>& voci, const dump::EntryRoles& roles) {
  if (c.evento != event::station && c.evento != event::signboard) return nullptr;
  Json j;
  j["entry"] = c.valore1;
  const voce* v = plot::entry_at(voci, c.valore1);
  j["role"] = v ? Json(roles.role[static_cast<std::size_t>(c.valore1)]) : Json(nullptr);
  if (!v)
    j["name"] = nullptr;
  else if (c.evento == event::signboard)
    j["name"] = plot::utf8_from_1252(plot::signboard_caption(v->nome));
  else
    j["name"] = plot::utf8_from_1252(v->nome);
  return j;
}

Json cells(const std::vector<voce>& voci, const std::vector<cella>& celle) {
  const dump::EntryRoles roles = dump::entry_roles(voci);
  Json names = Json::array();
  if (!celle.empty())
    dump::for_each_field(celle.front(),
                        [&](const char* name, std::size_t, std::int64_t) { names.push_back(name); });
  Json records = Json::array();
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    const auto index = static_cast<std::int64_t>(i);
    Json r;
    r["metres"] = {dump::first_metre(index), dump::last_metre(index)};
    Json fields = Json::array();
    dump::for_each_field(c, [&](const char*, std::size_t, std::int64_t v) { fields.push_back(v); });
    r["fields"] = std::move(fields);
    r["event"] = std::string(dump::event_name(c.evento));
    Json meaning = Json::object();
    for (const dump::FieldMeaning& m : dump::cell_meaning(index, c))
      meaning[std::string(m.field)] = dump::parts_text(m.parts);
    r["meaning"] = std::move(meaning);
    if (Json p = points_at(c, voci, roles); !p.is_null()) r["points_at"] = std::move(p);
    records.push_back(std::move(r));
  }
  Json j;
  j["fields"] = std::move(names);
  j["records"] = std::move(records);
  return j;
}

// The cells whose event is `code`, by index and the metre where they stand.
Json events(const std::vector<cella>& celle, std::uint8_t code) {
  Json out = Json::array();
  for (std::size_t i = 0; i < celle.size(); ++i)
    if (celle[i].evento == code)
      out.push_back({{"cell", i}, {"metre", plot::event_metre(static_cast<std::int64_t>(i))}});
  return out;
}

Json stations(const plot::RouteFeatures& f, const std::vector<voce>& voci) {
  Json out = Json::array();
  for (std::size_t k = 0; k < f.stations.size(); ++k) {
    const plot::Station& s = f.stations[k];
    const voce& v = voci[k + 1];  // the stations are the entries from 1 on
    Json j;
    j["entry"] = k + 1;
    j["name"] = s.name;
    j["metre"] = s.metre;
    j["kind"] = v.genere;
    j["position"] = v.posizione;
    j["area"] = {v.inizio_area, v.fine_area};
    j["stop_cell"] = s.stops ? Json(cell_at(s.metre)) : Json(nullptr);
    // A station without a timetable time has 0 hours, 0 minutes, 0 seconds.
    const auto time = v.orario != 0 ? dump::clock_text(v.orario) : std::nullopt;
    j["time"] = time ? Json(*time) : Json(nullptr);
    out.push_back(std::move(j));
  }
  return out;
}

Json signboards(const plot::RouteFeatures& f, const std::vector<cella>& celle) {
  Json out = Json::array();
  for (const plot::Signboard& b : f.signboards) {
    const std::int64_t cell = cell_at(b.metre);
    out.push_back({{"cell", cell},
                   {"metre", b.metre},
                   {"entry", celle[static_cast<std::size_t>(cell)].valore1},
                   {"text", b.caption}});
  }
  return out;
}

Json slowdowns(const plot::RouteFeatures& f) {
  Json out = Json::array();
  for (const plot::SlowDown& s : f.slowdowns)
    out.push_back({{"cell", cell_at(s.from)},
                   {"from", s.from},
                   {"to", s.to},
                   {"speed_kmh", s.speed_kmh},
                   {"has_end", s.has_end}});
  return out;
}

Json tunnels(const plot::RouteFeatures& f, const std::vector<cella>& celle) {
  Json out = Json::array();
  for (const plot::Span& t : f.tunnels)
    out.push_back({{"from", t.from},
                   {"to", t.to},
                   {"montagna", celle[static_cast<std::size_t>(t.from / plot::metres_per_cell)].montagna}});
  return out;
}

Json profile(const std::vector<cella>& celle, std::int64_t length) {
  const plot::ProfileData p = plot::profile_data(celle, length);
  return {{"elevation_mm", p.elevation_mm}, {"speed_kmh", p.speed_kmh}, {"adhesion", p.adhesion}};
}

Json flat(const std::vector<OutlineRun>& runs) {
  Json out = Json::array();
  for (const OutlineRun& run : runs) {
    Json r = Json::array();
    for (const OutlinePoint& p : run) {
      r.push_back(p.metre);
      r.push_back(p.x_cm);
      r.push_back(p.y_cm);
    }
    out.push_back(std::move(r));
  }
  return out;
}

Json outline(const DecodedPlan& plan, std::int64_t length) {
  const PlanOutline o = plan_outline(plan, length);
  // Each run is a flat list of metre, x, y triples, x and y in centimetres.
  return {{"route", flat(o.route)}, {"beyond", flat(o.beyond)}};
}

}  // namespace

Json report_summary(std::string_view report_text) {
  const Json report =
      Json::parse(report_text.begin(), report_text.end(), nullptr, /*allow_exceptions=*/false);
  if (report.is_discarded()) throw ReportError("not JSON");
  if (!report.is_object()) throw ReportError("not a JSON object");
  Json j;
  j["outcome"] = *text(report, "outcome", "", true);
  j["codice_errore"] = or_null(whole(report, "codice_errore", "", false));
  j["posizione_errore"] = or_null(whole(report, "posizione_errore", "", false));
  j["faults"] = items(report, "faults", "fault", true);
  j["warnings"] = items(report, "warnings", "warning", false);
  return j;
}

Json page_data(const std::vector<voce>& voci, const std::vector<cella>& celle,
               const DecodedPlan* plan, const Json* report) {
  const plot::RouteFeatures f = plot::route_features(voci, celle);
  const Json signals = events(celle, event::signal);
  const Json boards = events(celle, event::speed_boards);
  Json j;
  j["route"] = f.route;
  j["train"] = f.train;
  j["length"] = f.length;
  j["counts"] = {{"stations", f.stations.size()},   {"signals", signals.size()},
                 {"speed_boards", boards.size()},   {"signboards", f.signboards.size()},
                 {"slowdowns", f.slowdowns.size()}, {"tunnels", f.tunnels.size()}};
  j["cells"] = cells(voci, celle);
  j["profile"] = profile(celle, f.length);
  j["plan"] = plan ? outline(*plan, f.length) : Json(nullptr);
  j["stations"] = stations(f, voci);
  j["signals"] = signals;
  j["slowdowns"] = slowdowns(f);
  j["speed_boards"] = boards;
  j["signboards"] = signboards(f, celle);
  j["tunnels"] = tunnels(f, celle);
  j["report"] = report ? *report : Json(nullptr);
  return j;
}

}  // namespace tracciato::view
