#include "dump/dump_json.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "dump/dump_cell_meaning.h"
#include "dump/dump_entry_roles.h"
#include "dump/dump_fields.h"
#include "dump/dump_text_forms.h"

namespace tracciato::dump {

namespace {

using json = nlohmann::ordered_json;

// The strings put in are well-formed UTF-8, so dumping cannot fail.
std::string line(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::strict); }

// The head of the object, then records 0 .. count - 1 of `member`, one per line.
template <class Record>
void write(std::ostream& out, const DumpedFile& f, const char* member, std::size_t count,
           Record&& record) {
  out << "{\n  \"kind\": " << line(kind_name(f.kind)) << ",\n  \"bytes\": " << f.bytes.size()
      << ",\n  " << line(member) << ": [\n";
  for (std::size_t i = 0; i < count; ++i)
    out << "    " << line(record(i)) << (i + 1 < count ? ",\n" : "\n");
  out << "  ]\n}\n";
}

json cell(std::size_t i, const cella& c) {
  const auto index = static_cast<std::int64_t>(i);
  json j;
  j["index"] = index;
  j["metres"] = {first_metre(index), last_metre(index)};
  for_each_field(c, [&](const char* name, std::size_t, std::int64_t v) { j[name] = v; });
  j["event"] = std::string(event_name(c.evento));
  json meaning = json::object();
  for (const FieldMeaning& m : cell_meaning(index, c)) {
    json parts = json::object();
    for (const Part& p : m.parts) parts[p.key] = p.value;
    meaning[std::string(m.field)] = parts;
  }
  j["meaning"] = meaning;
  return j;
}

json value(const PlanValue& v) {
  json j;
  j["kind"] = value_kind(v);
  if (v.kind == PlanValue::Kind::Integer) j["value"] = v.integer;
  if (v.kind == PlanValue::Kind::Double) {
    j["value"] = std::isfinite(v.real) ? json(v.real) : json(nullptr);
    char bits[17];
    std::snprintf(bits, sizeof bits, "%016llx",
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v.real)));
    j["bits"] = bits;
  }
  return j;
}

}  // namespace

void write_json(std::ostream& out, const DumpedFile& file) {
  switch (file.kind) {
    case DumpKind::cells:
      write(out, file, "cells", file.celle.size(),
            [&](std::size_t i) { return cell(i, file.celle[i]); });
      break;
    case DumpKind::entries: {
      const EntryRoles roles = entry_roles(file.voci);
      write(out, file, "entries", file.voci.size(), [&](std::size_t i) {
        const voce& v = file.voci[i];
        json j;
        j["index"] = i;
        j["role"] = roles.role[i];
        for_each_field(
            v, [&](const char* name, std::size_t, std::int64_t n) { j[name] = n; },
            [&](const char* name, const std::string& text) { j[name] = utf8_from_cp1252(text); });
        return j;
      });
      break;
    }
    case DumpKind::plan: {
      // One record per metre; x and y come from the two halves of the file.
      write(out, file, "plan", file.plan.x.size(), [&](std::size_t m) {
        json j;
        j["metre"] = m;
        j["x"] = value(file.plan.x[m]);
        j["y"] = value(file.plan.y[m]);
        return j;
      });
      break;
    }
  }
}

}  // namespace tracciato::dump
